#include "figures.h"

namespace qv::assetgen {

namespace {

Col Darker(Col c, float k) {
  return Scale(c, k);
}

// A detail drawn flat on top of a larger part: a line of the face, a finger's crease.
Part Detail(Part p) {
  p.thickness = 1;
  p.ink = 0;
  return p;
}

// A drawn stroke through points, as a pen would draw it.
void Stroke(Figure& f, const std::vector<float>& xy, float width, Col c) {
  for (size_t i = 0; i + 3 < xy.size(); i += 2)
    f.parts.push_back(
        Detail(Capsule(xy[i], xy[i + 1], xy[i + 2], xy[i + 3], width / 2, width / 2, c)));
}

// A fold of cloth on a part of colour `cloth`: a shadowed crease, thinner at its ends.
void Fold(Figure& f, const std::vector<float>& xy, float width, Col cloth) {
  const Col shade = Mix(Scale(cloth, 0.55f), Rgb(0x1A1420), 0.25f);
  const size_t n = xy.size() / 2;
  for (size_t i = 0; i + 1 < n; ++i) {
    float t0 = n > 2 ? static_cast<float>(i) / (n - 1) : 0.0f;
    float t1 = n > 2 ? static_cast<float>(i + 1) / (n - 1) : 1.0f;
    auto w = [&](float t) { return width * (0.35f + 0.65f * std::sin(3.14159f * t)); };
    f.parts.push_back(Detail(Capsule(xy[2 * i], xy[2 * i + 1], xy[2 * i + 2], xy[2 * i + 3],
                                     w(t0) / 2, w(t1) / 2, shade)));
  }
}

// A hand at the end of the forearm (elbow to wrist), with four fingers and a thumb; `s` is
// the side (-1 the viewer's left), so the thumb lies towards the body.
void AddHand(Figure& f, float ex, float ey, float wx, float wy, float limb, int s, Col skin) {
  float dx = wx - ex, dy = wy - ey, len = std::sqrt(dx * dx + dy * dy);
  if (len <= 0) len = 1;
  dx /= len;
  dy /= len;
  const float px = -dy, py = dx;  // across the palm
  const float palm = limb * 0.8f;
  const float cx = wx + dx * palm * 0.5f, cy = wy + dy * palm * 0.5f;
  // The thumb first, so the palm's line crosses its root.
  const float ts = static_cast<float>(s);
  f.parts.push_back(Capsule(cx + px * ts * palm * 0.6f, cy + py * ts * palm * 0.6f,
                            cx + px * ts * palm * 1.2f + dx * palm * 0.7f,
                            cy + py * ts * palm * 1.2f + dy * palm * 0.7f, limb * 0.26f,
                            limb * 0.2f, skin));
  f.parts.push_back(Capsule(wx, wy, cx + dx * palm * 0.35f, cy + dy * palm * 0.35f, palm * 0.8f,
                            palm * 0.85f, skin));
  for (int k = 0; k < 4; ++k) {
    float u = (k - 1.5f) / 1.5f;  // -1 .. 1 across the palm
    float bx = cx + dx * palm * 0.8f + px * u * palm * 0.55f;
    float by = cy + dy * palm * 0.8f + py * u * palm * 0.55f;
    float reach = limb * (k == 1 || k == 2 ? 0.95f : 0.75f);
    float spread = u * 0.18f;
    float fx = dx + px * spread, fy = dy + py * spread;
    f.parts.push_back(
        Capsule(bx, by, bx + fx * reach, by + fy * reach, limb * 0.21f, limb * 0.17f, skin));
  }
}

// Brows, lids, eyes and mouth of a face of radius r at (hx, hy), set by the mood.
void AddFace(Figure& f, const Look& lk, float hx, float hy, float r) {
  const Col line = Rgb(0x1E1418);
  const Col brow = Mix(Darker(lk.hairCol, 0.6f), line, 0.4f);
  float browTilt = 0, lidTilt = 0, browLift = 0;  // + : inner end lower
  switch (lk.mood) {
    case Mood::kAngry:
    case Mood::kFierce:
      browTilt = 0.16f;
      lidTilt = 0.08f;
      break;
    case Mood::kSad:
      browTilt = -0.14f;
      lidTilt = -0.05f;
      browLift = 0.04f;
      break;
    case Mood::kSmile:
    case Mood::kGrin:
      browLift = 0.05f;
      break;
    default:
      break;
  }
  for (int s = -1; s <= 1; s += 2) {
    const float ex = hx + s * r * 0.36f, ey = hy + r * 0.1f;
    float lift = browLift + (lk.mood == Mood::kSmug && s > 0 ? 0.08f : 0.0f);
    // Eye white, iris, pupil and catch-light; a smile narrows the eye.
    float open = lk.mood == Mood::kSmile ? 0.6f : lk.mood == Mood::kSmug ? 0.75f : 1.0f;
    f.parts.push_back(
        Detail(Ellipse(ex, ey, r * 0.24f, r * 0.23f * open, Mix(Rgb(0xF8F4EE), lk.skin, 0.15f))));
    f.parts.push_back(
        Detail(Ellipse(ex - s * r * 0.03f, ey + r * 0.02f, r * 0.16f, r * 0.2f * open, lk.eyes)));
    f.parts.push_back(
        Detail(Ellipse(ex - s * r * 0.03f, ey + r * 0.03f, r * 0.075f, r * 0.1f * open, line)));
    f.parts.push_back(Detail(
        Ellipse(ex - r * 0.08f, ey - r * 0.06f * open, r * 0.06f, r * 0.06f, Rgb(0xFFFFFF))));
    // The upper lid: a heavy line over the eye, tilted with the mood, and a lash at the end.
    const float lidY = ey - r * 0.21f * open;
    Stroke(f,
           {ex - s * r * 0.26f, lidY + r * lidTilt, ex, lidY - r * 0.04f, ex + s * r * 0.28f,
            lidY + r * 0.02f - r * lidTilt * 0.3f, ex + s * r * 0.33f, lidY - r * 0.06f},
           r * 0.1f, line);
    // The brow.
    const float by = hy - r * (0.3f + lift);
    Stroke(f,
           {ex - s * r * 0.2f, by + r * browTilt, ex + s * r * 0.02f, by - r * 0.04f,
            ex + s * r * 0.24f, by + r * 0.02f - r * browTilt * 0.4f},
           r * 0.11f, brow);
  }
  // The nose: a short shaded stroke.
  const Col shade = Darker(lk.skin, 0.7f);
  Stroke(f,
         {hx + r * 0.04f, hy + r * 0.22f, hx + r * 0.08f, hy + r * 0.38f, hx - r * 0.02f,
          hy + r * 0.42f},
         r * 0.05f, shade);
  // The mouth.
  const float my = hy + r * 0.62f;
  const Col lip = Mix(line, Rgb(0x8A3030), 0.4f);
  switch (lk.mood) {
    case Mood::kSmile:
      Stroke(f,
             {hx - r * 0.24f, my - r * 0.06f, hx - r * 0.1f, my + r * 0.04f, hx + r * 0.1f,
              my + r * 0.04f, hx + r * 0.24f, my - r * 0.06f},
             r * 0.06f, lip);
      break;
    case Mood::kGrin:
    case Mood::kFierce: {
      // Open, teeth showing.
      f.parts.push_back(Detail(Ellipse(hx, my + r * 0.02f, r * 0.24f, r * 0.12f, Rgb(0x401418))));
      f.parts.push_back(
          Detail(Box(hx, my - r * 0.05f, r * 0.2f, r * 0.035f, Rgb(0xF4F0E8), r * 0.02f)));
      if (lk.mood == Mood::kFierce) {
        for (int s = -1; s <= 1; s += 2)
          f.parts.push_back(Detail(Poly({hx + s * r * 0.16f, my - r * 0.08f, hx + s * r * 0.1f,
                                         my - r * 0.08f, hx + s * r * 0.13f, my + r * 0.06f},
                                        Rgb(0xF4F0E8))));
      }
      break;
    }
    case Mood::kAngry:
      Stroke(f, {hx - r * 0.2f, my + r * 0.05f, hx, my - r * 0.02f, hx + r * 0.2f, my + r * 0.05f},
             r * 0.06f, lip);
      break;
    case Mood::kSad:
      Stroke(f, {hx - r * 0.14f, my + r * 0.04f, hx, my, hx + r * 0.14f, my + r * 0.04f}, r * 0.05f,
             lip);
      break;
    case Mood::kSmug:
      Stroke(f,
             {hx - r * 0.16f, my + r * 0.02f, hx + r * 0.08f, my + r * 0.01f, hx + r * 0.22f,
              my - r * 0.08f},
             r * 0.055f, lip);
      break;
    default:
      Stroke(f, {hx - r * 0.15f, my, hx, my + r * 0.015f, hx + r * 0.15f, my}, r * 0.05f, lip);
      break;
  }
}

void AddHairBack(Figure& f, const Look& lk, float hx, float hy, float r) {
  switch (lk.hair) {
    case Hair::kLong:
      f.parts.push_back(Poly({hx - r * 1.15f, hy - r * 0.2f, hx + r * 1.15f, hy - r * 0.2f,
                              hx + r * 1.35f, hy + r * 3.2f, hx - r * 1.35f, hy + r * 3.2f},
                             Darker(lk.hairCol, 0.8f)));
      break;
    case Hair::kTwinTails:
      f.parts.push_back(Capsule(hx - r * 1.1f, hy - r * 0.3f, hx - r * 1.7f, hy + r * 2.6f,
                                r * 0.45f, r * 0.25f, lk.hairCol));
      f.parts.push_back(Capsule(hx + r * 1.1f, hy - r * 0.3f, hx + r * 1.7f, hy + r * 2.6f,
                                r * 0.45f, r * 0.25f, lk.hairCol));
      break;
    case Hair::kPonytail:
      f.parts.push_back(Capsule(hx + r * 0.6f, hy - r * 0.7f, hx + r * 1.4f, hy + r * 2.2f,
                                r * 0.42f, r * 0.18f, lk.hairCol));
      break;
    case Hair::kHood:
      f.parts.push_back(Ellipse(hx, hy - r * 0.05f, r * 1.35f, r * 1.4f, lk.top));
      break;
    default:
      break;
  }
}

void AddHairFront(Figure& f, const Look& lk, float hx, float hy, float r) {
  Col c = lk.hairCol;
  switch (lk.hair) {
    case Hair::kBald:
      break;
    case Hair::kHood: {
      Part rim = Capsule(hx - r * 1.0f, hy - r * 0.55f, hx + r * 1.0f, hy - r * 0.55f, r * 0.3f,
                         r * 0.3f, Darker(lk.top, 0.8f));
      f.parts.push_back(rim);
      break;
    }
    case Hair::kSpiky:
      f.parts.push_back(Ellipse(hx, hy - r * 0.6f, r * 1.06f, r * 0.6f, c));
      for (int i = 0; i < 5; ++i) {
        float a = -2.6f + i * 0.5f;
        float bx = hx + std::cos(a) * r * 0.8f, by = hy - r * 0.3f + std::sin(a) * r * 0.8f;
        f.parts.push_back(Capsule(bx, by, hx + std::cos(a) * r * 1.7f,
                                  hy - r * 0.2f + std::sin(a) * r * 1.6f, r * 0.28f, r * 0.04f, c));
      }
      break;
    default: {
      if (lk.tiny) {
        f.parts.push_back(Ellipse(hx, hy - r * 0.6f, r * 1.08f, r * 0.62f, c));
        // A fringe of a few locks over the forehead, short enough to leave the eyes free.
        for (int i = 0; i < 4; ++i) {
          float fx = hx - r * 0.72f + i * r * 0.48f;
          f.parts.push_back(
              Capsule(fx, hy - r * 0.6f, fx + r * 0.12f, hy - r * 0.28f, r * 0.24f, r * 0.07f, c));
        }
        if (lk.hair == Hair::kLong || lk.hair == Hair::kTwinTails) {
          f.parts.push_back(Capsule(hx - r * 1.0f, hy - r * 0.2f, hx - r * 1.05f, hy + r * 1.3f,
                                    r * 0.25f, r * 0.12f, c));
          f.parts.push_back(Capsule(hx + r * 1.0f, hy - r * 0.2f, hx + r * 1.05f, hy + r * 1.3f,
                                    r * 0.25f, r * 0.12f, c));
        }
        break;
      }
      // The hair as one shape: the dome over the skull, down to the temples, and a fringe of
      // pointed locks over the forehead that leaves the eyes free.
      std::vector<float> xy;
      for (int i = 0; i <= 12; ++i) {
        float a = 3.14159f + 3.14159f * i / 12;
        xy.insert(xy.end(), {hx + std::cos(a) * r * 1.1f, hy - r * 0.4f + std::sin(a) * r * 0.88f});
      }
      xy.insert(xy.end(), {hx + r * 1.02f, hy - r * 0.02f});
      const int locks = 5;
      for (int i = 0; i <= 2 * locks; ++i) {
        float u = 0.92f - 1.84f * i / (2 * locks);
        xy.insert(xy.end(), {hx + u * r, hy - r * (i % 2 ? 0.26f : 0.56f)});
      }
      xy.insert(xy.end(), {hx - r * 1.02f, hy - r * 0.02f});
      f.parts.push_back(Poly(xy, c));
      f.parts.back().thickness = r * 0.5f;
      if (lk.hair == Hair::kLong || lk.hair == Hair::kTwinTails) {
        // Locks falling in front of the ears, without a line of their own.
        for (int s = -1; s <= 1; s += 2) {
          Part lock = Capsule(hx + s * r * 0.98f, hy - r * 0.1f, hx + s * r * 1.02f, hy + r * 1.2f,
                              r * 0.2f, r * 0.08f, c);
          lock.thickness = 2.5f;
          f.parts.push_back(lock);
        }
      }
      break;
    }
  }
}

}  // namespace

Figure BuildFigure(const Look& lk, float x, float footY) {
  Figure f;
  float H = lk.height;
  // An illustrated head is a little larger than life, so the face can speak at battle size.
  float r = H * (lk.child ? 0.09f : lk.tiny ? 0.062f : 0.068f);
  float hx = x, hy = footY - H + r;
  float shoulderY = hy + r * (lk.tiny ? 1.75f : 1.6f);
  float shoulderW = H * (lk.child ? 0.085f : 0.105f) * lk.build;
  float hipY = footY - H * (lk.child ? 0.43f : 0.48f);
  float hipW = H * 0.075f * lk.build;
  float limb = H * 0.028f * lk.build;
  f.headX = hx;
  f.headY = hy;
  f.headR = r;
  f.chestX = x;
  f.chestY = shoulderY + (hipY - shoulderY) * 0.3f;

  if (lk.cape) {
    f.parts.push_back(Poly(
        {x - shoulderW * 0.9f, shoulderY - r * 0.2f, x + shoulderW * 0.9f, shoulderY - r * 0.2f,
         x + shoulderW * 2.1f, footY - H * 0.05f, x - shoulderW * 2.1f, footY - H * 0.05f},
        Darker(lk.accent, 0.7f)));
    f.parts.back().thickness = 30;
  }
  AddHairBack(f, lk, hx, hy, r);
  if (lk.tail) {
    // A bushy tail sweeping out from behind the hips.
    float ty = footY - H * 0.45f;
    f.parts.push_back(Capsule(x + H * 0.04f, ty, x + H * 0.2f, ty + H * 0.12f, H * 0.03f,
                              H * 0.045f, lk.hairCol));
    f.parts.back().thickness = 12;
    f.parts.push_back(Capsule(x + H * 0.2f, ty + H * 0.12f, x + H * 0.26f, ty - H * 0.02f,
                              H * 0.045f, H * 0.02f, Mix(lk.hairCol, Rgb(0xF0E8D8), 0.5f)));
    f.parts.back().thickness = 12;
  }

  // Below the chest: legs, or the garment that hides them, each with its own outline.
  float kneeY = hipY + (footY - hipY) * 0.5f;
  auto legs = [&](Col upper, Col lower, Col shoe, float spread) {
    for (int s = -1; s <= 1; s += 2) {
      float kx = x + s * hipW * 0.75f * spread, fx = x + s * hipW * 0.95f * spread;
      if (lk.tiny) {
        f.parts.push_back(
            Capsule(x + s * hipW * 0.55f, hipY, kx, kneeY, limb * 1.35f, limb * 1.1f, upper));
        f.parts.push_back(Capsule(kx, kneeY, fx, footY - limb, limb * 1.1f, limb * 0.85f, lower));
      } else {
        // One leg from hip to ankle, a crease of the cloth behind the knee.
        f.parts.push_back(Limb(x + s * hipW * 0.55f, hipY, kx, kneeY, fx, footY - limb,
                               limb * 1.45f, limb * 1.05f, limb * 0.8f, upper));
        Fold(f,
             {kx - s * limb * 0.5f, kneeY - limb * 0.6f, kx, kneeY - limb * 0.1f,
              kx + s * limb * 0.5f, kneeY - limb * 0.5f},
             limb * 0.16f, upper);
        Fold(f, {x + s * hipW * 0.4f, hipY + limb * 1.2f, kx - s * limb * 0.1f, kneeY - limb * 2},
             limb * 0.14f, upper);
      }
      f.parts.push_back(
          Ellipse(fx + s * limb * 0.6f, footY - limb * 0.6f, limb * 1.5f, limb * 0.75f, shoe));
    }
  };
  float spread = lk.pose == Pose::kWide || lk.pose == Pose::kSword ? 1.9f : 1.0f;
  switch (lk.garment) {
    case Garment::kRobe:
      f.parts.push_back(
          Poly({x - hipW * 1.0f, hipY - H * 0.05f, x + hipW * 1.0f, hipY - H * 0.05f,
                x + hipW * 2.3f, footY - H * 0.015f, x - hipW * 2.3f, footY - H * 0.015f},
               lk.bottom));
      f.parts.back().thickness = 24;
      f.parts.push_back(Ellipse(x - hipW * 0.9f, footY - limb * 0.5f, limb * 1.6f, limb * 0.8f,
                                Darker(lk.bottom, 0.5f)));
      f.parts.push_back(Ellipse(x + hipW * 0.9f, footY - limb * 0.5f, limb * 1.6f, limb * 0.8f,
                                Darker(lk.bottom, 0.5f)));
      break;
    case Garment::kCoat: {
      legs(lk.bottom, lk.bottom, Darker(lk.bottom, 0.45f), spread);
      // The coat hangs open from the shoulders to below the knees, its tails apart.
      float hem = kneeY + (footY - kneeY) * 0.3f;
      for (int s = -1; s <= 1; s += 2) {
        f.parts.push_back(Poly(
            {x + s * shoulderW * 0.2f, shoulderY, x + s * shoulderW * 1.02f, shoulderY - r * 0.1f,
             x + s * hipW * 2.0f, hem, x + s * hipW * 0.35f, hem - H * 0.02f},
            lk.top));
        f.parts.back().thickness = 14;
      }
      break;
    }
    case Garment::kDress: {
      legs(lk.skin, lk.skin, lk.accent, 1.0f);
      float hem = kneeY + (footY - kneeY) * 0.15f;
      f.parts.push_back(Poly({x - hipW * 0.9f, hipY - H * 0.06f, x + hipW * 0.9f, hipY - H * 0.06f,
                              x + hipW * 2.6f, hem, x - hipW * 2.6f, hem},
                             lk.bottom));
      f.parts.back().thickness = 20;
      // A frill along the hem.
      f.parts.push_back(Capsule(x - hipW * 2.5f, hem, x + hipW * 2.5f, hem, limb * 0.55f,
                                limb * 0.55f, lk.under));
      break;
    }
    case Garment::kHakama: {
      // Two wide pleated legs that nearly touch the ground, feet just showing below.
      for (int s = -1; s <= 1; s += 2) {
        float outer = hipW * 2.5f, inner = hipW * 0.15f, hem = footY - limb * 1.2f;
        f.parts.push_back(Ellipse(x + s * hipW * 1.3f, footY - limb * 0.6f, limb * 1.4f,
                                  limb * 0.7f, Darker(lk.bottom, 0.4f)));
        f.parts.push_back(Poly({x + s * hipW * 0.05f, hipY - H * 0.03f, x + s * hipW * 1.2f,
                                hipY - H * 0.03f, x + s * outer, hem, x + s * inner, hem},
                               s < 0 ? lk.bottom : Darker(lk.bottom, 0.9f)));
        f.parts.back().thickness = 18;
        // Pleats: darker folds running down each leg.
        for (int k = 1; k <= 2; ++k) {
          float a = k / 3.0f;
          Part pleat =
              Capsule(x + s * hipW * (0.1f + 1.1f * a), hipY, x + s * (inner + (outer - inner) * a),
                      hem - 2, limb * 0.18f, limb * 0.3f, Darker(lk.bottom, 0.7f));
          pleat.thickness = 2;
          f.parts.push_back(pleat);
        }
      }
      break;
    }
    case Garment::kGown: {
      // A bell that swells out below the waist and trails on the ground, with a scalloped hem.
      std::vector<float> xy;
      const int steps = 12;
      float top = hipY - H * 0.05f, bottom = footY - limb * 0.2f;
      for (int i = 0; i <= steps; ++i) {
        float t = static_cast<float>(i) / steps;
        xy.push_back(x + hipW * (1.0f + 2.0f * std::pow(t, 1.7f)));
        xy.push_back(top + (bottom - top) * t);
      }
      for (int i = 0; i <= 8; ++i) {
        float u = 1.0f - 2.0f * i / 8.0f;
        xy.push_back(x + u * hipW * 3.0f);
        xy.push_back(bottom - (i % 2 ? limb * 0.8f : 0.0f));
      }
      for (int i = steps; i >= 0; --i) {
        float t = static_cast<float>(i) / steps;
        xy.push_back(x - hipW * (1.0f + 2.0f * std::pow(t, 1.7f)));
        xy.push_back(top + (bottom - top) * t);
      }
      f.parts.push_back(Poly(xy, lk.bottom));
      f.parts.back().thickness = 34;
      // A lighter underskirt showing at the hem, and a sash of the accent colour.
      f.parts.push_back(Capsule(x - hipW * 2.7f, bottom - limb * 0.6f, x + hipW * 2.7f,
                                bottom - limb * 0.6f, limb * 0.5f, limb * 0.5f,
                                Mix(lk.bottom, lk.accent, 0.5f)));
      break;
    }
    case Garment::kTrousers:
      legs(lk.bottom, lk.bottom, Darker(lk.bottom, 0.45f), spread);
      break;
  }

  // Torso: a tapering shape from the shoulders to the hips, with a belt; drawn, its shoulders
  // are rounded and its waist drawn in.
  if (lk.tiny) {
    f.parts.push_back(
        Poly({x - shoulderW, shoulderY - r * 0.15f, x + shoulderW, shoulderY - r * 0.15f,
              x + hipW * 1.1f, hipY + H * 0.03f, x - hipW * 1.1f, hipY + H * 0.03f},
             lk.top));
  } else {
    const float top = shoulderY - r * 0.3f, bottom = hipY + H * 0.03f;
    const float waistY = shoulderY + (hipY - shoulderY) * 0.62f;
    const float waist = (shoulderW * 0.5f + hipW * 0.6f) * (lk.build < 0.9f ? 0.82f : 0.95f);
    std::vector<float> xy;
    auto side = [&](int s) {
      // Down one side: the round of the shoulder, the chest, the waist, the hip.
      std::vector<float> pts = {x + s * shoulderW * 0.55f,
                                top,
                                x + s * shoulderW * 0.86f,
                                top + r * 0.1f,
                                x + s * shoulderW * 1.0f,
                                top + r * 0.45f,
                                x + s * shoulderW * 0.98f,
                                top + r * 1.0f,
                                x + s * waist,
                                waistY,
                                x + s * hipW * 1.1f,
                                bottom};
      if (s < 0) {
        for (size_t i = 0; i < pts.size(); i += 2) xy.insert(xy.end(), {pts[i], pts[i + 1]});
      } else {
        for (size_t i = pts.size(); i >= 2; i -= 2) xy.insert(xy.end(), {pts[i - 2], pts[i - 1]});
      }
    };
    side(-1);
    side(1);
    f.parts.push_back(Poly(xy, lk.top));
  }
  f.parts.back().thickness = shoulderW * 0.9f;
  if (!lk.tiny) {
    // Folds of the cloth pulled towards the belt, and a collar round the neck.
    for (int s = -1; s <= 1; s += 2) {
      Fold(f,
           {x + s * shoulderW * 0.75f, shoulderY + r * 0.9f, x + s * shoulderW * 0.45f,
            shoulderY + r * 1.8f, x + s * hipW * 0.5f, hipY - H * 0.02f},
           H * 0.004f, lk.top);
    }
    f.parts.push_back(Detail(Poly({x - r * 0.55f, shoulderY - r * 0.28f, x + r * 0.55f,
                                   shoulderY - r * 0.28f, x, shoulderY + r * 0.45f},
                                  Darker(lk.top, 0.55f))));
  }
  if (lk.garment == Garment::kCoat) {
    // The shirt shows between the coat's lapels.
    f.parts.push_back(Poly(
        {x - shoulderW * 0.3f, shoulderY - r * 0.1f, x + shoulderW * 0.3f, shoulderY - r * 0.1f,
         x + hipW * 0.35f, hipY + H * 0.03f, x - hipW * 0.35f, hipY + H * 0.03f},
        lk.under));
    f.parts.back().thickness = 6;
  }
  if (lk.garment == Garment::kHakama) {
    // The jacket's wrapped collar crosses the chest.
    f.parts.push_back(Poly(
        {x - shoulderW * 0.45f, shoulderY - r * 0.1f, x - shoulderW * 0.25f, shoulderY - r * 0.1f,
         x + hipW * 0.5f, hipY - H * 0.04f, x + hipW * 0.25f, hipY - H * 0.02f},
        lk.under));
    f.parts.back().thickness = 4;
  }
  f.parts.push_back(Box(x, hipY, hipW * 1.12f, H * 0.012f + 1, lk.accent, 1));
  f.parts.back().gloss = 0.4f;

  // Arms by pose: shoulder, elbow, hand for each side (s = -1 the viewer's left).
  for (int s = -1; s <= 1; s += 2) {
    float sx = x + s * shoulderW * 0.92f, sy = shoulderY + r * 0.1f;
    float ex, ey, hxp, hyp;
    switch (lk.pose) {
      case Pose::kCast:
        if (s < 0) {
          ex = sx - H * 0.09f;
          ey = sy + H * 0.02f;
          hxp = ex - H * 0.04f;
          hyp = ey - H * 0.11f;
        } else {
          ex = sx + H * 0.03f;
          ey = sy + H * 0.13f;
          hxp = ex + H * 0.01f;
          hyp = ey + H * 0.12f;
        }
        break;
      case Pose::kSword:
        ex = sx + s * H * 0.05f;
        ey = sy + H * 0.12f;
        hxp = x + s * H * 0.02f - H * 0.06f;
        hyp = ey + H * 0.04f;
        break;
      case Pose::kWide:
        ex = sx + s * H * 0.1f;
        ey = sy + H * 0.08f;
        hxp = ex + s * H * 0.07f;
        hyp = ey + H * 0.1f;
        break;
      case Pose::kPoint:
        if (s < 0) {
          ex = sx - H * 0.12f;
          ey = sy + H * 0.01f;
          hxp = ex - H * 0.11f;
          hyp = ey - H * 0.04f;
          break;
        }
        [[fallthrough]];
      case Pose::kAkimbo:
        ex = sx + s * H * 0.1f;
        ey = sy + H * 0.12f;
        hxp = x + s * hipW * 1.15f;
        hyp = hipY - H * 0.02f;
        break;
      case Pose::kArmsUp:
        ex = sx + s * H * 0.08f;
        ey = sy - H * 0.07f;
        hxp = ex + s * H * 0.04f;
        hyp = ey - H * 0.12f;
        break;
      default:
        ex = sx + s * H * 0.035f;
        ey = sy + H * 0.14f;
        hxp = ex + s * H * 0.01f;
        hyp = ey + H * 0.13f;
        break;
    }
    if (lk.tiny) {
      f.parts.push_back(Capsule(sx, sy, ex, ey, limb * 1.25f, limb * 1.0f, lk.top));
      f.parts.push_back(Capsule(ex, ey, hxp, hyp, limb * 1.0f, limb * 0.8f, lk.top));
    } else {
      // The sleeve from shoulder to wrist as one shape, creased inside the elbow.
      f.parts.push_back(
          Limb(sx, sy, ex, ey, hxp, hyp, limb * 1.3f, limb * 0.95f, limb * 0.78f, lk.top));
      Fold(f,
           {ex + (sx - ex) * 0.25f, ey + (sy - ey) * 0.25f, ex, ey,
            ex + (hxp - ex) * 0.2f + limb * 0.3f, ey + (hyp - ey) * 0.2f},
           limb * 0.14f, lk.top);
    }
    if (lk.tiny) {
      f.parts.push_back(Ellipse(hxp, hyp, limb * 1.05f, limb * 1.15f, lk.skin));
    } else {
      // A cuff at the wrist, then the hand.
      f.parts.push_back(Capsule(ex + (hxp - ex) * 0.86f, ey + (hyp - ey) * 0.86f, hxp, hyp,
                                limb * 0.9f, limb * 0.9f, Darker(lk.top, 0.8f)));
      AddHand(f, ex, ey, hxp, hyp, limb, s, lk.skin);
    }
    if (s < 0) {
      f.handLX = hxp;
      f.handLY = hyp;
    } else {
      f.handRX = hxp;
      f.handRY = hyp;
    }
  }

  // Neck and head; drawn, the neck is a flat shadow under the chin, not a lit column.
  f.parts.push_back(Capsule(hx, hy + r * 0.6f, hx, shoulderY, r * 0.32f, r * 0.38f,
                            Darker(lk.skin, lk.tiny ? 0.85f : 0.72f)));
  if (!lk.tiny) f.parts.back().thickness = 2.5f;
  if (lk.ears) {
    f.parts.push_back(Poly({hx - r * 0.9f, hy - r * 0.1f, hx - r * 1.7f, hy - r * 0.6f,
                            hx - r * 0.85f, hy + r * 0.35f},
                           lk.skin));
    f.parts.push_back(Poly({hx + r * 0.9f, hy - r * 0.1f, hx + r * 1.7f, hy - r * 0.6f,
                            hx + r * 0.85f, hy + r * 0.35f},
                           lk.skin));
  }
  f.parts.push_back(Ellipse(hx, hy, r * 0.95f, r * 1.08f, lk.skin));
  if (lk.beard) f.parts.push_back(Ellipse(hx, hy + r * 0.65f, r * 0.8f, r * 0.55f, lk.hairCol));
  if (lk.mask) {
    Part m = Ellipse(hx, hy + r * 0.05f, r * 0.9f, r * 1.0f, Rgb(0xF2F0EA));
    m.gloss = 0.5f;
    f.parts.push_back(m);
    // Slits for eyes, shaped by the mood, and a painted mark under each.
    for (int s = -1; s <= 1; s += 2) {
      float tilt = lk.mood == Mood::kAngry || lk.mood == Mood::kFierce ? 0.12f : 0.0f;
      f.parts.push_back(Detail(
          Poly({hx + s * r * 0.14f, hy - r * 0.02f + r * tilt, hx + s * r * 0.58f, hy - r * 0.08f,
                hx + s * r * 0.52f, hy + r * 0.08f, hx + s * r * 0.18f, hy + r * 0.1f},
               Rgb(0x101018))));
      f.parts.push_back(Detail(Capsule(hx + s * r * 0.36f, hy + r * 0.2f, hx + s * r * 0.32f,
                                       hy + r * 0.45f, r * 0.035f, r * 0.02f, lk.accent)));
    }
  } else if (lk.tiny) {
    for (int s = -1; s <= 1; s += 2) {
      f.parts.push_back(Ellipse(hx + s * r * 0.38f, hy + r * 0.05f, r * 0.17f, r * 0.24f, lk.eyes));
      Part shine = Ellipse(hx + s * r * 0.38f - r * 0.05f, hy - r * 0.05f, r * 0.06f, r * 0.07f,
                           Rgb(0xFFFFFF));
      shine.thickness = 0.5f;
      f.parts.push_back(shine);
    }
    f.parts.push_back(Capsule(hx - r * 0.15f, hy + r * 0.55f, hx + r * 0.15f, hy + r * 0.55f,
                              r * 0.05f, r * 0.05f, Darker(lk.skin, 0.6f)));
  } else {
    AddFace(f, lk, hx, hy, r);
  }
  AddHairFront(f, lk, hx, hy, r);
  if (lk.animalEars) {
    for (int s = -1; s <= 1; s += 2) {
      f.parts.push_back(Poly({hx + s * r * 0.35f, hy - r * 0.8f, hx + s * r * 1.05f, hy - r * 0.55f,
                              hx + s * r * 0.95f, hy - r * 1.75f},
                             lk.hairCol));
      f.parts.push_back(Poly({hx + s * r * 0.55f, hy - r * 0.85f, hx + s * r * 0.9f, hy - r * 0.7f,
                              hx + s * r * 0.88f, hy - r * 1.4f},
                             Rgb(0xE0A0A0)));
    }
  }
  if (lk.horns) {
    for (int s = -1; s <= 1; s += 2) {
      Part h = Capsule(hx + s * r * 0.6f, hy - r * 0.75f, hx + s * r * 1.2f, hy - r * 1.7f,
                       r * 0.2f, r * 0.04f, Rgb(0x2A2028));
      h.gloss = 0.6f;
      f.parts.push_back(h);
    }
  }
  // Every solid part gets its inked line; the flat details of the face keep theirs clean.
  const float ink = std::max(1.1f, H * 0.0045f);
  for (Part& p : f.parts) {
    if (p.thickness >= 3 && !lk.tiny) p.ink = ink;
  }
  return f;
}

void DrawFigure(Layer& l, const Figure& f, Light light) {
  light.cel = true;
  DrawParts(l, f.parts, light);
}

void DrawProp(Layer& l, Part p, Light light) {
  light.cel = true;
  if (p.thickness >= 3 && p.ink == 0) p.ink = 1.4f;
  DrawPart(l, p, light);
}

void Keyline(Layer& l) {
  Layer shape = l;
  InkOutline(l, shape, 1.6f, Rgb(0x120C14));
  Layer inked = l;
  InkOutline(l, inked, 1.2f, Rgb(0xC8B8D0));
}

void GroundShadow(Layer& l, float x, float y, float rx, float ry, float strength) {
  FillSd(
      l, x - rx, y - ry, x + rx, y + ry,
      [&](float px, float py) { return SdEllipse(px, py, x, y, rx, ry); },
      [&](float px, float py, float) {
        (void)px;
        (void)py;
        return Rgb(0x000000);
      },
      strength);
}

}  // namespace qv::assetgen
