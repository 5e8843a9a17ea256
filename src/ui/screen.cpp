#include "ui/screen.h"

#include <cstring>

#include "core/text.h"
#include "gfx/picture_file.h"
#include "ui/picture_problems.h"
#include "ui/surfaces.h"
#include "world/decorate_map.h"

namespace qv::ui {
namespace {

// The pictures of the sprite slots, loaded at start-up; slots 20 and 21 are the strips the
// title's stars are cut from.
constexpr const char* kSpriteFiles[36] = {
    "00.bmp",     "char0.bmp",     "map_free2.bmp", "map4.bmp",      "map5.bmp",  "map6.bmp",
    "map.bmp",    "man0.bmp",      "man1.bmp",      "00.bmp",        "map7.bmp",  "map8.bmp",
    "map_h.bmp",  "map9.bmp",      "map10.bmp",     "map_free3.bmp", "ship.bmp",  "map_free4.bmp",
    "norosi.bmp", "map_free5.bmp", "star1.bmp",     "star2.bmp",     nullptr,     nullptr,
    nullptr,      nullptr,         nullptr,         nullptr,         nullptr,     nullptr,
    nullptr,      nullptr,         nullptr,         nullptr,         "map11.bmp", "map13.bmp",
};
constexpr int kBigStrip = 20;

// The sprite slot that holds a free-area enemy's picture ("man0.bmp" or "man1.bmp"), or -1.
int EnemyPictureSlot(std::string_view file) {
  for (int slot = 7; slot <= 8; ++slot) {
    if (file == kSpriteFiles[slot]) return slot;
  }
  return -1;
}
constexpr int kSmallStrip = 21;

// A picture with words in it may have its own copy for the player's language (cg/en/...).
std::filesystem::path PictureFile(const Game& g, const Surfaces& s, std::string_view name) {
  const std::string file = Cp932ToUtf8(name);
  if (s.tr.Active()) {
    std::error_code ec;
    std::filesystem::path own = g.paths.cgDir / s.tr.GetCatalog().Language() / file;
    if (std::filesystem::is_regular_file(own, ec)) return own;
  }
  return g.paths.cgDir / file;
}

// Copies a picture without its transparency, top-left at (x, y).
void CopyOpaque(gfx::Bitmap& dst, const gfx::Bitmap& src, int32_t x, int32_t y) {
  CopyPixels(dst, x, y, src, src.Bounds());
}

// The frames of a strip, each its own transparent sprite.
void CutStrip(Surfaces& s, int strip, int first, int32_t side) {
  for (int i = 0; i < 6; ++i) {
    gfx::Bitmap frame(side, side);
    gfx::Canvas c(frame);
    if (!s.sprites[static_cast<size_t>(strip)].Empty()) {
      c.CopyRect(frame.Bounds(), s.sprites[static_cast<size_t>(strip)],
                 {side * i, 0, side * i + side, side});
    }
    frame.SetTransparent(true);
    s.sprites[static_cast<size_t>(first + i)] = std::move(frame);
  }
}

const gfx::Bitmap& EmptyBitmap() {
  static const gfx::Bitmap empty;
  return empty;
}

// DecorateMap draws the pool's sprites onto the freshly loaded map.
class BackgroundPainter : public world::MapPainter {
 public:
  explicit BackgroundPainter(Surfaces& s) : s_(s) {}
  void DrawSprite(int slot, int32_t x, int32_t y) override {
    if (slot < 0 || slot >= kSpriteSlots || slot == kBackgroundSlot) return;
    gfx::Canvas c(s_.Background());
    c.Draw(x, y, s_.sprites[static_cast<size_t>(slot)]);
  }

 private:
  Surfaces& s_;
};

}  // namespace

struct Screen::Impl {
  Surfaces s;
  PictureProblems problems;

  // Loads a picture of cg/; a failure is noted to be named.
  Result<gfx::Bitmap> Load(const Game& g, std::string_view name) {
    const std::filesystem::path file = PictureFile(g, s, name);
    Result<gfx::Bitmap> r = gfx::LoadPicture(file);
    if (!r.ok()) problems.Note(file, r.message());
    return r;
  }
};

Screen::Screen() : Screen(gfx::FontLibrary::Shared()) {}

Screen::Screen(gfx::FontLibrary& fonts) : impl_(std::make_unique<Impl>()) {
  Surfaces& s = impl_->s;
  s.fonts = &fonts;
  s.cg = gfx::Bitmap(kWindowWidth, kWindowHeight);
  s.bak = gfx::Bitmap(kWindowWidth, kWindowHeight);
  s.Background() = gfx::Bitmap(kWindowWidth, kWindowHeight);
  s.window = gfx::Bitmap(kWindowWidth, kWindowHeight);
}

Screen::~Screen() = default;

bool Screen::LoadSprites(Game& g) {
  Surfaces& s = impl_->s;
  s.DetachMapPicture();
  s.cg = gfx::Bitmap(kWindowWidth, kWindowHeight);
  s.cgOverBackground = false;
  s.cgChangesKnown = false;
  if (const Result<gfx::Bitmap> first = impl_->Load(g, "00.bmp"); first.ok()) {
    CopyOpaque(s.cg, *first, 0, 0);
  }
  s.bak = s.cg;
  for (int slot = 0; slot < kSpriteSlots; ++slot) {
    gfx::Bitmap& sprite = s.sprites[static_cast<size_t>(slot)];
    sprite = gfx::Bitmap();
    const char* file = slot < 36 ? kSpriteFiles[slot] : nullptr;
    if (file == nullptr) continue;
    if (Result<gfx::Bitmap> r = impl_->Load(g, file); r.ok()) sprite = std::move(*r);
    sprite.SetTransparent(true);
  }
  s.glowDirty = s.bak.Bounds();
  s.PicturesChanged();
  s.cgLog.Clear();
  s.cgLog.calls = "loaded";
  gfx::Canvas::LogValue(s.cgLog.calls, static_cast<int64_t>(s.generation));
  s.CgDrawn();
  CutStrip(s, kBigStrip, kBigStarSlot, 20);
  CutStrip(s, kSmallStrip, kSmallStarSlot, 10);
  s.sprites[kBigStrip] = gfx::Bitmap();
  s.sprites[kSmallStrip] = gfx::Bitmap();
  // Backgrounds are drawn into this slot, so it always covers the whole picture.
  gfx::Bitmap& back = s.Background();
  if (back.Width() != kWindowWidth || back.Height() != kWindowHeight) {
    back.Resize(kWindowWidth, kWindowHeight);
  }
  // Without the map there are no places to click: the game cannot be played at all.
  const bool noMap =
      impl_->problems.Failed(PictureFile(g, impl_->s, kSpriteFiles[kBackgroundSlot]));
  impl_->problems.Tell(g, noMap ? "地図の画像がないため、ゲームを始められません。" : nullptr);
  return !noMap;
}

void Screen::LoadSprite(Game& g, int slot, std::string_view file) {
  if (slot < 0 || slot >= kSpriteSlots) return;
  Result<gfx::Bitmap> r = impl_->Load(g, file);
  impl_->problems.Tell(g);
  if (!r.ok()) return;
  r->SetTransparent(true);
  impl_->s.sprites[static_cast<size_t>(slot)] = std::move(*r);
  impl_->s.PicturesChanged();
}

void Screen::ShowBackground(Game& g, std::string_view file) {
  Surfaces& s = impl_->s;
  const std::string name = file.empty() ? g.frame.background : std::string(file);
  g.frame.background = name;
  // A picture that cannot be read leaves the old background.
  std::optional<gfx::Bitmap> picture;
  if (!name.empty()) {
    if (Result<gfx::Bitmap> r = impl_->Load(g, name); r.ok()) picture = std::move(*r);
  }
  impl_->problems.Tell(g);
  if (picture) {
    gfx::Bitmap& back = s.Background();
    if (back.Width() != kWindowWidth || back.Height() != kWindowHeight) {
      back.Resize(kWindowWidth, kWindowHeight);
    }
    CopyOpaque(back, *picture, 0, 0);
    if (name == "map.bmp") {
      BackgroundPainter painter(s);
      world::DecorateMap(g, painter);
    }
    s.PicturesChanged();
  }
  ComposeFrame(g);
}

void Screen::LoadPicture(Game& g, W widget, std::string_view file) {
  const auto i = static_cast<size_t>(widget);
  if (i >= static_cast<size_t>(kWidgetCount)) return;
  Result<gfx::Bitmap> r = impl_->Load(g, file);
  impl_->problems.Tell(g);
  // A picture that cannot be read leaves the widget empty.
  if (widget == W::cg2) impl_->s.cg2FollowsCg = false;
  gfx::Bitmap& picture = impl_->s.pictures[i];
  picture = r.ok() ? std::move(*r) : gfx::Bitmap();
  picture.SetTransparent(g.form.widgets[i].transparent);
  impl_->s.PicturesChanged();
}

void Screen::CopyBackground(Game& g) {
  Surfaces& s = impl_->s;
  s.DetachMapPicture();
  const gfx::Bitmap& back = s.Background();
  if (s.cgOverBackground && s.cgBackgroundGeneration == s.generation &&
      back.Width() == s.cg.Width() && back.Height() == s.cg.Height()) {
    // Only what was drawn since the last copy differs from the background.
    for (const gfx::Rect& r : s.cgOffBackground) CopyPixels(s.cg, r.left, r.top, back, r);
    s.cgChanged.insert(s.cgChanged.end(), s.cgOffBackground.begin(), s.cgOffBackground.end());
  } else {
    CopyOpaque(s.cg, back, 0, 0);
    s.cgChangesKnown = false;
  }
  s.cgOverBackground = true;
  s.cgBackgroundGeneration = s.generation;
  s.cgOffBackground.clear();
  s.cgLog.Clear();
  gfx::Canvas::LogValue(s.cgLog.calls, static_cast<int64_t>(s.generation));
  s.CgDrawn();
}

void Screen::DrawTitleScreen(Game& g) {
  Surfaces& s = impl_->s;
  // The glow pass of the title adds nothing: its layer is cleared first.
  FillPixels(s.bak, s.glowDirty, 0x000000);
  s.glowDirty = {};
  s.cgComposed = false;
  if (g.screen.scene != -1) return;
  s.DetachMapPicture();
  DrawTitleSprites(g, s);
  s.cgChanged.insert(s.cgChanged.end(), s.cgOffBackground.begin(), s.cgOffBackground.end());
  // Title frames drawn one over another without a copy or a render between them: restore and
  // show it all next time.
  if (s.cgOffBackground.size() > 4 * kTitleSprites) {
    s.cgOverBackground = false;
    s.cgOffBackground.clear();
  }
  if (s.cgChanged.size() > 8 * kTitleSprites) {
    s.cgChangesKnown = false;
    s.cgChanged.clear();
  }
  s.CgDrawn();
}

namespace {

// A frame in which nothing moves: no pop-up alive and nothing shaking. Drawing one changes
// nothing of the game, so it may be sketched first and drawn after.
bool StillFrame(const Game& g) {
  if (g.frame.enemyShake > 0 || g.frame.playerShake >= 1) return false;
  for (const PopupSlot& p : g.text.popups) {
    if (p.age >= 1) return false;
  }
  return true;
}

// The frame's drawing calls in order, from the background up; while sketching, only logged.
void DrawFrame(Game& g, Surfaces& s, bool sketch) {
  s.cg2FollowsCg = false;
  FrameCanvas f(s, g);
  s.cgLog.Clear();
  s.glowLog.Clear();
  f.cg.LogTo(&s.cgLog);
  f.glow.LogTo(&s.glowLog);
  f.cg.SetSketching(sketch);
  f.glow.SetSketching(sketch);
  if (!sketch) CopyOpaque(s.cg, s.Background(), 0, 0);
  // The glow layer is black but for what the last frame drew on it; game over tints it all.
  const gfx::Color tint = g.battle.gameOver == 1 ? 0xFF0000 : 0x000000;
  gfx::Rect glowDirty;
  if (tint != 0) {
    if (!sketch) s.bak.Fill(tint);
    glowDirty = s.bak.Bounds();
  } else if (!sketch) {
    FillPixels(s.bak, s.glowDirty, 0x000000);
  }
  gfx::Canvas::LogValue(s.cgLog.calls, static_cast<int64_t>(s.generation));
  gfx::Canvas::LogValue(s.cgLog.calls, tint);
  // Whether the map picture follows this frame (a sketch relies on the copy it keeps).
  gfx::Canvas::LogValue(s.cgLog.calls, int64_t{g.frame.mapShown == 1});
  // A free-area enemy stands at the right edge while its battle runs; story enemies are
  // painted into their backgrounds, so nothing is drawn for them.
  if (g.battle.battleActive == 1 && !g.frame.enemyPicture.empty()) {
    const int slot = EnemyPictureSlot(g.frame.enemyPicture);
    if (slot >= 0) {
      const gfx::Bitmap& who = s.sprites[static_cast<size_t>(slot)];
      f.cg.Draw(kWindowWidth - who.Width(), 0, who);
    }
  }
  DrawStatusPanel(g, f);
  DrawOverlay(g, f);
  f.glow.LogTo(nullptr);
  s.cgLog.calls += s.glowLog.calls;
  // A sketch keeps the glow's rectangle: it was drawn by the same calls.
  if (!sketch) {
    s.glowLog.Touch(glowDirty);
    s.glowDirty = s.glowLog.area;
    OrPixels(s.cg, s.bak, s.glowDirty);
  }
  if (g.frame.mapShown == 1) s.cg2FollowsCg = true;
  if (g.frame.playerShake >= 1) {
    g.frame.playerShake -= 1;
    const int32_t dx = Random(g, 9) - 4;
    const int32_t dy = Random(g, 9) - 4;
    s.DetachMapPicture();
    if (f.cg.Logged('s', 0, 0, kWindowWidth, kWindowHeight, dx, dy)) {
      CopyPixels(s.cg, dx, dy, s.cg, s.cg.Bounds());
    }
  }
  // The click indicator: a line waits for a click.
  if (g.battle.paused == 1) {
    // The map picture keeps the frame without it; a sketch finds that copy already made.
    if (sketch) {
      s.cg2FollowsCg = false;
    } else {
      s.DetachMapPicture();
    }
    f.cg.brush.style = gfx::BrushStyle::Clear;
    f.cg.font.color = 0xFFFFFF;
    f.Size(f.cg, 8);
    const std::string& mark = Sjis("▼");
    f.OutlinedText(f.cg, kWindowWidth - f.Width(f.cg, mark), 470, mark);
  }
}

}  // namespace

void Screen::ComposeFrame(Game& g) {
  Surfaces& s = impl_->s;
  // The map picture is pointed at this frame again below; any other frame keeps the old one.
  if (g.frame.mapShown != 1) s.DetachMapPicture();
  s.cgOverBackground = false;
  s.cgChangesKnown = false;
  // The map left alone or a battle waiting for the player draws the same frame tick after
  // tick. Once a frame has come twice, the next still one is sketched and drawn only if its
  // calls differ from those the main picture was drawn with. A frame in motion is drawn
  // straight away, and a still one pays for a sketch in vain only on the tick it changes.
  if (s.cgComposed && s.frameRepeated && StillFrame(g)) {
    DrawFrame(g, s, true);
    if (s.cgLog.calls == s.lastCgCalls) {
      ++s.framesKept;
      return;
    }
  }
  DrawFrame(g, s, false);
  s.frameRepeated = s.cgLog.calls == s.lastCgCalls;
  s.CgDrawn();
  s.cgComposed = true;
}

uint64_t Screen::FramesKept() const {
  return impl_->s.framesKept;
}

void Screen::SetCatalog(Catalog catalog) {
  impl_->s.tr.SetCatalog(std::move(catalog));
}

Translator& Screen::Texts() {
  return impl_->s.tr;
}

std::vector<std::string> Screen::TextProblems(const Game& g) {
  std::vector<std::string> problems = AuditHiddenTexts(g, impl_->s);
  if (!impl_->s.tr.Active()) return problems;
  for (std::string& p : AuditTexts(g, impl_->s)) problems.push_back(std::move(p));
  return problems;
}

const gfx::Bitmap& Screen::RenderWindow(const Game& g) {
  RenderWidgets(g, impl_->s);
  return impl_->s.window;
}

bool Screen::WindowChanged() const {
  return impl_->s.windowChanged;
}

uint64_t Screen::WindowSerial() const {
  return impl_->s.windowSerial;
}

const std::vector<gfx::Rect>* Screen::WindowChanges() const {
  const Surfaces& s = impl_->s;
  return s.windowChanged && s.windowPartly ? &s.windowChanges : nullptr;
}

const gfx::Bitmap& Screen::MainPicture() const {
  return impl_->s.cg;
}
const gfx::Bitmap& Screen::GlowLayer() const {
  return impl_->s.bak;
}

const gfx::Bitmap& Screen::Sprite(int slot) const {
  if (slot < 0 || slot >= kSpriteSlots) return EmptyBitmap();
  return impl_->s.sprites[static_cast<size_t>(slot)];
}

void Screen::SetSprite(int slot, const gfx::Bitmap& picture) {
  if (slot < 0 || slot >= kSpriteSlots) return;
  impl_->s.sprites[static_cast<size_t>(slot)] = picture;
  impl_->s.sprites[static_cast<size_t>(slot)].SetTransparent(true);
  impl_->s.PicturesChanged();
}

const gfx::Bitmap& Screen::Picture(W widget) const {
  if (widget == W::kCount) return EmptyBitmap();
  return impl_->s.PictureOf(widget);
}

void Screen::SetPicture(W widget, const gfx::Bitmap& picture) {
  if (widget == W::kCount) return;
  if (widget == W::cg2) impl_->s.cg2FollowsCg = false;
  impl_->s.pictures[static_cast<size_t>(widget)] = picture;
  impl_->s.PicturesChanged();
}

}  // namespace qv::ui
