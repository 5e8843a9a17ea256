// The screens before play: the opening credit, the title, the black base picture and the
// little stars that fly over the title, plus the desktop icon.
#include "captions.h"
#include "figures.h"
#include "pictures.h"
#include "scenery.h"
#include "text.h"

namespace qv::assetgen {

namespace {

void Centered(Layer& l, const std::string& s, int size, int y, Col c, float glow = 0,
              Col glowCol = {}) {
  TextMask m = RenderText(s, size);
  int x = (l.w() - m.w) / 2;
  if (glow > 0) {
    TextMask halo = Blur(m, std::max(2, size / 8));
    PaintMask(l, halo, x - std::max(2, size / 8), y - std::max(2, size / 8), glowCol, glow);
  }
  PaintMask(l, m, x, y, c);
}

// The island seen from the sea at night: a dark silhouette with one lit window and a rim of
// moonlight, the shape shared by the title and the icon.
void IslandSilhouette(Layer& l, float cx, float baseY, float w, float h, Col body, Col rim,
                      uint32_t seed) {
  for (int x = static_cast<int>(cx - w); x <= static_cast<int>(cx + w); ++x) {
    if (x < 0 || x >= l.w()) continue;
    float u = (x - cx) / w;
    float profile = std::pow(std::max(0.0f, 1 - u * u), 0.8f);
    // Twin peaks: a tall one left of centre and a gentle hill to the right.
    float peaks = 0.75f * std::exp(-((u + 0.25f) * (u + 0.25f)) / 0.04f) +
                  0.35f * std::exp(-((u - 0.35f) * (u - 0.35f)) / 0.05f);
    float top = baseY - h * (0.35f * profile + peaks * profile) -
                (Fbm(x / 18.0f, 0, 3, seed) - 0.5f) * h * 0.12f * profile;
    for (int y = std::max(0, static_cast<int>(top));
         y < std::min(l.h(), static_cast<int>(baseY) + 1); ++y) {
      float k = Clamp01(y + 1 - top);
      float edge = Smooth(4, 0, y - top) * Smooth(-0.2f, 0.6f, -u);
      l.Blend(x, y, Mix(body, rim, edge * 0.8f), k);
    }
  }
}

void PaintCredit(const Sink& out) {
  Layer l(640, 480);
  VGradient(l, {Rgb(0x05060E), Rgb(0x0C1430), Rgb(0x060812)});
  Grain(l, 0.15f, 11, 2);
  Stars(l, 90, 480, 12, 0.55f);
  // The emblem: a ring of light around a small island under a star.
  float cx = 320, cy = 190;
  Glow(l, cx, cy, 140, Rgb(0x2A4080), 0.6f);
  FillSd(
      l, cx - 80, cy - 80, cx + 80, cy + 80,
      [&](float x, float y) { return std::fabs(SdEllipse(x, y, cx, cy, 72, 72)) - 2.2f; },
      [&](float x, float y, float) {
        return Mix(Rgb(0xFFE9A8), Rgb(0x8FB4FF), Clamp01((y - cy + 72) / 144));
      });
  Layer disc(640, 480, {}, 0);
  VGradient(disc, {Rgb(0x0E1E48), Rgb(0x1B3A6A)}, static_cast<int>(cy - 68),
            static_cast<int>(cy + 68));
  FillSd(
      l, cx - 68, cy - 68, cx + 68, cy + 68,
      [&](float x, float y) { return SdEllipse(x, y, cx, cy, 66, 66); },
      [&](float x, float y, float) { return disc.at(static_cast<int>(x), static_cast<int>(y)); });
  Layer isle(640, 480, {}, 0);
  IslandSilhouette(isle, cx, cy + 30, 55, 55, Rgb(0x050A18), Rgb(0x9FC0FF), 5);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (isle.alpha(x, y) > 0 && SdEllipse(x + 0.5f, y + 0.5f, cx, cy, 66, 66) < 0)
        l.Blend(x, y, isle.at(x, y), isle.alpha(x, y));
    }
  }
  FillPoly(l, {cx - 66, cy + 30, cx + 66, cy + 30, cx + 50, cy + 44, cx - 50, cy + 44},
           Rgb(0x132850), 0.8f);
  Glow(l, cx + 22, cy - 38, 26, Rgb(0xFFE7A0), 0.7f);
  Line(l, cx + 22, cy - 52, cx + 22, cy - 24, 1.5f, Rgb(0xFFF6D8), 0.9f);
  Line(l, cx + 8, cy - 38, cx + 36, cy - 38, 1.5f, Rgb(0xFFF6D8), 0.9f);
  Centered(l, "Q.V. PROJECT", 34, 292, Rgb(0xE8EEFF), 0.5f, Rgb(0x4060C0));
  Centered(l, "presents", 18, 338, Rgb(0xA8B4D8));
  Centered(l, Caption("この物語はすべて、島の見た夢である"), 14, 420, Rgb(0x6A7498));
  Vignette(l, 0.5f);
  out.Jpeg("cr.jpg", l);
}

void PaintTitle(const Sink& out) {
  Layer l(640, 480);
  Sky(l, Rgb(0x070A1E), Rgb(0x3A2E5E), 330, 0.35f, 21);
  Stars(l, 160, 320, 22);
  // The moon, low over the island, with a broad halo.
  Glow(l, 470, 120, 120, Rgb(0x3A3A70), 0.5f);
  FillSd(
      l, 430, 80, 510, 160, [](float x, float y) { return SdEllipse(x, y, 470, 120, 36, 36); },
      [](float x, float y, float) {
        float n = Fbm(x / 14.0f, y / 14.0f, 3, 3);
        return Scale(Mix(Rgb(0xFFF4D8), Rgb(0xD8D0C0), Smooth(0.45f, 0.7f, n)), 1.0f);
      });
  Glow(l, 470, 120, 60, Rgb(0xFFF0C8), 0.25f);
  Ridge(l, 322, 12, 0.01f, Rgb(0x1A1838), Rgb(0x3A2E5E), 0.5f, 23);
  IslandSilhouette(l, 250, 336, 230, 150, Rgb(0x080A1A), Rgb(0xA8B8F0), 24);
  Water(l, 336, 480, Rgb(0x0A1030), 0.35f, 25);
  // Moonlight path on the sea.
  for (int y = 340; y < 480; ++y) {
    for (int x = 380; x < 560; ++x) {
      float w = 12 + (y - 336) * 0.5f;
      float k = Smooth(w, 0, std::fabs(x - 470.0f)) *
                Smooth(0.55f, 0.8f, Noise(x / 6.0f, y / 1.4f, 26)) * 0.7f;
      if (k > 0) l.at(x, y) = Add(l.at(x, y), Scale(Rgb(0xFFF0C8), k));
    }
  }
  // A lit window and the beacon on the peak: people live here.
  Glow(l, 196, 232, 8, Rgb(0xFFB050), 0.9f);
  Glow(l, 228, 280, 5, Rgb(0xFFC070), 0.8f);
  Vignette(l, 0.45f);
  TextMask title = RenderFitted(Caption("～ミラフォルテ～"), 62, 600);
  int tx = (640 - title.w) / 2, ty = 132;
  PaintMask(l, Blur(title, 7), tx - 7, ty - 7, Rgb(0x5070FF), 0.7f);
  PaintMask(l, title, tx + 2, ty + 3, Rgb(0x05040C), 0.7f);
  PaintMaskGradient(l, title, tx, ty, Rgb(0xFFFBEA), Rgb(0xE6B860));
  Centered(l, "Q . V .", 26, 84, Rgb(0xC8D4FF), 0.6f, Rgb(0x3050C0));
  Centered(l, Caption("― CLICK TO START ―"), 15, 430, Rgb(0xD0D8F0), 0.4f, Rgb(0x3050C0));
  out.Plain("title.bmp", l);
}

// Six frames of a twinkle: the star opens, flares and fades back, on black so that the
// title's OR-combine adds it as light.
void PaintStars(const Sink& out, const std::string& name, int size, Col core, Col halo,
                float spin) {
  Layer l(size * 6, size, Rgb(0x000000), 1);
  for (int f = 0; f < 6; ++f) {
    float cx = f * size + size / 2.0f, cy = size / 2.0f;
    float pulse = 0.72f + 0.28f * std::sin(f / 6.0f * 6.2832f);
    float r = size * 0.48f * (0.6f + 0.4f * pulse);
    float a = f * spin;
    for (int y = 0; y < size; ++y) {
      for (int x = f * size; x < (f + 1) * size; ++x) {
        float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
        float rx = dx * std::cos(a) - dy * std::sin(a), ry = dx * std::sin(a) + dy * std::cos(a);
        float d = std::sqrt(dx * dx + dy * dy) / r;
        float rays = std::exp(-std::fabs(rx) * 6 / r) + std::exp(-std::fabs(ry) * 6 / r);
        float k = Clamp01(std::exp(-d * d * 5) * 1.2f + rays * Clamp01(1 - d) * 0.7f) * pulse;
        Col c = Mix(halo, core, Clamp01(std::exp(-d * d * 10)));
        l.at(x, y) = Scale(c, k);
      }
    }
  }
  l.at(0, size - 1) = Rgb(0x000000);
  out.Plain(name, l);
}

// The icon: the island under its star inside a round medallion.
Layer IconAt(int size) {
  int ss = size <= 64 ? 8 : 4;
  int n = size * ss;
  Layer big(n, n, {}, 0);
  float c = n / 2.0f, R = n * 0.47f;
  FillSd(
      big, 0, 0, static_cast<float>(n), static_cast<float>(n),
      [&](float x, float y) { return SdEllipse(x, y, c, c, R, R); },
      [&](float x, float y, float d) {
        Col sky = Mix(Rgb(0x0C1838), Rgb(0x3B5C9A), Clamp01((y - c + R) / (2 * R)));
        float ring = Smooth(-R * 0.09f, -R * 0.05f, d);
        return Mix(sky, Rgb(0xE8C870), ring);
      });
  Layer isle(n, n, {}, 0);
  IslandSilhouette(isle, c, c + R * 0.42f, R * 0.78f, R * 0.8f, Rgb(0x123A2A), Rgb(0x9AE0B0), 5);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      if (isle.alpha(x, y) > 0 && SdEllipse(x + 0.5f, y + 0.5f, c, c, R * 0.9f, R * 0.9f) < 0)
        big.Blend(x, y, isle.at(x, y), isle.alpha(x, y));
    }
  }
  FillSd(
      big, c - R, c + R * 0.42f, c + R, c + R,
      [&](float x, float y) {
        return std::max(SdEllipse(x, y, c, c, R * 0.9f, R * 0.9f), c + R * 0.42f - y);
      },
      [&](float, float y, float) {
        return Mix(Rgb(0x2A5A9A), Rgb(0x102040), Clamp01((y - c) / R));
      });
  // The four-pointed star above the peak.
  float sx = c + R * 0.25f, sy = c - R * 0.42f, sr = R * 0.3f;
  FillSd(
      big, sx - sr, sy - sr, sx + sr, sy + sr,
      [&](float x, float y) {
        float dx = std::fabs(x - sx) / sr, dy = std::fabs(y - sy) / sr;
        return (std::sqrt(dx) + std::sqrt(dy) - 1) * sr * 0.5f;
      },
      [&](float, float, float) { return Rgb(0xFFF3C0); });
  return Downsample(big, ss);
}

}  // namespace

void PaintScreens(const Sink& out) {
  PaintCredit(out);
  PaintTitle(out);
  out.Plain("00.bmp", Layer(640, 480, Rgb(0x000000), 1));
  PaintStars(out, "star1.bmp", 20, Rgb(0xFFF8E0), Rgb(0xFF9A30), 0.26f);
  PaintStars(out, "star2.bmp", 10, Rgb(0xF0F8FF), Rgb(0x4080FF), 0.0f);
}

void PaintIcons(const Sink& out) {
  out.Icon("qv.png", IconAt(256));
  for (int size : {16, 32, 48, 64, 128, 256}) {
    std::string dir = std::to_string(size) + "x" + std::to_string(size);
    out.Icon("hicolor/" + dir + "/apps/qv.png", IconAt(size));
  }
}

}  // namespace qv::assetgen
