#include "platform/web/web_host.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>

#include "core/text.h"
#include "flow/startup.h"
#include "flow/tick.h"
#include "platform/session/state_dump.h"
#include "platform/web/page.h"
#include "ui/screen.h"

namespace qv::web {
namespace {

// A box text as the browser's box shows it: UTF-8, each CR a line break.
std::string BoxText(std::string_view cp932) {
  std::string text = Cp932ToUtf8(cp932);
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
    } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
      out += '\n';
    }
  }
  return out;
}

}  // namespace

SaveStamp StampOf(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return {};
  return {static_cast<int64_t>(st.st_ino), static_cast<int64_t>(st.st_size),
          static_cast<int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

void ToRgba(const gfx::Bitmap& picture, std::vector<uint32_t>& rgba) {
  constexpr int32_t kW = ui::kWindowWidth, kH = ui::kWindowHeight;
  rgba.assign(size_t{kW} * kH, 0xFF000000u);
  const int32_t w = std::min(picture.Width(), kW), h = std::min(picture.Height(), kH);
  for (int32_t y = 0; y < h; ++y) {
    const gfx::Color* row = picture.Row(y);
    uint32_t* out = rgba.data() + size_t(y) * kW;
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t p = row[x];
      // Little-endian words: the canvas reads R, G, B, A in that order from memory.
      out[x] = ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16) | 0xFF000000u;
    }
  }
}

void ToRgba(const gfx::Bitmap& picture, const gfx::Rect& place, std::vector<uint32_t>& rgba) {
  constexpr int32_t kW = ui::kWindowWidth, kH = ui::kWindowHeight;
  if (rgba.size() != size_t{kW} * kH) rgba.assign(size_t{kW} * kH, 0xFF000000u);
  const int32_t left = std::max(place.left, 0), top = std::max(place.top, 0);
  const int32_t right = std::min({place.right, kW, picture.Width()});
  const int32_t bottom = std::min({place.bottom, kH, picture.Height()});
  for (int32_t y = top; y < bottom; ++y) {
    const gfx::Color* row = picture.Row(y);
    uint32_t* out = rgba.data() + size_t(y) * kW;
    for (int32_t x = left; x < right; ++x) {
      const uint32_t p = row[x];
      out[x] = ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16) | 0xFF000000u;
    }
  }
}

WebHost::WebHost() : start_(web::NowMs()) {}

int64_t WebHost::NowMs() {
  if (virtualClock_) return virtualNow_;
  return static_cast<int64_t>(web::NowMs() - start_);
}

void WebHost::PlayWave(int channel, std::string_view file) {
  if (audio_) audio_->PlayWave(channel, file);
}

void WebHost::PlayMusic(std::string_view file) {
  if (!file.empty()) music_ = file;
  if (audio_) audio_->PlayMusic(file, game_ ? game_->text.formActive : 1);
}

void WebHost::PlayMidi(std::string_view file) {
  if (audio_) audio_->PlayMidi(file);
}

void WebHost::StartAudio(const std::filesystem::path& datDir, int32_t sampleRate) {
  if (audio_ || sampleRate <= 0) return;
  audio_ = std::make_unique<WebAudio>(datDir, sampleRate);
  if (!music_.empty()) PlayMusic(music_);
}

void WebHost::MessageBox(std::string_view text) {
  Alert(BoxText(text));
}

bool WebHost::Confirm(std::string_view text) {
  return web::Confirm(BoxText(text));
}

void WebHost::SetTextInput(bool on, const Rect& field) {
  PlaceTextField(on, field);
}

LivePlay::LivePlay(const Paths& paths, uint32_t seed, bool scripted, ui::Catalog catalog)
    : run_(session::CreateSession(host_, paths, seed, catalog)),
      savePath_((paths.saveDir / "my.dat").string()),
      recordPath_((paths.recordDir / "記録.txt").string()),
      scripted_(scripted) {
  if (scripted_) host_.UseVirtualClock();
  host_.Attach(run_->game.get());
}

bool LivePlay::Start() {
  saveStamp_ = StampOf(savePath_);
  recordStamp_ = StampOf(recordPath_);
  if (session::StartGame(*run_, host_) != session::Start::kPlaying) {
    End();
    return false;
  }
  ticks_.Start(*run_->game, host_.NowMs());
  StoreWhenSaved();
  Show();
  return true;
}

void LivePlay::Frame() {
  if (ended_) return;
  if (WebAudio* audio = host_.Audio()) audio->Pump();
  if (!scripted_ && ticks_.Pump(*run_->game, host_.NowMs())) {
    dirty_ = true;
    StoreWhenSaved();
  }
  if (host_.Closing()) {
    End();
    return;
  }
  if (dirty_) Show();
}

void LivePlay::Input(const session::InputEvent& e) {
  if (ended_) return;
  session::SendInput(*run_->game, nullptr, e);
  dirty_ = true;
  StoreWhenSaved();
  if (host_.Closing()) End();
}

void LivePlay::RunTicks(int32_t count) {
  Game& g = *run_->game;
  for (int32_t i = 0; i < count && scripted_ && !ended_ && !host_.Closing(); ++i) {
    host_.Advance(session::SaneInterval(g));
    Timer1Timer(g);
    dirty_ = true;
    StoreWhenSaved();
  }
  if (host_.Closing()) End();
}

void LivePlay::StartAudio(int32_t sampleRate) {
  if (!ended_) host_.StartAudio(run_->game->paths.datDir, sampleRate);
}

void LivePlay::RenderAudio(float* left, float* right, int32_t frames) {
  if (WebAudio* audio = host_.Audio(); audio && !ended_) {
    audio->Render(left, right, frames);
    return;
  }
  std::fill(left, left + frames, 0.0f);
  std::fill(right, right + frames, 0.0f);
}

void LivePlay::MusicEnded(uint32_t token, bool natural) {
  WebAudio* audio = host_.Audio();
  if (!audio || ended_) return;
  if (std::optional<std::string> file = audio->MusicEnded(token, natural)) {
    Input({session::InputKind::MusicEnd, 0, 0, 0, false, *file});
  }
}

std::string LivePlay::Dump() const {
  return session::DumpState(*run_->game);
}

int32_t LivePlay::MsUntilNextFrame() {
  constexpr int64_t kLongestWait = 1000;
  if (ended_) return int32_t(kLongestWait);
  if (scripted_) return 50;  // the test runs the ticks; the picture follows them
  return int32_t(std::clamp<int64_t>(ticks_.MsUntilDue(host_.NowMs()), 1, kLongestWait));
}

void LivePlay::Show() {
  if (!dirty_ || ended_) return;
  dirty_ = false;
  ui::Screen& screen = run_->screen;
  const gfx::Bitmap& window = screen.RenderWindow(*run_->game);
  const bool changed = screen.WindowChanged() || rgba_.empty();
  if (!changed) return;
  const uint64_t serial = screen.WindowSerial();
  const std::vector<gfx::Rect>* changes = screen.WindowChanges();
  // The title's sparks: only the few places that changed since the picture the canvas holds.
  if (changes && !rgba_.empty() && serial == shownSerial_ + 1) {
    places_.clear();
    for (const gfx::Rect& r : *changes) {
      ToRgba(window, r, rgba_);
      places_.insert(places_.end(), {r.left, r.top, r.Width(), r.Height()});
    }
    shownSerial_ = serial;
    ShowPicture(rgba_.data(), places_.data(), int32_t(places_.size() / 4));
    return;
  }
  shownSerial_ = serial;
  ToRgba(window, rgba_);
  ShowPicture(rgba_.data());
}

void LivePlay::StoreWhenSaved() {
  const SaveStamp save = StampOf(savePath_), record = StampOf(recordPath_);
  if (save == saveStamp_ && record == recordStamp_) return;
  saveStamp_ = save;
  recordStamp_ = record;
  StoreSaves();
}

void LivePlay::End() {
  if (ended_) return;
  ended_ = true;
  session::EndSession(*run_);
  StoreWhenSaved();
  GameClosed();
}

}  // namespace qv::web
