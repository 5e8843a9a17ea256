#pragma once
// The island's story as the scenes tell it: the opening monologue, the map chapters and the
// talk before and after every encounter. The texts live in data/story.txt; every line comes
// back in CP932 with the player's name (already CP932) filled in.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qv::world {

// Which fight of a place a scene belongs to: the first, the return fight, or the only one.
enum class Visit : uint8_t { First, Return, Only };

// The opening monologue told once after the character is made.
std::vector<std::string> StoryOpening(std::string_view playerName);

// The lines of a map chapter (30..38); empty for any other id.
std::vector<std::string> StoryChapter(int32_t id, std::string_view playerName);

// The talk before an encounter's battle (location code 2..19); empty for an unknown scene.
std::vector<std::string> StoryDialogue(int32_t code, Visit visit, std::string_view playerName);

// The talk after an encounter's victory; empty for an unknown scene.
std::vector<std::string> StoryVictory(int32_t code, Visit visit, std::string_view playerName);

// What is wrong with the embedded story (bad headers, missing or short scenes, overlong or
// unconvertible lines); empty when it is whole. Checked once at start.
const std::vector<std::string>& StoryProblems();

// One line of a story text: CP932 pieces with the player's name between each two.
struct StoryLine {
  std::vector<std::string> pieces;
};

// A parsed story file: the lines of each section by its key ("opening", "chapter 30",
// "encounter 2 first dialogue", ...) and the problems found while reading it.
struct StoryBook {
  std::map<std::string, std::vector<StoryLine>> sections;
  std::vector<std::string> problems;
};

// Reads a story file (UTF-8). Never fails: a malformed part is reported and skipped.
StoryBook ParseStory(std::string_view utf8);

// Checks a parsed story against the scenes the game plays, adding to book.problems.
void CheckStory(StoryBook& book);

// The story the game plays (data/story.txt, parsed once).
const StoryBook& TheStory();

// The section's lines with the name filled in; empty when the section is missing.
std::vector<std::string> StoryLines(const StoryBook& book, const std::string& key,
                                    std::string_view playerName);

// The section key of a scene: "encounter 4 return dialogue", "encounter 11 only victory".
std::string SceneKey(int32_t code, Visit visit, bool victory);

}  // namespace qv::world
