#pragma once
// A readable picture of the game's state for scripts: `dump` prints it, `expect` compares one
// of its keys. Text values are UTF-8 with CR written as \r, so each value fits one line.
#include <optional>
#include <string>
#include <string_view>

#include "core/game.h"

namespace qv::session {

// The whole dump: one "key: value" a line, grouped (screen, battle, player, progress, lines,
// visible panels).
std::string DumpState(const Game& g);

// The value of one key of the dump; also indexed keys ("eventFlags[3]", "clearCount[2]",
// "skillLevel[22]", "owned[5]", "line[0]"), "visible.WIDGET", "caption.WIDGET", and
// "saveLines" (the line count of my.dat). nullopt for a key that does not exist.
std::optional<std::string> LookupStateValue(const Game& g, std::string_view key);

// A CP932 game text as one UTF-8 line (CR and LF written as \r and \n).
std::string Readable(std::string_view cp932);

// A CP932 box text as printable UTF-8: each CR (or CR LF) becomes a line break.
std::string BoxTextForPrinting(std::string_view cp932);

}  // namespace qv::session
