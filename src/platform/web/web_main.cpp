// The browser edition's program: the page loads the game's files into memory and its save
// folder from IndexedDB, then calls main, which starts a game (or a replay the page asked
// for) and hands the page the handle its input goes to. Animation frames run it from then on.
#include <emscripten.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/session/command_line.h"
#include "platform/session/language.h"
#include "platform/session/replay_input.h"
#include "platform/web/replay_play.h"
#include "platform/web/web_host.h"
#include "ui/name_field.h"

namespace {

// Where the page puts the game's files, and the folder it keeps in IndexedDB under the
// game's own name.
qv::Paths WebPaths() {
  qv::Paths p;
  p.cgDir = "/game/cg";
  p.datDir = "/game/dat";
  p.saveDir = "/qv-save";
  p.recordDir = "/qv-save";
  return p;
}

// The compiled catalogs, beside the game's pictures.
constexpr const char* kLocaleDir = "/game/locale";

// clang-format off
EM_JS(void, qv_started, (void* play, int replay), {
  qvPage.started(play, replay !== 0);
});
// clang-format on

void LiveFrame(void* play) {
  auto* live = static_cast<qv::web::LivePlay*>(play);
  live->Frame();
  if (live->Ended()) {
    emscripten_cancel_main_loop();
    return;
  }
  // Asleep until the next tick is due: an idle game wakes the page some thirteen times a
  // second, not at every animation frame. Input shows its picture at the next animation frame.
  emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, live->MsUntilNextFrame());
}

void ReplayFrame(void* play) {
  auto* replay = static_cast<qv::web::ReplayPlay*>(play);
  replay->Frame();
  if (replay->Ended()) emscripten_cancel_main_loop();
}

}  // namespace

// Input from the page, for the game started by main (`play` is the handle it was given).
extern "C" {

EMSCRIPTEN_KEEPALIVE void qv_mouse(void* play, int kind, int x, int y, int value, int right) {
  using qv::session::InputKind;
  constexpr InputKind kKinds[] = {InputKind::MouseDown, InputKind::MouseUp, InputKind::MouseMove,
                                  InputKind::MouseWheel};
  if (kind < 0 || kind > 3) return;
  static_cast<qv::web::LivePlay*>(play)->Input({kKinds[kind], x, y, value, right != 0, {}});
}

EMSCRIPTEN_KEEPALIVE void qv_key(void* play, int down, int key) {
  using qv::session::InputKind;
  static_cast<qv::web::LivePlay*>(play)->Input(
      {down ? InputKind::KeyDown : InputKind::KeyUp, 0, 0, key, false, {}});
}

EMSCRIPTEN_KEEPALIVE void qv_text(void* play, const char* utf8) {
  static_cast<qv::web::LivePlay*>(play)->Input(
      {qv::session::InputKind::Text, 0, 0, 0, false, std::string(utf8)});
}

EMSCRIPTEN_KEEPALIVE void qv_compose(void* play, const char* utf8, int caret, int segment) {
  // As the window does: the event carries the part the field keeps.
  qv::ui::Composition kept = qv::ui::KeptComposition(utf8, caret, std::max(segment, 0));
  static_cast<qv::web::LivePlay*>(play)->Input(
      {qv::session::InputKind::Compose, kept.caret, kept.segment, 0, false, std::move(kept.text)});
}

// The page's sound: started by the first click, the effects rendered as the graph asks, the
// end of a tune.
EMSCRIPTEN_KEEPALIVE void qv_audio_start(void* play, int sampleRate) {
  static_cast<qv::web::LivePlay*>(play)->StartAudio(sampleRate);
}

EMSCRIPTEN_KEEPALIVE void qv_audio_render(void* play, float* left, float* right, int frames) {
  static_cast<qv::web::LivePlay*>(play)->RenderAudio(left, right, frames);
}

EMSCRIPTEN_KEEPALIVE void qv_music_ended(void* play, unsigned token, int natural) {
  static_cast<qv::web::LivePlay*>(play)->MusicEnded(token, natural != 0);
}

// The picture after input, once an animation frame.
EMSCRIPTEN_KEEPALIVE void qv_show(void* play) {
  static_cast<qv::web::LivePlay*>(play)->Show();
}

// Tests of scripted play: timer events on the virtual clock, and the state dump (to be freed).
EMSCRIPTEN_KEEPALIVE void qv_ticks(void* play, int count) {
  static_cast<qv::web::LivePlay*>(play)->RunTicks(count);
}

EMSCRIPTEN_KEEPALIVE char* qv_dump(void* play) {
  const std::string dump = static_cast<qv::web::LivePlay*>(play)->Dump();
  char* out = static_cast<char*>(std::malloc(dump.size() + 1));
  if (out) std::memcpy(out, dump.c_str(), dump.size() + 1);
  return out;
}

}  // extern "C"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  // qv.js --replay FILE: the page passes a recording it was asked to play.
  if (args.size() == 2 && args[0] == "--replay") {
    // Lives as long as the page: the animation frames keep using it after main returns.
    auto* replay = new qv::web::ReplayPlay(std::string(args[1]), WebPaths());
    if (!replay->Start()) return 1;
    qv_started(replay, 1);
    emscripten_set_main_loop_arg(ReplayFrame, replay, 0, false);
    return 0;
  }
  // qv.js [--language LANG] [--seed N --scripted]: the player's language; a test's game, its
  // timer run by the test.
  uint32_t seed = qv::session::ClockSeed();
  bool scripted = false;
  std::string_view language;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--scripted") scripted = true;
    if (args[i] == "--language" && i + 1 < args.size()) language = args[i + 1];
    if (args[i] == "--seed" && i + 1 < args.size()) {
      uint32_t n = 0;
      const std::string_view v = args[i + 1];
      if (std::from_chars(v.data(), v.data() + v.size(), n).ec == std::errc()) seed = n;
    }
  }
  std::string message;
  qv::ui::Catalog catalog = qv::platform::ChooseLanguage(language, kLocaleDir, message);
  if (!message.empty()) std::cerr << "qv: " << message << "\n";
  auto* live = new qv::web::LivePlay(WebPaths(), seed, scripted, std::move(catalog));
  if (!live->Start()) return 1;
  qv_started(live, 0);
  emscripten_set_main_loop_arg(LiveFrame, live, 0, false);
  return 0;
}
