// The calls into the page, each a few lines of JavaScript on the page's own objects (qvPage).
#include "platform/web/page.h"

#include <emscripten.h>

#include <string>

// clang-format off
EM_JS(void, qv_show_picture, (const uint32_t* pixels, const int32_t* places, int count), {
  qvPage.showPicture(HEAPU8.subarray(pixels, pixels + 640 * 480 * 4),
                     count > 0 ? HEAP32.subarray(places >> 2, (places >> 2) + 4 * count) : null);
});
EM_JS(void, qv_alert, (const char* text, int size), {
  qvPage.alert(UTF8ToString(text, size));
});
EM_JS(int, qv_confirm, (const char* text, int size), {
  return qvPage.confirm(UTF8ToString(text, size)) ? 1 : 0;
});
EM_JS(void, qv_place_text_field, (int on, int x, int y, int w, int h), {
  qvPage.placeTextField(on !== 0, x, y, w, h);
});
EM_JS(void, qv_store_saves, (), {
  qvPage.storeSaves();
});
EM_JS(void, qv_game_closed, (), {
  qvPage.gameClosed();
});
EM_JS(void, qv_report_replay, (const char* outcome, const char* verdict, int ticks, const char* hash,
                               const char* dump), {
  qvPage.replayEnded({outcome: UTF8ToString(outcome), verdict: UTF8ToString(verdict), ticks: ticks,
                      hash: UTF8ToString(hash), dump: UTF8ToString(dump)});
});
// clang-format on

namespace qv::web {

void ShowPicture(const uint32_t* rgba, const int32_t* places, int32_t count) {
  qv_show_picture(rgba, places, count);
}

void Alert(std::string_view utf8) {
  qv_alert(utf8.data(), static_cast<int>(utf8.size()));
}

bool Confirm(std::string_view utf8) {
  return qv_confirm(utf8.data(), static_cast<int>(utf8.size())) != 0;
}

void PlaceTextField(bool on, const Rect& field) {
  qv_place_text_field(on ? 1 : 0, field.left, field.top, field.width, field.height);
}

void StoreSaves() {
  qv_store_saves();
}

void GameClosed() {
  qv_game_closed();
}

void ReportReplay(std::string_view outcome, std::string_view verdict, int32_t ticks,
                  std::string_view hash, std::string_view dump) {
  qv_report_replay(std::string(outcome).c_str(), std::string(verdict).c_str(), ticks,
                   std::string(hash).c_str(), std::string(dump).c_str());
}

double NowMs() {
  return emscripten_get_now();
}

}  // namespace qv::web
