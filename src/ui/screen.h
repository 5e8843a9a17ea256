#pragma once
// The presentation: the main picture `cg`, the glow layer `bak`, the 40 sprite slots, the
// background and the pictures of the picture widgets; composes every frame and renders the
// whole window (the main picture with every visible widget over it).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"
#include "core/host.h"
#include "gfx/bitmap.h"
#include "gfx/fonts.h"
#include "ui/catalog.h"

namespace qv::ui {

class Translator;

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
constexpr int kSpriteSlots = 40;

class Screen : public Presenter {
 public:
  // Draws with the shared fonts, or with a library of the caller's (benchmarks, tests).
  Screen();
  explicit Screen(gfx::FontLibrary& fonts);
  ~Screen() override;
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // Loads 00.bmp into cg and bak and the 40 sprite slots of cg/ (start-up); false without
  // the map picture.
  bool LoadSprites(Game& g) override;
  // Replaces one sprite slot from a file of cg/; a missing or broken file keeps the old one.
  void LoadSprite(Game& g, int slot, std::string_view file) override;
  // Loads a picture of cg/ as the background and composes a frame; errors keep the old one.
  void ShowBackground(Game& g, std::string_view file) override;
  // Loads a picture of cg/ into a picture widget ("cg2", "bp_box_cg", "item_cg", ...).
  void LoadPicture(Game& g, W widget, std::string_view file) override;
  // Copies the background onto the main picture (opening and title screens).
  void CopyBackground(Game& g) override;
  // The title screen: the glow pass and the 30 flying sprites.
  void DrawTitleScreen(Game& g) override;
  // Composes one play frame into the main picture. A frame in which nothing moves whose
  // drawing calls are those the main picture was drawn with is only sketched (see
  // FramesKept).
  void ComposeFrame(Game& g) override;
  // How many frames were found to repeat the main picture and left it as it was.
  uint64_t FramesKept() const;

  // The player's language: the texts and the pictures with words in them (cg/LANG/) come
  // from its catalog from now on; the game must remember how it composes its texts
  // (ComposedTexts::enabled) for them to be translated.
  void SetCatalog(Catalog catalog);
  // The texts as the player reads them (message boxes, checks of a translation).
  Translator& Texts();
  // What of the texts on the screen a panel hides, and in another language what does not fit
  // its place or has no translation.
  std::vector<std::string> TextProblems(const Game& g);

  // The whole 640x480 window: the main picture and every visible widget over it, in
  // stacking order. The reference stays valid until the next call or the Screen's end.
  const gfx::Bitmap& RenderWindow(const Game& g);
  // Whether the last RenderWindow drew anything new: false when nothing it shows had changed
  // since the call before, and it handed back the same picture without drawing it.
  bool WindowChanged() const;
  // Where the last RenderWindow changed the window when it drew only some places of it (the
  // title's sparks); null when it drew the window whole or left it as it was.
  const std::vector<gfx::Rect>* WindowChanges() const;
  // Counts the RenderWindow calls that changed the window: WindowChanges tell the change from
  // the picture of the count before.
  uint64_t WindowSerial() const;

  // The main picture as the last frame left it.
  const gfx::Bitmap& MainPicture() const;
  // The glow layer (for tests).
  const gfx::Bitmap& GlowLayer() const;
  // A sprite slot 0..39 (an empty bitmap when the slot holds nothing or is out of range).
  const gfx::Bitmap& Sprite(int slot) const;
  // Puts a bitmap into a sprite slot directly (tests and generated pictures).
  void SetSprite(int slot, const gfx::Bitmap& picture);
  // The picture shown by a picture widget (an empty bitmap when none).
  const gfx::Bitmap& Picture(W widget) const;
  // Puts a bitmap into a picture widget directly (tests; the encounter's enemy picture).
  void SetPicture(W widget, const gfx::Bitmap& picture);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace qv::ui
