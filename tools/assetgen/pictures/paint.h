#pragma once
// The small painting toolkit every picture of the island is made with: a floating-point
// layer with coverage, gradients, value noise, soft shapes given as distance functions,
// and shading that lights a shape from the upper left with a cool rim from behind.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace qv::assetgen {

struct Col {
  float r = 0, g = 0, b = 0;
};

inline Col Rgb(int hex) {
  return {((hex >> 16) & 255) / 255.0f, ((hex >> 8) & 255) / 255.0f, (hex & 255) / 255.0f};
}
inline Col Mix(Col a, Col b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Col Scale(Col a, float k) {
  return {a.r * k, a.g * k, a.b * k};
}
inline Col Add(Col a, Col b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline float Clamp01(float v) {
  return std::clamp(v, 0.0f, 1.0f);
}
inline float Smooth(float e0, float e1, float x) {
  float t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

// A picture being painted: colour plus coverage (alpha 0 is "nothing painted yet").
class Layer {
 public:
  Layer(int w, int h, Col fill = {}, float alpha = 1.0f);
  int w() const { return w_; }
  int h() const { return h_; }
  Col& at(int x, int y) { return px_[static_cast<size_t>(y) * w_ + x]; }
  Col at(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
  float& alpha(int x, int y) { return a_[static_cast<size_t>(y) * w_ + x]; }
  float alpha(int x, int y) const { return a_[static_cast<size_t>(y) * w_ + x]; }
  // Paints colour c over (x, y) with coverage k.
  void Blend(int x, int y, Col c, float k);
  // Bilinear sample with clamped edges.
  Col Sample(float x, float y) const;
  // While a mask is given, everything blended here is also laid on it (colour and coverage),
  // so a figure painted into a scene can be told apart from the ground it stands on. Glows
  // are light, not paint, and are not recorded.
  void Track(Layer* mask) { track_ = mask; }

 private:
  int w_, h_;
  std::vector<Col> px_;
  std::vector<float> a_;
  Layer* track_ = nullptr;
};

// Deterministic random numbers of our own, so every run paints the same bytes.
class Rng {
 public:
  explicit Rng(uint32_t seed) : s_(seed * 2654435761u + 1013904223u) {}
  uint32_t Next();
  float Unit() { return (Next() >> 8) * (1.0f / 16777216.0f); }
  float Range(float a, float b) { return a + (b - a) * Unit(); }
  int Int(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint32_t s_;
};

// Smooth value noise in 0..1 and its fractal sum.
float Noise(float x, float y, uint32_t seed);
float Fbm(float x, float y, int octaves, uint32_t seed);

// Vertical gradient through evenly spaced stops.
void VGradient(Layer& l, const std::vector<Col>& stops, int y0 = 0, int y1 = -1);
// Multiplies colours towards the edges: the soft vignette all scenes share.
void Vignette(Layer& l, float strength);
// Adds value-noise grain so large areas read as painted, not flat.
void Grain(Layer& l, float amount, uint32_t seed, float scale = 3.0f);

// Distance functions (negative inside) of the basic shapes.
float SdEllipse(float px, float py, float cx, float cy, float rx, float ry);
float SdCapsule(float px, float py, float ax, float ay, float bx, float by, float ra, float rb);
float SdBox(float px, float py, float cx, float cy, float hw, float hh, float round = 0);
float SdPoly(float px, float py, const std::vector<float>& xy);

// Fills a shape given by a distance function inside a bounding box, antialiased; paint(x, y,
// d) gives the colour at a pixel whose distance to the edge is d.
template <class Sd, class Paint>
void FillSd(Layer& l, float x0, float y0, float x1, float y1, Sd sd, Paint paint,
            float opacity = 1.0f) {
  int ix0 = std::max(0, static_cast<int>(std::floor(x0)) - 2);
  int iy0 = std::max(0, static_cast<int>(std::floor(y0)) - 2);
  int ix1 = std::min(l.w() - 1, static_cast<int>(std::ceil(x1)) + 2);
  int iy1 = std::min(l.h() - 1, static_cast<int>(std::ceil(y1)) + 2);
  for (int y = iy0; y <= iy1; ++y) {
    for (int x = ix0; x <= ix1; ++x) {
      float d = sd(x + 0.5f, y + 0.5f);
      float k = Clamp01(0.5f - d);
      if (k > 0) l.Blend(x, y, paint(x + 0.5f, y + 0.5f, d), k * opacity);
    }
  }
}

// A soft round glow (additive light) of radius r.
void Glow(Layer& l, float cx, float cy, float r, Col c, float strength);
// Flat filled shapes.
void FillEllipse(Layer& l, float cx, float cy, float rx, float ry, Col c, float opacity = 1);
void FillPoly(Layer& l, const std::vector<float>& xy, Col c, float opacity = 1);
void Line(Layer& l, float ax, float ay, float bx, float by, float width, Col c, float opacity = 1);

// Light of a scene: key light from a direction, ambient, and a rim colour from behind.
struct Light {
  float dx = -0.6f, dy = -0.7f;  // towards the key light, screen space
  Col key = {1.0f, 0.95f, 0.85f};
  Col ambient = {0.35f, 0.35f, 0.45f};
  Col rim = {0.6f, 0.8f, 1.0f};
  float rimStrength = 0.8f;
  // Cel shading: light falls in three flat tones with crisp steps between them, as in an
  // illustration, instead of a smooth rounded gradient.
  bool cel = false;
};

// One solid part of a figure, lit as a rounded volume.
struct Part {
  // kLimb: two capsules joined at a knee or elbow, outlined as one shape: a,b the root, c,d
  // the joint, e,f the end, poly the three radii.
  enum Kind { kEllipse, kCapsule, kBox, kPoly, kLimb } kind = kEllipse;
  float a = 0, b = 0, c = 0, d = 0, e = 0,
        f = 0;  // ellipse cx,cy,rx,ry; capsule ax,ay,bx,by,ra,rb; box cx,cy,hw,hh,round
  std::vector<float> poly;
  Col col;
  float thickness = 8;  // how deep the volume reads, in pixels
  float gloss = 0;      // specular highlight strength
  float opacity = 1;
  float ink = 0;  // width of the inked line along the part's edge, pixels (0: none)
  float Sd(float x, float y) const;
  void Bounds(float& x0, float& y0, float& x1, float& y1) const;
};

Part Ellipse(float cx, float cy, float rx, float ry, Col c);
Part Capsule(float ax, float ay, float bx, float by, float ra, float rb, Col c);
Part Box(float cx, float cy, float hw, float hh, Col c, float round = 2);
Part Poly(std::vector<float> xy, Col c);
Part Limb(float ax, float ay, float jx, float jy, float bx, float by, float ra, float rj, float rb,
          Col c);

// Draws parts in order with the scene's light.
void DrawParts(Layer& l, const std::vector<Part>& parts, const Light& light);
// Draws one part shaded.
void DrawPart(Layer& l, const Part& p, const Light& light);

// An inked keyline around everything painted on `mask`, drawn on `l` just outside it: the
// clean outer line that lifts a figure off the scene behind it.
void InkOutline(Layer& l, const Layer& mask, float width, Col ink);
// Rolls the highlights of `l` off below white wherever `mask` is painted.
void SoftenWhites(Layer& l, const Layer& mask);
// Lays `top` over `l` where it is painted.
void Composite(Layer& l, const Layer& top);

// Box-filter downsampling by an integer factor (used to antialias small sprites).
Layer Downsample(const Layer& big, int factor);

}  // namespace qv::assetgen
