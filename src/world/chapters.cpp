#include "world/chapters.h"

#include "world/conditions.h"
#include "world/map.h"
#include "world/scene_text.h"

namespace qv::world {
namespace {

// The chapters in the order they are tried: the island speaks every five levels up to 40,
// and once more after the island itself has been fought.
struct Chapter {
  int32_t id;  // also its flag in eventFlags
  Term due;
  const char* music;
};
constexpr Chapter kChapters[] = {
    {30, LevelAtLeast(5), "op.mp3"},       {31, LevelAtLeast(10), "op.mp3"},
    {32, LevelAtLeast(15), "op.mp3"},      {33, LevelAtLeast(20), "op.mp3"},
    {34, LevelAtLeast(25), "op.mp3"},      {35, LevelAtLeast(30), "op.mp3"},
    {36, LevelAtLeast(35), "op.mp3"},      {37, LevelAtLeast(40), "op.mp3"},
    {38, ClearAtLeast(12, 1), "map3.mp3"},
};

const Chapter* FindChapter(int32_t id) {
  for (const Chapter& c : kChapters) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

}  // namespace

int32_t DueChapter(const GameState& s) {
  for (const Chapter& c : kChapters) {
    if (s.eventFlags[static_cast<size_t>(c.id)] == 0 && Holds(s, c.due)) return c.id;
  }
  return -1;
}

void PlayChapter(Game& g, int32_t id) {
  const Chapter* c = FindChapter(id);
  if (!c) return;
  g.state.eventFlags[static_cast<size_t>(id)] = 1;
  const std::vector<std::string> lines = ChapterLines(g, id);
  // A chapter with no lines would run into the battle steps; it is marked seen and skipped.
  if (lines.empty()) return;
  g.host->PlayMusic(c->music);
  QueueLines(g.battle.dialogueLines, lines);
  StartStoryLines(g);
}

}  // namespace qv::world
