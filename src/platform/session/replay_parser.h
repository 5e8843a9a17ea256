#pragma once
// Reading a recording line by line: the header (magic, program, seed, the start save) and then
// one entry at a time, every field checked against the limits in replay_file.h and a bad line
// named "NAME:LINE: why".
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/status.h"
#include "platform/session/replay_file.h"

namespace qv::session {

// Fed the lines of one recording in order.
class RecordingParser {
 public:
  RecordingParser(std::string_view name, int32_t maxTicks) : name_(name), maxTicks_(maxTicks) {}
  // Each fails with "NAME:LINE: why" at a bad line.
  Status Line(std::string_view line, int32_t number);
  Status Finish(int32_t lastLine);
  bool InEntries() const { return inEntries_; }
  // The entry the last line completed, if it did.
  bool TakeEntry(RecordingEntry& e) {
    if (!ready_) return false;
    e = std::move(*ready_);
    ready_.reset();
    return true;
  }

  Recording recording_;  // the header; its entries stay empty

 private:
  Status Fail(int32_t number, std::string_view why) const {
    return Failure(std::string(name_) + ":" + std::to_string(number) + ": " + std::string(why));
  }
  Status Header(const std::vector<std::string_view>& w, int32_t number);
  Status EndHeader(int32_t number);
  Status Entry(const std::vector<std::string_view>& w, int32_t number);
  Status InputEntry(const std::vector<std::string_view>& w, int32_t number, RecordingEntry& e);
  Status SaveEntry(const std::vector<std::string_view>& w, int32_t number, RecordingEntry& e);

  // The save a replay pieces together from the checks' lines may grow no larger than a save
  // the recording could start from; the bytes of each line are counted as they change.
  Status CountSaveLine(int32_t line, size_t bytes, int32_t number);

  std::string_view name_;
  int32_t maxTicks_;
  std::optional<RecordingEntry> ready_;
  std::vector<uint32_t> saveLineBytes_;
  size_t saveBytes_ = 0;
  bool sawMagic_ = false;
  bool sawSeed_ = false;
  bool sawStart_ = false;
  bool inEntries_ = false;
  bool ended_ = false;
  int64_t startSize_ = -1;  // -1: no save at the start
  std::string base64_;
  int32_t lastTick_ = 0;
  std::vector<SaveLineChange> pending_;
  int32_t pendingTick_ = 0;
  int32_t pendingLine_ = 0;
};

}  // namespace qv::session
