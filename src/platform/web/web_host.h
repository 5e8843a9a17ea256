#pragma once
// The browser's host: the game on the page's canvas, driven by the page's animation frames
// (the timer at the game's pace, a picture drawn only when something changed), the player's
// mouse, keys and input method handed in by the page, the browser's own boxes, and the save
// folder written to IndexedDB after every save.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/host.h"
#include "gfx/bitmap.h"
#include "platform/session/replay_input.h"
#include "platform/session/session.h"
#include "platform/session/tick_driver.h"
#include "platform/web/web_audio.h"
#include "ui/catalog.h"

namespace qv::web {

// The files whose change means the game saved: my.dat and 記録.txt.
struct SaveStamp {
  int64_t inode = 0, size = -1, modified = 0;
  bool operator==(const SaveStamp&) const = default;
};
SaveStamp StampOf(const std::string& path);

// The canvas's bytes (R, G, B, A) of a 640 x 480 window picture, or of one place of it.
void ToRgba(const gfx::Bitmap& picture, std::vector<uint32_t>& rgba);
void ToRgba(const gfx::Bitmap& picture, const gfx::Rect& place, std::vector<uint32_t>& rgba);

class WebHost : public Host {
 public:
  WebHost();

  // Tests: the clock stands still but for Advance, as in a scripted run.
  void UseVirtualClock() { virtualClock_ = true; }
  void Advance(int64_t ms) { virtualNow_ += ms; }

  int64_t NowMs() override;
  void PlayWave(int channel, std::string_view file) override;
  void PlayMusic(std::string_view file) override;
  void PlayMidi(std::string_view file) override;
  void MessageBox(std::string_view text) override;
  bool Confirm(std::string_view text) override;
  void CloseWindow() override { closing_ = true; }
  void SetTextInput(bool on, const Rect& field) override;

  bool Closing() const { return closing_; }

  // The game whose window state the music asks for (formActive).
  void Attach(const Game* game) { game_ = game; }
  // The player's first click let the page start its sound: the effects from now on, and the
  // music the game asked for before.
  void StartAudio(const std::filesystem::path& datDir, int32_t sampleRate);
  WebAudio* Audio() { return audio_.get(); }

 private:
  double start_;
  const Game* game_ = nullptr;
  std::unique_ptr<WebAudio> audio_;
  std::string music_;  // the music the game asked for last
  bool virtualClock_ = false;
  int64_t virtualNow_ = 0;
  bool closing_ = false;
};

// One game played on the page.
class LivePlay {
 public:
  // With `scripted`, the timer runs only when a test asks (RunTicks), on a virtual clock, so
  // that a test's clicks fall between the same ticks as in a scripted desktop run.
  // The texts in the language of `catalog`.
  LivePlay(const Paths& paths, uint32_t seed, bool scripted, ui::Catalog catalog = {});

  // FormCreate and the first picture; false when the game cannot be played.
  bool Start();
  // One animation frame: the timer when a tick is due, the sound, the picture when it changed,
  // and the save folder stored when the game saved.
  void Frame();
  // An input event from the page; the picture follows at the next animation frame (Show).
  void Input(const session::InputEvent& e);
  // Milliseconds until Frame has something to do: the next tick (the page waits that long
  // rather than waking at every animation frame).
  int32_t MsUntilNextFrame();
  // The picture when it changed.
  void Show();
  // Tests: `count` timer events on the virtual clock (scripted play only).
  void RunTicks(int32_t count);
  // The page's sound started (the player's first click), at the graph's rate.
  void StartAudio(int32_t sampleRate);
  // The effects for the graph (32-bit float left and right).
  void RenderAudio(float* left, float* right, int32_t frames);
  // The page's music ended (`natural`: it played to its end).
  void MusicEnded(uint32_t token, bool natural);
  // The state dump, as a scripted desktop run prints it.
  std::string Dump() const;
  bool Ended() const { return ended_; }

 private:
  void StoreWhenSaved();
  void End();

  WebHost host_;
  std::unique_ptr<session::Session> run_;
  session::TickDriver ticks_;
  std::vector<uint32_t> rgba_;
  std::vector<int32_t> places_;
  uint64_t shownSerial_ = 0;  // the window picture's render the canvas holds
  std::string savePath_, recordPath_;
  SaveStamp saveStamp_, recordStamp_;
  bool scripted_ = false;
  bool dirty_ = true;
  bool ended_ = false;
};

}  // namespace qv::web
