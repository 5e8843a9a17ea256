#pragma once
// Pictures of cg/ that could not be loaded. The game goes on without them as its rules say,
// but the player learns which file is at fault: each is named once, on the terminal and in a
// message box.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/game.h"

namespace qv::ui {

class PictureProblems {
 public:
  // Notes a picture that failed (`error` is the loader's text, which names the file).
  void Note(const std::filesystem::path& file, const std::string& error);
  // Names the ones noted since the last call that were never named before: one terminal line
  // each, and one message box for all of them, ending with `consequence` (a UTF-8 literal of
  // the game) if given.
  void Tell(Game& g, const char* consequence = nullptr);
  // Whether this picture failed to load at some time in this run.
  bool Failed(const std::filesystem::path& file) const { return told_.count(file.string()) > 0; }

 private:
  std::set<std::string> told_;
  std::vector<std::string> pending_;
};

}  // namespace qv::ui
