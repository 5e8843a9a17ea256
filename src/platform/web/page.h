#pragma once
// What the game asks of its web page (web/qv-page.js): the picture on the canvas, the browser's
// own boxes, the field the input method composes in, the save folder kept in IndexedDB, and the
// report of a replay.
#include <cstdint>
#include <string_view>

#include "core/form.h"

namespace qv::web {

// Puts a 640 x 480 picture on the canvas: R, G, B, A bytes, a row after another. With
// `places` (left, top, width, height each), only those places of it changed.
void ShowPicture(const uint32_t* rgba, const int32_t* places = nullptr, int32_t count = 0);
// The browser's boxes (UTF-8); Confirm is true for OK.
void Alert(std::string_view utf8);
bool Confirm(std::string_view utf8);
// The field that takes typing, in window-picture pixels: the page lays its text box over it
// and focuses it (`on`), or hides it.
void PlaceTextField(bool on, const Rect& field);
// Writes the save folder to IndexedDB (the browser keeps it between visits).
void StoreSaves();
// The game closed its window: the page says so.
void GameClosed();
// A replay's end, for the page's tests: its outcome, the final hash and the state dump.
void ReportReplay(std::string_view outcome, std::string_view verdict, int32_t ticks,
                  std::string_view hash, std::string_view dump);
// Milliseconds on the page's monotonic clock.
double NowMs();

}  // namespace qv::web
