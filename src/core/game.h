#pragma once
// The one context object: everything the game's rules treat as global, passed as Game& g.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "core/battle_state.h"
#include "core/form.h"
#include "core/frame_state.h"
#include "core/game_state.h"
#include "core/host.h"
#include "core/random.h"
#include "core/steps.h"
#include "core/text_lines.h"
#include "core/world_state.h"

namespace qv::files {
class FolderLock;
}

namespace qv {

// Where the game finds its files.
struct Paths {
  std::filesystem::path cgDir;      // pictures (read only)
  std::filesystem::path datDir;     // sounds and music (read only) and name.dat
  std::filesystem::path saveDir;    // my.dat (written)
  std::filesystem::path recordDir;  // 記録.txt (written)
};

// The opening screens and the self-tuning timer.
struct ScreenState {
  int32_t scene = 0;         // -2 opening credit, -1 title, 0 play
  int32_t frameCounter = 0;  // 0..999, +1 per tick
  int32_t ticksThisSecond = 0;
  int64_t nextRateCheck = 0;   // ms; 0 = check at the first tick
  int32_t timerInterval = 90;  // ms
};

struct Game {
  // One game is one object: its presenter may point into it, so it is never copied.
  Game() = default;
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  GameState state;
  BattleState battle;
  ScreenState screen;
  Form form;
  TextState text;
  FrameState frame;
  WorldState world;
  Rng rng;
  Paths paths;
  uint32_t seed = 0;  // the generator's seed at start-up (the clock, or --seed)
  // A fingerprint of the state my.dat holds since the last save was written (0: none yet), so
  // that closing the window can tell whether progress would be lost. Not part of the save.
  uint64_t savedProgress = 0;
  // Another copy of the game is the writer of the save folder: this one saves nothing.
  bool saveFolderBusy = false;
  // The lock that makes this copy the save folder's one writer, checked before every save and
  // before temporary files are removed (null where no session took one: tests, tools).
  const files::FolderLock* saveLock = nullptr;
  Host* host = nullptr;
  NullPresenter noPicture;             // the presenter of a game with nothing to draw on
  Presenter* presenter = &noPicture;   // never null
  const StepMachine* steps = nullptr;  // the flow's step machine (flow::MakeGame sets it)
};

// Random(n) on the game's generator.
inline int32_t Random(Game& g, int32_t n) {
  return Random(g.rng, n);
}

}  // namespace qv
