#include "core/text_lines.h"

#include "core/game.h"

namespace qv {

// Placeholders until the text lines and pop-ups land.
void ClearTextLines(Game& g) {
  for (int i = 0; i < 20; ++i) g.text.lines[static_cast<size_t>(i)] = LineEntry{};
}
void AddTextLine(Game& g, std::string_view text) {}
void AddTextLineRaw(Game& g, std::string_view text) { g.battle.paused = 1; }
void AddLogLine(Game& g, std::string_view text, std::string_view colourName) {}
bool ContinueOnClick(Game& g) { return false; }
void SpawnPopup(Game& g, int32_t x, int32_t y, int32_t type, std::string_view text) {}
void SpawnSidePopup(Game& g, int32_t side, int32_t type, std::string_view text) {}
void ClearPopups(Game& g) {
  for (PopupSlot& p : g.text.popups) p.age = 0;
}
void ShowCommandBox(Game& g, std::string_view c1, std::string_view c2, std::string_view c3,
                    std::string_view s4, std::string_view s5) {}
void SetItemMessage(Game& g, std::string_view text) { g.form[W::item_l4].caption = text; }
void ShowMapButton(Game& g) { g.form[W::map_b1].visible = true; }
void HideMapButton(Game& g) { g.form[W::map_b1].visible = false; }

}  // namespace qv
