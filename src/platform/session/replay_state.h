#pragma once
// The saved state a recording checks: the text my.dat would hold at this moment (built in
// memory, the disk untouched), its hash, and the lines that changed between two checks.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"
#include "platform/session/replay_file.h"

namespace qv::session {

// The lines of my.dat as the game would write them now (CP932, without CR LF).
std::vector<std::string> SaveLinesNow(const Game& g);
// The hash of a save's lines (FNV-1a over the file's bytes, CR LF included).
uint64_t HashSaveLines(const std::vector<std::string>& lines);

// The lines of `now` that differ from `before` (lines missing from either count as empty).
std::vector<SaveLineChange> ChangedLines(const std::vector<std::string>& before,
                                         const std::vector<std::string>& now);
// `lines` with the changes applied (grown when a change lies past its end).
void ApplyChanges(std::vector<std::string>& lines, const std::vector<SaveLineChange>& changes);
// The lines of a save file's text, split at CR LF (or a bare LF).
std::vector<std::string> SplitSaveText(std::string_view text);

}  // namespace qv::session
