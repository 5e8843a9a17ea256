#pragma once
// qv --bug-report FILE: one archive with what a maintainer needs to see a problem happen.
#include <filesystem>
#include <ostream>

#include "core/game.h"
#include "ui/catalog.h"

namespace qv::headless {

// Writes FILE, a tar archive of the folder qv-bug-report/ holding report.txt (the version,
// what is inside, and how the recording replays), the settings qv.ini, the save my.dat, the
// record (record.txt), the last session's terminal lines (terminal.txt), the recording of the
// last play (play.qvr) and, from its replay without a window, the picture and the state it
// ends on (screenshot.png, state.txt). A file that is not there is named as missing. Nothing
// is sent anywhere. Returns the program's exit code.
int WriteBugReport(const std::filesystem::path& archive, const Paths& paths,
                   const std::filesystem::path& settingsFile, const ui::Catalog& catalog,
                   std::ostream& out, std::ostream& err);

}  // namespace qv::headless
