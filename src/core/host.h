#pragma once
// What the game asks of the world outside its rules: the clock, sounds and music, modal
// message boxes, where typing goes, closing the window, and the presentation (pictures and
// frame drawing).
// The SDL host and the headless host implement it; logic tests use testing::FakeHost.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/form.h"

namespace qv {

struct Game;

// The two files a save writes, in that order.
enum class SavedFile : uint8_t { Save, Record };

// What became of one file of a save. Recordings note it, so that a replay makes the same
// happen where the disk or the folder differs (a save that failed on a full disk fails again).
struct SaveNote {
  enum class Outcome : uint8_t {
    Written,      // in place and on the disk
    Failed,       // not written; the old file stays
    Unconfirmed,  // in place, but its sync to the disk failed
    Refused,      // the whole save was not tried (another copy's folder, a lost lock)
  };
  Outcome outcome = Outcome::Written;
  // Failed, Unconfirmed: the cause (an errno or a reason of the file layer); Refused: why.
  int32_t code = 0;
  bool operator==(const SaveNote&) const = default;
};
// The reasons of a refused save.
inline constexpr int32_t kRefusedFolderBusy = 1;  // another copy of the game holds the folder
inline constexpr int32_t kRefusedLockLost = 2;    // the lock file was removed or replaced

class Host {
 public:
  virtual ~Host() = default;

  // Wall-clock milliseconds (monotonic); the tick's interval rule reads it.
  virtual int64_t NowMs() = 0;

  // PlayWave (channel 0), PlayWave2 (1), PlayWave3 (2), PlayWave4 (3): a file of dat/ by name.
  virtual void PlayWave(int channel, std::string_view file) = 0;
  // Music by file name of dat/; "not" stops it.
  virtual void PlayMusic(std::string_view file) = 0;
  // The MIDI tune by file name of dat/.
  virtual void PlayMidi(std::string_view file) = 0;

  // Modal information box with one OK button (CP932 text, CR separates lines).
  virtual void MessageBox(std::string_view text) = 0;
  // Modal Yes/No box; true for Yes.
  virtual bool Confirm(std::string_view text) = 0;
  // A box about this machine rather than the game (a picture that cannot be read): shown
  // like a message box, but never part of a recording, which must replay the same elsewhere.
  virtual void ProblemBox(std::string_view text) { MessageBox(text); }

  // Closes the window, which ends the program after FormClose/FormDestroy.
  virtual void CloseWindow() = 0;

  // The name field took (`on`) or lost the keyboard. While it has it, the window lets the
  // input method compose text and opens the candidates beside `field` (window-picture
  // pixels); otherwise every key is a plain key for the game. Called only on a change.
  virtual void SetTextInput(bool on, const Rect& field) = 0;

  // Before a file of a save is written: in a replay, what it did when the recording was made
  // (the game then does the same); in play nothing, and the file is written.
  virtual std::optional<SaveNote> ReplayedSave(SavedFile /*file*/) { return std::nullopt; }
  // What became of a file of a save (Save with Refused: of the whole save).
  virtual void NoteSave(SavedFile /*file*/, const SaveNote& /*note*/) {}
};

// The presentation side the game's rules call by name: pictures by file name, the frame,
// the title sprites. Implemented by ui::Screen; a game with nothing to draw on (a tool, a
// logic test) has a NullPresenter.
class Presenter {
 public:
  virtual ~Presenter() = default;

  // Loads the main picture and the 40 sprite slots of cg/ (start-up). False when the game
  // cannot be played with what failed to load (the map picture); the player has been told.
  virtual bool LoadSprites(Game& g) = 0;
  // Replaces one sprite slot from a file of cg/ (the player's picture is slot 1); a missing
  // or broken file leaves the old picture.
  virtual void LoadSprite(Game& g, int slot, std::string_view file) = 0;
  // Loads a picture of cg/ as the background (slot 6); a missing or broken file is ignored.
  virtual void ShowBackground(Game& g, std::string_view file) = 0;
  // Loads a picture of cg/ into a picture widget (cg2, bp_box_cg, item_cg, ...).
  virtual void LoadPicture(Game& g, W widget, std::string_view file) = 0;
  // Copies the background onto the main picture (opening and title screens).
  virtual void CopyBackground(Game& g) = 0;
  // The title screen's glow pass and sprites.
  virtual void DrawTitleScreen(Game& g) = 0;
  // Composes one play frame into the main picture.
  virtual void ComposeFrame(Game& g) = 0;
};

// Draws nothing and loads nothing: every picture the rules ask for is taken as shown.
class NullPresenter final : public Presenter {
 public:
  bool LoadSprites(Game&) override { return true; }
  void LoadSprite(Game&, int, std::string_view) override {}
  void ShowBackground(Game&, std::string_view) override {}
  void LoadPicture(Game&, W, std::string_view) override {}
  void CopyBackground(Game&) override {}
  void DrawTitleScreen(Game&) override {}
  void ComposeFrame(Game&) override {}
};

}  // namespace qv
