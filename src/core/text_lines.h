#pragma once
// The running text of the game (dialogue, narration, the coloured log) and the pool of
// short-lived pop-ups. Game logic pushes here; ui/ draws the seven newest lines and the
// live pop-ups every frame.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/message.h"

namespace qv {

struct Game;

// How a line came to the buffer: a whole text, or the first or second half of a text too long
// for one line. Another language lays the whole text out again for its own width.
enum class LinePart : uint8_t { Whole, Head, Tail };

struct LineEntry {
  std::string text;        // CP932; empty = no line
  int32_t colourCode = 0;  // 0 plain, 4 unknown colour name, 301..313 named log colours
  LinePart part = LinePart::Whole;
  std::string whole;  // the text as pushed, for the two halves of a wrapped one
};

constexpr int kLineEntries = 21;
constexpr int kPopups = 100;
constexpr int kPopupScratch = 120;

struct PopupSlot {
  int32_t age = 0;  // below 1 = free
  int32_t type = 0;
  int32_t x = 0, y = 0;
  std::string text;
  int32_t stateA = 0, stateB = 0;
  std::array<int32_t, kPopupScratch> scratch{};
};

struct TextState {
  std::array<LineEntry, kLineEntries> lines{};  // 0 is the newest
  std::array<PopupSlot, kPopups> popups{};
  int32_t popupCursor = 0;
  int32_t formActive = 0;  // 1 while the window runs, -1 once it is closing
  // The exploration commands' five strings (captions of l_btn_com1..3 and two more).
  std::array<std::string, 5> commandStrings{};
  // How the texts on show were composed, kept while another language is shown.
  ComposedTexts composed;
};

// The colour code of a log colour name: 301..313, or 4 for a name the log does not know.
int32_t ColourCodeOf(std::string_view colourName);

void ClearTextLines(Game& g);
// A line on the main picture (wrapped at 73 bytes); does not wait.
void AddTextLine(Game& g, std::string_view text);
// As AddTextLine, then waits for a click (paused := 1).
void AddTextLineRaw(Game& g, std::string_view text);
// A log line in a named colour ("green", "red", "rainbow", ...), wrapped at 79 bytes.
void AddLogLine(Game& g, std::string_view text, std::string_view colourName);
void SpawnPopup(Game& g, int32_t x, int32_t y, int32_t type, std::string_view text);
// A pop-up near a side's status panel (0 player, 1 enemy).
void SpawnSidePopup(Game& g, int32_t side, int32_t type, std::string_view text);
void ClearPopups(Game& g);
// Sets the three exploration command captions (and two more strings) and shows com_box.
void ShowCommandBox(Game& g, std::string_view c1, std::string_view c2, std::string_view c3,
                    std::string_view s4, std::string_view s5);
void SetItemMessage(Game& g, std::string_view text);
void ShowMapButton(Game& g);
void HideMapButton(Game& g);

}  // namespace qv
