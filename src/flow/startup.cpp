#include "flow/startup.h"

#include <optional>
#include <string>

#include "core/master_data.h"
#include "core/message.h"
#include "core/new_game.h"
#include "core/state_ops.h"
#include "core/text.h"
#include "creation/creation.h"
#include "flow/step_machine.h"
#include "persist/save.h"
#include "world/map.h"

namespace qv {
namespace {

// Display offsets of the status panels and the command box start off-screen so that they
// slide in.
constexpr int32_t kSlideInStart = -200;

// The three questions of the reset; the last asks for "No" to go on.
void OfferReset(Game& g) {
  g.host->PlayWave(0, "1.wav");
  if (!g.host->Confirm(Sjis("おっと、初期化したい？\r今までの記録とか消えるけどいい？)"))) return;
  if (!g.host->Confirm(Sjis("本当に消えるけどいい？)"))) return;
  if (g.host->Confirm(Sjis("では初期化する場合は「いいえ」を選択してね)"))) return;
  NewGame(g);
  FillMasterData(g.state);
  g.state.saveDisabled = 0;
  // The old save is kept as my.dat.bak; a reset that could not be written has told why.
  const persist::ResetSave saved = persist::SaveAfterReset(g);
  if (!saved.saved) return;
  if (saved.backup.empty()) {
    g.host->MessageBox(Sjis("初期化完了...."));
    return;
  }
  const std::optional<std::string> kept = Utf8ToCp932(saved.backup.filename().string());
  g.host->MessageBox(Compose(g, "初期化完了....\r前のデータは {file} に残してあります",
                             {Arg("file", kept.value_or(Sjis("my.dat.bak")))}));
}

}  // namespace

bool FormCreate(Game& g) {
  // The first waves and the MIDI device are opened by the host before the window exists.
  g.rng.Seed(g.seed);
  g.text.formActive = 1;
  g.screen.scene = -2;
  if (!g.presenter->LoadSprites(g)) {
    g.host->CloseWindow();
    return false;
  }
  ResetBattleState(g);
  FillMasterData(g.state);
  persist::LoadGame(g);
  g.frame.playerPanelOffset = kSlideInStart;
  g.frame.enemyPanelOffset = kSlideInStart;
  g.frame.commandBoxOffset = kSlideInStart;
  g.presenter->ShowBackground(g, "cr.jpg");
  HideMapButton(g);
  return true;
}

void ClickMain(Game& g, int32_t x, int32_t y, bool rightButton) {
  if (rightButton) return;
  if (ContinueOnClick(g)) return;
  if (g.battle.gameOver == 1) {
    world::ClearEncounter(g);
    ResetBattleState(g);
    persist::LoadGame(g);
    g.state.loadCount -= 1;  // in memory the reload does not count as a load
    g.host->PlayWave(2, "1.wav");
    g.screen.scene = -1;
    g.presenter->ShowBackground(g, "title.bmp");
    return;
  }
  if (g.screen.scene == -2) {
    if (g.state.saveDisabled == 1) {
      g.host->CloseWindow();
      return;
    }
    g.host->PlayWave(2, "pi.wav");
    g.screen.scene = -1;
    g.presenter->ShowBackground(g, "title.bmp");
    g.host->PlayMusic("title.mp3");
    return;
  }
  if (g.screen.scene == -1) {
    g.presenter->LoadPicture(g, W::cg2, "00.bmp");
    g.host->PlayWave(1, "pi.wav");
    g.screen.scene = 0;
    g.battle.gameOver = 0;
    if (g.state.eventFlags[0] == 0) {
      ShowPanel(g.form, W::bp_box);  // character creation takes over
      return;
    }
    g.host->PlayMusic("not");
    creation::SetPlayerPicture(g);
    world::ClearEncounter(g);
    GoToStep(g, Step::kBattleOpening);
    world::ShowMapScreen(g);
  }
}

void FormKeyDown(Game& g, int32_t key) {
  if (g.screen.scene <= -1 && key == kKeyEnter) {
    ClickMain(g, 0, 0, false);
    return;
  }
  if (key == kKeyF1 && g.screen.scene == -2) OfferReset(g);
}

void FormClose(Game& g) {
  g.text.formActive = -1;
}

void FormDestroy(Game& g) {
  // The host releases the MIDI library, the sprite slots and the first waves in its own
  // shutdown; the game's state needs nothing more.
}

}  // namespace qv
