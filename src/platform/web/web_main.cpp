// The browser edition's program: the page loads the game's files into memory and its save
// folder from IndexedDB, then calls main, which starts a game (or a replay the page asked
// for) and hands the page the handle its input goes to. Animation frames run it from then on.
#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/session/command_line.h"
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

// clang-format off
EM_JS(void, qv_started, (void* play, int replay), {
  qvPage.started(play, replay !== 0);
});
// clang-format on

void LiveFrame(void* play) {
  auto* live = static_cast<qv::web::LivePlay*>(play);
  live->Frame();
  if (live->Ended()) emscripten_cancel_main_loop();
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

}  // extern "C"

int main(int argc, char** argv) {
  // qv.js [--replay FILE]: the page passes a recording it was asked to play.
  if (argc == 3 && std::string_view(argv[1]) == "--replay") {
    // Lives as long as the page: the animation frames keep using it after main returns.
    auto* replay = new qv::web::ReplayPlay(argv[2], WebPaths());
    if (!replay->Start()) return 1;
    qv_started(replay, 1);
    emscripten_set_main_loop_arg(ReplayFrame, replay, 0, false);
    return 0;
  }
  const uint32_t seed = qv::session::ClockSeed();
  auto* live = new qv::web::LivePlay(WebPaths(), seed);
  if (!live->Start()) return 1;
  qv_started(live, 0);
  emscripten_set_main_loop_arg(LiveFrame, live, 0, false);
  return 0;
}
