#include "figures.h"

namespace qv::assetgen {

namespace {

Col Darker(Col c, float k) {
  return Scale(c, k);
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
  }
}

}  // namespace

Figure BuildFigure(const Look& lk, float x, float footY) {
  Figure f;
  float H = lk.height;
  float r = H * (lk.child ? 0.09f : 0.062f);
  float hx = x, hy = footY - H + r;
  float shoulderY = hy + r * 1.75f;
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

  // Below the chest: legs, or the garment that hides them, each with its own outline.
  float kneeY = hipY + (footY - hipY) * 0.5f;
  auto legs = [&](Col upper, Col lower, Col shoe, float spread) {
    for (int s = -1; s <= 1; s += 2) {
      float kx = x + s * hipW * 0.75f * spread, fx = x + s * hipW * 0.95f * spread;
      f.parts.push_back(
          Capsule(x + s * hipW * 0.55f, hipY, kx, kneeY, limb * 1.35f, limb * 1.1f, upper));
      f.parts.push_back(Capsule(kx, kneeY, fx, footY - limb, limb * 1.1f, limb * 0.85f, lower));
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

  // Torso: a tapering shape from the shoulders to the hips, with a belt.
  f.parts.push_back(
      Poly({x - shoulderW, shoulderY - r * 0.15f, x + shoulderW, shoulderY - r * 0.15f,
            x + hipW * 1.1f, hipY + H * 0.03f, x - hipW * 1.1f, hipY + H * 0.03f},
           lk.top));
  f.parts.back().thickness = shoulderW * 0.9f;
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
    f.parts.push_back(Capsule(sx, sy, ex, ey, limb * 1.25f, limb * 1.0f, lk.top));
    f.parts.push_back(Capsule(ex, ey, hxp, hyp, limb * 1.0f, limb * 0.8f, lk.top));
    f.parts.push_back(Ellipse(hxp, hyp, limb * 1.05f, limb * 1.15f, lk.skin));
    if (s < 0) {
      f.handLX = hxp;
      f.handLY = hyp;
    } else {
      f.handRX = hxp;
      f.handRY = hyp;
    }
  }

  // Neck and head.
  f.parts.push_back(
      Capsule(hx, hy + r * 0.6f, hx, shoulderY, r * 0.32f, r * 0.38f, Darker(lk.skin, 0.85f)));
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
    f.parts.push_back(Ellipse(hx - r * 0.36f, hy, r * 0.22f, r * 0.12f, Rgb(0x101018)));
    f.parts.push_back(Ellipse(hx + r * 0.36f, hy, r * 0.22f, r * 0.12f, Rgb(0x101018)));
  } else {
    // Eyes large enough to read at battle size, each with a catch-light.
    for (int s = -1; s <= 1; s += 2) {
      f.parts.push_back(Ellipse(hx + s * r * 0.38f, hy + r * 0.05f, r * 0.17f, r * 0.24f, lk.eyes));
      Part shine = Ellipse(hx + s * r * 0.38f - r * 0.05f, hy - r * 0.05f, r * 0.06f, r * 0.07f,
                           Rgb(0xFFFFFF));
      shine.thickness = 0.5f;
      f.parts.push_back(shine);
    }
    f.parts.push_back(Capsule(hx - r * 0.15f, hy + r * 0.55f, hx + r * 0.15f, hy + r * 0.55f,
                              r * 0.05f, r * 0.05f, Darker(lk.skin, 0.6f)));
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
  return f;
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
