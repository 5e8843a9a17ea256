#pragma once
// The game and its presentation, created and started the way the window starts them; both
// hosts and the tests begin a run here.
#include <cstdint>
#include <memory>

#include "core/game.h"
#include "files/folder_lock.h"
#include "ui/screen.h"

namespace qv::session {

// Exit codes of a run (and of the program).
constexpr int kExitOk = 0;
constexpr int kExitExpectationFailed = 1;
constexpr int kExitBadInput = 2;     // bad command line, bad or missing script, unknown key
constexpr int kExitWriteFailed = 3;  // a screenshot or dump could not be written

struct Session {
  ui::Screen screen;  // outlives the game, which points at it
  std::unique_ptr<Game> game;
  files::FolderLock saveFolder;  // held while the run lasts: one writer per save folder
};

// How a start went.
enum class Start {
  kPlaying,      // the opening credit is showing
  kQuit,         // the save folder is another copy's and the player chose to quit
  kCannotStart,  // the game cannot be played (its map picture is missing or broken); told
};

// Builds the game on `host` with its seed, before the window's creation, showing its texts
// in the language of `catalog` (Japanese when it is inactive).
std::unique_ptr<Session> CreateSession(Host& host, const Paths& paths, uint32_t seed,
                                       const ui::Catalog& catalog = {});
// Takes the save folder, then FormCreate. When another copy of the game holds the folder,
// `asker` asks whether to play without saving or to quit; it is the real host, so that no
// recording carries a question that depends on the machine.
Start StartGame(Session& session, Host& asker);
// CreateSession, then StartGame asking `host`.
std::unique_ptr<Session> StartSession(Host& host, const Paths& paths, uint32_t seed,
                                      const ui::Catalog& catalog = {});

// The window closes: FormClose, then FormDestroy. Safe to call twice.
void EndSession(Session& session);

}  // namespace qv::session
