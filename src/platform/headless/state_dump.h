#pragma once
// A readable picture of the game's state for scripts: `dump` prints it, `expect` compares one
// of its keys. Text values are UTF-8 with CR written as \r, so each value fits one line.
#include <optional>
#include <string>
#include <string_view>

#include "core/game.h"

namespace qv::headless {

class HeadlessHost;

// The whole dump: one "key: value" a line, grouped (screen, battle, player, progress, lines,
// visible panels, last requests of the host when one is given).
std::string DumpState(const Game& g, const HeadlessHost* host);

// The value of one key of the dump; also indexed keys ("eventFlags[3]", "clearCount[2]",
// "skillLevel[22]", "owned[5]", "line[0]"), "visible.WIDGET", "caption.WIDGET", and
// "saveLines" (the line count of my.dat). nullopt for a key that does not exist.
std::optional<std::string> LookupStateValue(const Game& g, const HeadlessHost* host,
                                            std::string_view key);

}  // namespace qv::headless
