#pragma once
// The numbers behind the frame that tests and the drawing share: bar lengths and blinks, the
// status tags, the colour cycles of the log, the bounce of the pop-up numbers, lifetimes.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/game.h"
#include "gfx/bitmap.h"

namespace qv::ui {

// Filled length of a bar of `width` pixels; a maximum below 1 counts as 1 and a value above
// the maximum shows a full bar.
int32_t BarFill(int32_t value, int32_t maximum, int32_t width);

enum class Bar { Hp, Mp, Tp };
struct BarLook {
  gfx::Color background;
  gfx::Color fill;
};
// The colours of one of the player's bars on this frame: low HP blinks its background, a full
// TP bar blinks its fill, both only on frames with an even counter. `blink` false gives the
// enemy's steady colours.
BarLook BarColours(Bar bar, const Combatant& c, int32_t frameCounter, bool blink);

// The status tags of a side, harmful ("<毒><麻痺>") or helpful, in the panel's order (CP932).
std::string StatusTags(const Combatant& c, bool harmful);
// The same tags one by one, as the UTF-8 literals of our table.
std::vector<const char*> StatusTagTexts(const Combatant& c, bool harmful);

// The element tag of an enemy ("<火>"); empty for an unknown element.
std::string ElementTag(int32_t element);
// The same as the UTF-8 literal of our table.
const char* ElementTagText(int32_t element);

// The last line of the skill help: its level ("MAX" from 10) and how often it was used.
// a count picks its form
inline constexpr const char* kSkillLevelLine = "技Lv: {level}  発動: {uses}回";
std::string SkillLevelText(int32_t level);

// The three lines of help for the chosen skill: its description in two pieces of up to 50 bytes
// (never cutting a character in half), then its level and uses; when the description fits one
// line the level line moves up. All empty for an id outside the skill table.
std::array<std::string, 3> SkillHelpLines(const GameState& s, int32_t skill);

// The colour of a text line: its code and k = frame counter + its row. Code 4 and unknown codes
// keep the colour in force.
gfx::Color LineColour(int32_t code, int32_t k, gfx::Color inForce);

// Relative luminance of a colour as the web's contrast rules define it: 0 black .. 1 white.
double RelativeLuminance(gfx::Color c);
// The contrast ratio of two colours, 1 (the same) .. 21 (black and white).
double ContrastRatio(gfx::Color a, gfx::Color b);
// The outline of text over pictures: black around light text, white around dark text, so the
// glyphs stand out from their outline by at least 4.5:1 whatever lies beneath.
gfx::Color OutlineFor(gfx::Color text);

// The twelve rainbow colours of the log and of the score pop-up.
gfx::Color RainbowColour(int32_t index);

// How far a pop-up number moves at an age.
int32_t BounceOffset(int32_t age);

// The age after which a pop-up type's slot is freed; -1 for a type that never ends by itself.
int32_t PopupLifetime(int32_t type);
// Text pop-ups age by two each frame, so they see only even ages.
bool PopupAgesTwice(int32_t type);

}  // namespace qv::ui
