#include "scenery.h"

namespace qv::assetgen {

void Sky(Layer& l, Col zenith, Col horizon, int horizonY, float clouds, uint32_t seed) {
  for (int y = 0; y < l.h(); ++y) {
    float t = horizonY > 0 ? std::min(1.0f, static_cast<float>(y) / horizonY) : 1;
    Col base = Mix(zenith, horizon, std::pow(t, 1.6f));
    for (int x = 0; x < l.w(); ++x) {
      Col c = base;
      if (clouds > 0) {
        // Clouds stretch sideways and thin out towards the zenith.
        float n = Fbm(x / 140.0f, y / 45.0f, 5, seed);
        float k = Smooth(0.5f, 0.78f, n) * clouds * (0.4f + 0.6f * t);
        Col lit = Mix(horizon, Rgb(0xFFFFFF), 0.55f);
        Col shade = Mix(zenith, horizon, 0.5f);
        float up = Fbm(x / 140.0f, (y - 6) / 45.0f, 5, seed);
        c = Mix(c, Mix(shade, lit, Clamp01((n - up) * 8 + 0.5f)), k);
      }
      l.at(x, y) = c;
      l.alpha(x, y) = 1;
    }
  }
}

void Stars(Layer& l, int count, int maxY, uint32_t seed, float brightness) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    float x = rng.Range(0, static_cast<float>(l.w())), y = rng.Range(0, static_cast<float>(maxY));
    float b = rng.Range(0.25f, 1.0f) * brightness * (1 - y / (maxY * 1.3f));
    Col c = Mix(Rgb(0xAFC8FF), Rgb(0xFFF0D0), rng.Unit());
    Glow(l, x, y, rng.Range(1.2f, 2.6f), c, b);
    if (rng.Int(23) == 0) {
      Glow(l, x, y, 6, c, b * 0.25f);
      Line(l, x - 5, y, x + 5, y, 0.8f, c, b * 0.5f);
      Line(l, x, y - 5, x, y + 5, 0.8f, c, b * 0.5f);
    }
  }
}

void Ridge(Layer& l, float baseY, float amp, float freq, Col c, Col fog, float fogAmount,
           uint32_t seed, float peakX, float peakH, float peakW) {
  for (int x = 0; x < l.w(); ++x) {
    float n = Fbm(x * freq, 0.5f, 5, seed);
    float top = baseY - n * amp;
    if (peakX >= 0) {
      float d = (x - peakX) / peakW;
      top -= peakH * std::max(0.0f, 1 - std::fabs(d)) * (0.8f + 0.2f * n);
    }
    for (int y = std::max(0, static_cast<int>(top)); y < l.h(); ++y) {
      float k = Clamp01(y + 1 - top);
      float depthFog = fogAmount * (1 - Clamp01((y - top) / 160.0f) * 0.5f);
      // Light catches the crest and fades down the slope; broad noise breaks the face up.
      float crest = Smooth(14, 0, y - top);
      float tex = Fbm(x / 45.0f, y / 30.0f, 4, seed + 7) - 0.5f;
      Col shade = Scale(c, 1 + tex * 0.35f + crest * 0.25f);
      l.Blend(x, y, Mix(shade, fog, depthFog), k);
    }
  }
}

void Ground(Layer& l, int y0, Col nearCol, Col farCol, uint32_t seed, float texture) {
  for (int y = std::max(0, y0); y < l.h(); ++y) {
    float t = static_cast<float>(y - y0) / std::max(1, l.h() - y0);
    Col base = Mix(farCol, nearCol, t);
    for (int x = 0; x < l.w(); ++x) {
      // Texture squashed with distance, like a field seen at an angle.
      float n = Fbm(x / (20.0f + 60 * t), y / (6.0f + 30 * t), 4, seed) - 0.5f;
      l.Blend(x, y, Scale(base, 1 + n * texture * 2), 1);
    }
  }
}

void Water(Layer& l, int y0, int y1, Col tint, float tintAmount, uint32_t seed) {
  y1 = std::min(y1, l.h());
  for (int y = y0; y < y1; ++y) {
    float t = static_cast<float>(y - y0) / std::max(1, y1 - y0);
    for (int x = 0; x < l.w(); ++x) {
      float wave = (Noise(x / 40.0f, y / 3.0f, seed) - 0.5f) * (3 + 14 * t);
      float my = 2.0f * y0 - y - 1 + wave * 0.3f;
      Col refl = l.Sample(x + wave, std::max(0.0f, my));
      Col c = Mix(refl, tint, tintAmount + t * 0.25f);
      float glint = Smooth(0.72f, 0.9f, Noise(x / 9.0f, y / 1.5f, seed + 3));
      c = Add(c, Scale(Rgb(0xFFFFFF), glint * 0.12f * (1 - t)));
      l.Blend(x, y, c, 1);
    }
  }
}

void Tree(Layer& l, float x, float footY, float size, Col leaf, Col trunk, uint32_t seed) {
  Light light;
  light.rim = Mix(leaf, Rgb(0xFFFFE0), 0.6f);
  light.rimStrength = 0.35f;
  DrawPart(
      l,
      Capsule(x, footY, x + size * 0.03f, footY - size * 0.6f, size * 0.07f, size * 0.045f, trunk),
      light);
  Rng rng(seed);
  for (int i = 0; i < 9; ++i) {
    float a = rng.Range(0, 6.283f), d = rng.Range(0, size * 0.28f);
    float cx = x + std::cos(a) * d, cy = footY - size * 0.72f + std::sin(a) * d * 0.8f;
    float r = size * rng.Range(0.18f, 0.3f);
    Part p = Ellipse(cx, cy, r, r * 0.9f, Scale(leaf, rng.Range(0.85f, 1.1f)));
    DrawPart(l, p, light);
  }
}

void Conifer(Layer& l, float x, float footY, float size, Col c) {
  for (int i = 0; i < 4; ++i) {
    float top = footY - size + i * size * 0.2f;
    float w = size * (0.16f + i * 0.07f);
    FillPoly(l, {x, top, x + w, top + size * 0.35f, x - w, top + size * 0.35f},
             Scale(c, 1 - i * 0.06f));
  }
  FillPoly(l,
           {x - size * 0.03f, footY - size * 0.05f, x + size * 0.03f, footY - size * 0.05f,
            x + size * 0.03f, footY, x - size * 0.03f, footY},
           Scale(c, 0.6f));
}

void Grass(Layer& l, int y0, int y1, Col c, int count, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    float x = rng.Range(0, static_cast<float>(l.w())),
          y = rng.Range(static_cast<float>(y0), static_cast<float>(y1));
    float t = (y - y0) / std::max(1, y1 - y0);
    float h = 4 + 14 * t * rng.Range(0.6f, 1.2f);
    Col g = Scale(c, rng.Range(0.75f, 1.25f));
    for (int k = -1; k <= 1; ++k)
      Line(l, x, y, x + k * h * 0.35f + rng.Range(-1, 1), y - h, 1.0f + t, g, 0.8f);
  }
}

void Fog(Layer& l, float y, float height, Col c, float amount) {
  for (int py = 0; py < l.h(); ++py) {
    float d = (py - y) / height;
    float k = amount * std::exp(-d * d);
    if (k < 0.004f) continue;
    for (int x = 0; x < l.w(); ++x) l.at(x, py) = Mix(l.at(x, py), c, k);
  }
}

void Motes(Layer& l, int count, float x0, float y0, float x1, float y1, Col c, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    float x = rng.Range(x0, x1), y = rng.Range(y0, y1), r = rng.Range(1.5f, 5.0f);
    Glow(l, x, y, r * 2.5f, c, rng.Range(0.15f, 0.5f));
    Glow(l, x, y, r * 0.6f, Rgb(0xFFFFFF), 0.5f);
  }
}

void Room(Layer& l, Col wall, Col floor, int floorY, uint32_t seed) {
  for (int y = 0; y < l.h(); ++y) {
    for (int x = 0; x < l.w(); ++x) {
      Col c;
      if (y < floorY) {
        // Vertical planks of the back wall.
        float plank = std::fmod(static_cast<float>(x), 48.0f);
        float seam = plank < 2 ? 0.7f : 1.0f;
        float grain = Fbm(x / 60.0f + std::floor(x / 48.0f) * 3, y / 6.0f, 3, seed) - 0.5f;
        c = Scale(wall, seam * (1 + grain * 0.3f) * (0.75f + 0.25f * y / floorY));
      } else {
        float t = static_cast<float>(y - floorY) / (l.h() - floorY);
        float row = std::fmod(std::pow(t, 0.6f) * 12, 1.0f);
        float seam = row < 0.06f ? 0.7f : 1.0f;
        float grain = Fbm(x / (30.0f + 60 * t), y / 4.0f, 3, seed + 5) - 0.5f;
        c = Scale(floor, seam * (1 + grain * 0.35f) * (0.7f + 0.3f * t));
      }
      l.at(x, y) = c;
      l.alpha(x, y) = 1;
    }
  }
  // Skirting board where wall meets floor.
  FillPoly(
      l,
      {0, static_cast<float>(floorY) - 8, static_cast<float>(l.w()), static_cast<float>(floorY) - 8,
       static_cast<float>(l.w()), static_cast<float>(floorY), 0, static_cast<float>(floorY)},
      Scale(wall, 0.55f));
}

}  // namespace qv::assetgen
