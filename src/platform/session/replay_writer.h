#pragma once
// Writing a recording: its header lines and the line(s) of each entry, in the plain ASCII form
// RecordingReader reads back.
#include <string>

#include "platform/session/replay_file.h"

namespace qv::session {

// The lines that open a recording (magic, program, seed and the start save).
std::string FormatRecordingHeader(const Recording& r);
// The line(s) of one entry, each ending in LF (a check writes its changed lines first).
std::string FormatEntry(const RecordingEntry& e);

}  // namespace qv::session
