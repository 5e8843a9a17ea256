#include "paint.h"

namespace qv::assetgen {

Layer::Layer(int w, int h, Col fill, float alpha)
    : w_(w), h_(h), px_(static_cast<size_t>(w) * h, fill), a_(static_cast<size_t>(w) * h, alpha) {}

void Layer::Blend(int x, int y, Col c, float k) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_ || k <= 0) return;
  k = std::min(k, 1.0f);
  size_t i = static_cast<size_t>(y) * w_ + x;
  float a = a_[i];
  float out = k + a * (1 - k);
  if (out <= 0) return;
  Col& p = px_[i];
  // Straight (unpremultiplied) "over", so partly covered sprite edges keep their colour.
  p.r = (c.r * k + p.r * a * (1 - k)) / out;
  p.g = (c.g * k + p.g * a * (1 - k)) / out;
  p.b = (c.b * k + p.b * a * (1 - k)) / out;
  a_[i] = out;
  if (track_) track_->Blend(x, y, c, k);
}

Col Layer::Sample(float x, float y) const {
  x = std::clamp(x, 0.0f, static_cast<float>(w_ - 1));
  y = std::clamp(y, 0.0f, static_cast<float>(h_ - 1));
  int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
  int x1 = std::min(x0 + 1, w_ - 1), y1 = std::min(y0 + 1, h_ - 1);
  float fx = x - x0, fy = y - y0;
  Col top = Mix(at(x0, y0), at(x1, y0), fx);
  Col bottom = Mix(at(x0, y1), at(x1, y1), fx);
  return Mix(top, bottom, fy);
}

uint32_t Rng::Next() {
  // xorshift32: small, fast and the same on every machine.
  s_ ^= s_ << 13;
  s_ ^= s_ >> 17;
  s_ ^= s_ << 5;
  return s_;
}

namespace {

uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

float Lattice(int32_t x, int32_t y, uint32_t seed) {
  return (Hash(x, y, seed) & 0xFFFFFF) / 16777215.0f;
}

}  // namespace

float Noise(float x, float y, uint32_t seed) {
  float fx = std::floor(x), fy = std::floor(y);
  int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
  float tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  float a = Lattice(ix, iy, seed), b = Lattice(ix + 1, iy, seed);
  float c = Lattice(ix, iy + 1, seed), d = Lattice(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Fbm(float x, float y, int octaves, uint32_t seed) {
  float sum = 0, amp = 0.5f, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += Noise(x, y, seed + i * 101u) * amp;
    norm += amp;
    x = x * 2.03f + 17.1f;
    y = y * 2.03f + 9.7f;
    amp *= 0.5f;
  }
  return sum / norm;
}

void VGradient(Layer& l, const std::vector<Col>& stops, int y0, int y1) {
  if (y1 < 0) y1 = l.h();
  int n = static_cast<int>(stops.size());
  for (int y = std::max(0, y0); y < std::min(y1, l.h()); ++y) {
    float t = (y1 - y0 <= 1) ? 0 : static_cast<float>(y - y0) / (y1 - y0 - 1) * (n - 1);
    int i = std::min(static_cast<int>(t), n - 2);
    Col c = n == 1 ? stops[0] : Mix(stops[i], stops[i + 1], t - i);
    for (int x = 0; x < l.w(); ++x) l.Blend(x, y, c, 1);
  }
}

void Vignette(Layer& l, float strength) {
  float cx = l.w() / 2.0f, cy = l.h() / 2.0f;
  for (int y = 0; y < l.h(); ++y) {
    for (int x = 0; x < l.w(); ++x) {
      float dx = (x - cx) / cx, dy = (y - cy) / cy;
      float k = 1 - strength * Smooth(0.5f, 1.5f, dx * dx + dy * dy);
      l.at(x, y) = Scale(l.at(x, y), k);
    }
  }
}

void Grain(Layer& l, float amount, uint32_t seed, float scale) {
  for (int y = 0; y < l.h(); ++y) {
    for (int x = 0; x < l.w(); ++x) {
      float n = Noise(x / scale, y / scale, seed) - 0.5f;
      float k = 1 + n * amount;
      l.at(x, y) = Scale(l.at(x, y), k);
    }
  }
}

float SdEllipse(float px, float py, float cx, float cy, float rx, float ry) {
  float dx = (px - cx) / rx, dy = (py - cy) / ry;
  float len = std::sqrt(dx * dx + dy * dy);
  // Scaled distance: exact for circles, close enough for the soft ellipses we paint.
  return (len - 1) * std::min(rx, ry);
}

float SdCapsule(float px, float py, float ax, float ay, float bx, float by, float ra, float rb) {
  float vx = bx - ax, vy = by - ay;
  float len2 = vx * vx + vy * vy;
  float t = len2 > 0 ? Clamp01(((px - ax) * vx + (py - ay) * vy) / len2) : 0;
  float dx = px - (ax + vx * t), dy = py - (ay + vy * t);
  return std::sqrt(dx * dx + dy * dy) - (ra + (rb - ra) * t);
}

float SdBox(float px, float py, float cx, float cy, float hw, float hh, float round) {
  float qx = std::fabs(px - cx) - hw + round, qy = std::fabs(py - cy) - hh + round;
  float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - round;
}

float SdPoly(float px, float py, const std::vector<float>& xy) {
  size_t n = xy.size() / 2;
  if (n < 3) return 1e9f;
  float best = 1e30f;
  bool inside = false;
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
    float ex = xj - xi, ey = yj - yi, wx = px - xi, wy = py - yi;
    float len2 = ex * ex + ey * ey;
    float t = len2 > 0 ? Clamp01((wx * ex + wy * ey) / len2) : 0;
    float dx = wx - ex * t, dy = wy - ey * t;
    best = std::min(best, dx * dx + dy * dy);
    if (((yi > py) != (yj > py)) && (px < (xj - xi) * (py - yi) / (yj - yi) + xi)) inside = !inside;
  }
  float d = std::sqrt(best);
  return inside ? -d : d;
}

void Glow(Layer& l, float cx, float cy, float r, Col c, float strength) {
  int x0 = std::max(0, static_cast<int>(cx - r)),
      x1 = std::min(l.w() - 1, static_cast<int>(cx + r));
  int y0 = std::max(0, static_cast<int>(cy - r)),
      y1 = std::min(l.h() - 1, static_cast<int>(cy + r));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      float dx = (x + 0.5f - cx) / r, dy = (y + 0.5f - cy) / r;
      float d2 = dx * dx + dy * dy;
      if (d2 >= 1) continue;
      float k = (1 - d2) * (1 - d2) * strength;
      Col& p = l.at(x, y);
      p = Add(p, Scale(c, k));
      l.alpha(x, y) = std::max(l.alpha(x, y), Clamp01(k * 2));
    }
  }
}

void FillEllipse(Layer& l, float cx, float cy, float rx, float ry, Col c, float opacity) {
  FillSd(
      l, cx - rx, cy - ry, cx + rx, cy + ry,
      [&](float x, float y) { return SdEllipse(x, y, cx, cy, rx, ry); },
      [&](float, float, float) { return c; }, opacity);
}

void FillPoly(Layer& l, const std::vector<float>& xy, Col c, float opacity) {
  float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
  for (size_t i = 0; i + 1 < xy.size(); i += 2) {
    x0 = std::min(x0, xy[i]);
    x1 = std::max(x1, xy[i]);
    y0 = std::min(y0, xy[i + 1]);
    y1 = std::max(y1, xy[i + 1]);
  }
  FillSd(
      l, x0, y0, x1, y1, [&](float x, float y) { return SdPoly(x, y, xy); },
      [&](float, float, float) { return c; }, opacity);
}

void Line(Layer& l, float ax, float ay, float bx, float by, float width, Col c, float opacity) {
  float r = width / 2;
  FillSd(
      l, std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r, std::max(ay, by) + r,
      [&](float x, float y) { return SdCapsule(x, y, ax, ay, bx, by, r, r); },
      [&](float, float, float) { return c; }, opacity);
}

float Part::Sd(float x, float y) const {
  switch (kind) {
    case kEllipse:
      return SdEllipse(x, y, a, b, c, d);
    case kCapsule:
      return SdCapsule(x, y, a, b, c, d, e, f);
    case kBox:
      return SdBox(x, y, a, b, c, d, e);
    case kPoly:
      return SdPoly(x, y, poly);
    case kLimb:
      return std::min(SdCapsule(x, y, a, b, c, d, poly[0], poly[1]),
                      SdCapsule(x, y, c, d, e, f, poly[1], poly[2]));
  }
  return 1e9f;
}

void Part::Bounds(float& x0, float& y0, float& x1, float& y1) const {
  switch (kind) {
    case kEllipse:
      x0 = a - c;
      x1 = a + c;
      y0 = b - d;
      y1 = b + d;
      return;
    case kCapsule: {
      float r = std::max(e, f);
      x0 = std::min(a, c) - r;
      x1 = std::max(a, c) + r;
      y0 = std::min(b, d) - r;
      y1 = std::max(b, d) + r;
      return;
    }
    case kBox:
      x0 = a - c;
      x1 = a + c;
      y0 = b - d;
      y1 = b + d;
      return;
    case kLimb: {
      float r = std::max({poly[0], poly[1], poly[2]});
      x0 = std::min({a, c, e}) - r;
      x1 = std::max({a, c, e}) + r;
      y0 = std::min({b, d, f}) - r;
      y1 = std::max({b, d, f}) + r;
      return;
    }
    case kPoly:
      x0 = y0 = 1e9f;
      x1 = y1 = -1e9f;
      for (size_t i = 0; i + 1 < poly.size(); i += 2) {
        x0 = std::min(x0, poly[i]);
        x1 = std::max(x1, poly[i]);
        y0 = std::min(y0, poly[i + 1]);
        y1 = std::max(y1, poly[i + 1]);
      }
      return;
  }
}

Part Ellipse(float cx, float cy, float rx, float ry, Col c) {
  Part p;
  p.kind = Part::kEllipse;
  p.a = cx;
  p.b = cy;
  p.c = rx;
  p.d = ry;
  p.col = c;
  p.thickness = std::min(rx, ry);
  return p;
}

Part Capsule(float ax, float ay, float bx, float by, float ra, float rb, Col c) {
  Part p;
  p.kind = Part::kCapsule;
  p.a = ax;
  p.b = ay;
  p.c = bx;
  p.d = by;
  p.e = ra;
  p.f = rb;
  p.col = c;
  p.thickness = std::max(ra, rb);
  return p;
}

Part Box(float cx, float cy, float hw, float hh, Col c, float round) {
  Part p;
  p.kind = Part::kBox;
  p.a = cx;
  p.b = cy;
  p.c = hw;
  p.d = hh;
  p.e = round;
  p.col = c;
  p.thickness = std::min(hw, hh) * 0.6f;
  return p;
}

Part Limb(float ax, float ay, float jx, float jy, float bx, float by, float ra, float rj, float rb,
          Col c) {
  Part p;
  p.kind = Part::kLimb;
  p.a = ax;
  p.b = ay;
  p.c = jx;
  p.d = jy;
  p.e = bx;
  p.f = by;
  p.poly = {ra, rj, rb};
  p.col = c;
  p.thickness = std::max({ra, rj, rb});
  return p;
}

Part Poly(std::vector<float> xy, Col c) {
  Part p;
  p.kind = Part::kPoly;
  p.poly = std::move(xy);
  p.col = c;
  p.thickness = 10;
  return p;
}

namespace {

// Three flat tones of light with narrow soft steps between them.
float CelTone(float diff) {
  return 0.42f + 0.33f * Smooth(0.22f, 0.27f, diff) + 0.25f * Smooth(0.68f, 0.73f, diff);
}

// Rolls the brightest light off softly below white, so white cloth keeps its folds and the
// picture never burns out.
float Shoulder(float v) {
  return v < 0.8f ? v : 0.8f + 0.16f * (1 - std::exp(-(v - 0.8f) / 0.16f));
}

}  // namespace

void DrawPart(Layer& l, const Part& p, const Light& light) {
  float x0, y0, x1, y1;
  p.Bounds(x0, y0, x1, y1);
  float lx = light.dx, ly = light.dy, lz = 0.65f;
  float ln = std::sqrt(lx * lx + ly * ly + lz * lz);
  lx /= ln;
  ly /= ln;
  lz /= ln;
  float t = std::max(1.0f, p.thickness);
  // The line is the part's own colour, darkened and cooled: dark parts get a line just
  // darker than themselves, bright parts a strong one.
  const Col ink = Mix(Scale(p.col, 0.28f), Rgb(0x1A1420), 0.5f);
  FillSd(
      l, x0, y0, x1, y1, [&](float x, float y) { return p.Sd(x, y); },
      [&](float x, float y, float d) {
        // The outward direction of the silhouette, bent towards the viewer inside the shape,
        // gives a rounded normal without any real geometry.
        float gx = p.Sd(x + 1, y) - p.Sd(x - 1, y), gy = p.Sd(x, y + 1) - p.Sd(x, y - 1);
        float gl = std::sqrt(gx * gx + gy * gy);
        if (gl > 0) {
          gx /= gl;
          gy /= gl;
        }
        float depth = Clamp01(-d / t);
        float z = std::sqrt(Clamp01(1 - (1 - depth) * (1 - depth)));
        float s = std::sqrt(Clamp01(1 - z * z));
        float nx = gx * s, ny = gy * s;
        float diff = std::max(0.0f, nx * lx + ny * ly + z * lz);
        float back = std::max(0.0f, -(gx * lx + gy * ly));
        Col c;
        if (light.cel) {
          float tone = CelTone(diff);
          c = {p.col.r * (light.ambient.r * 0.6f + light.key.r * tone),
               p.col.g * (light.ambient.g * 0.6f + light.key.g * tone),
               p.col.b * (light.ambient.b * 0.6f + light.key.b * tone)};
          // A crisp band of back light along the shadowed edge.
          float rim = light.rimStrength * 0.4f * Smooth(0.45f, 0.55f, back) *
                      Smooth(-0.5f, 0.5f, -d - p.ink) * Smooth(-2.2f, -1.6f, d + p.ink);
          c = Add(c, Scale(light.rim, rim));
          if (p.gloss > 0) c = Add(c, Scale(light.key, p.gloss * Smooth(0.9f, 0.93f, diff)));
        } else {
          c = {p.col.r * (light.ambient.r + light.key.r * diff),
               p.col.g * (light.ambient.g + light.key.g * diff),
               p.col.b * (light.ambient.b + light.key.b * diff)};
          float rim = light.rimStrength * back * Smooth(0.55f, 0.0f, z) * Smooth(-3.5f, -0.5f, -d);
          c = Add(c, Scale(light.rim, rim));
          if (p.gloss > 0) c = Add(c, Scale(light.key, p.gloss * std::pow(diff, 16.0f)));
        }
        if (p.ink > 0) c = Mix(c, ink, Clamp01(p.ink + 0.5f + d));
        if (light.cel) c = {Shoulder(c.r), Shoulder(c.g), Shoulder(c.b)};
        return c;
      },
      p.opacity);
}

void DrawParts(Layer& l, const std::vector<Part>& parts, const Light& light) {
  for (const Part& p : parts) DrawPart(l, p, light);
}

void InkOutline(Layer& l, const Layer& mask, float width, Col ink) {
  const int reach = static_cast<int>(std::ceil(width)) + 1;
  for (int y = 0; y < l.h(); ++y) {
    for (int x = 0; x < l.w(); ++x) {
      if (mask.alpha(x, y) >= 0.99f) continue;
      // Coverage of the line: how close the nearest painted pixel of the mask lies.
      float best = 0;
      for (int j = -reach; j <= reach; ++j) {
        int yy = y + j;
        if (yy < 0 || yy >= mask.h()) continue;
        for (int i = -reach; i <= reach; ++i) {
          int xx = x + i;
          if (xx < 0 || xx >= mask.w()) continue;
          float a = mask.alpha(xx, yy);
          if (a <= 0) continue;
          float dist = std::sqrt(static_cast<float>(i * i + j * j));
          best = std::max(best, a * Clamp01(width + 0.5f - dist));
        }
      }
      if (best > 0) l.Blend(x, y, ink, best * (1 - mask.alpha(x, y)));
    }
  }
}

void SoftenWhites(Layer& l, const Layer& mask) {
  for (int y = 0; y < l.h(); ++y) {
    for (int x = 0; x < l.w(); ++x) {
      if (mask.alpha(x, y) <= 0) continue;
      Col& c = l.at(x, y);
      c = {Shoulder(c.r), Shoulder(c.g), Shoulder(c.b)};
    }
  }
}

void Composite(Layer& l, const Layer& top) {
  for (int y = 0; y < std::min(l.h(), top.h()); ++y) {
    for (int x = 0; x < std::min(l.w(), top.w()); ++x) l.Blend(x, y, top.at(x, y), top.alpha(x, y));
  }
}

Layer Downsample(const Layer& big, int factor) {
  Layer out(big.w() / factor, big.h() / factor, {}, 0);
  float inv = 1.0f / (factor * factor);
  for (int y = 0; y < out.h(); ++y) {
    for (int x = 0; x < out.w(); ++x) {
      Col sum{};
      float a = 0;
      for (int j = 0; j < factor; ++j) {
        for (int i = 0; i < factor; ++i) {
          float k = big.alpha(x * factor + i, y * factor + j);
          sum = Add(sum, Scale(big.at(x * factor + i, y * factor + j), k));
          a += k;
        }
      }
      out.at(x, y) = a > 0 ? Scale(sum, 1 / a) : Col{};
      out.alpha(x, y) = a * inv;
    }
  }
  return out;
}

}  // namespace qv::assetgen
