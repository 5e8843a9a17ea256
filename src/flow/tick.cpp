#include "flow/tick.h"

#include <string>

#include "battle/action.h"
#include "battle/clamp.h"
#include "battle/sequencer.h"
#include "core/message.h"
#include "core/state_ops.h"
#include "core/text.h"
#include "creation/creation.h"
#include "items/item_screen.h"

namespace qv {
namespace {

constexpr int64_t kRateCheckMs = 1000;
constexpr int32_t kMinInterval = 70;

// The status text of the equipment screen, refreshed every tick while it is open.
std::string EquipmentStatusText(Game& g) {
  const GameState& s = g.state;
  return Compose(g,
                 "{who}のステータス\r\r攻撃力: {attack}\r防御力: {defense}\r命中率: {hit}\r"
                 "回避率: {evade}\rｸﾘﾃｨｶﾙ率: {crit}\rガード率: {guard}",
                 {Who(g, "who", 0), Arg("attack", TotalAttack(s)), Arg("defense", TotalDefense(s)),
                  Arg("hit", TotalHit(s)), Arg("evade", TotalEvade(s)), Arg("crit", TotalCrit(s)),
                  Arg("guard", TotalGuard(s))});
}

}  // namespace

void Tick(Game& g) {
  ScreenState& sc = g.screen;
  sc.ticksThisSecond += 1;
  sc.frameCounter += 1;
  if (sc.frameCounter > 999) sc.frameCounter = 0;

  const bool creationShown = g.form[W::bp_box].visible;
  if (sc.scene == -2) {
    g.presenter->CopyBackground(g);
    return;
  }
  if (sc.scene == -1 && !creationShown) {
    g.presenter->CopyBackground(g);
    g.presenter->DrawTitleScreen(g);
    return;
  }
  if (sc.scene < 0) return;

  if (creationShown) {
    creation::RefreshCreationSummary(g);
    return;
  }
  if (g.form[W::item_box].visible && items::CurrentMode(g) == items::Mode::Equip) {
    g.form[W::item_l3].caption = EquipmentStatusText(g);
  }
  // Frame skipping drops the whole tick's play work, so the game also runs slower.
  if (g.state.speedMode == 1 && sc.frameCounter % 4 == 0) return;
  if (g.state.speedMode == 2 && sc.frameCounter % 3 == 0) return;

  g.presenter->ComposeFrame(g);
  battle::StepAction(g);
  if (g.battle.phaseDelay >= 1) {
    g.battle.phaseDelay -= 1;
    if (g.battle.phaseDelay <= 0) AdvanceBattlePhase(g);
  }
  battle::ClampState(g);
}

void Timer1Timer(Game& g) {
  Tick(g);
  ScreenState& sc = g.screen;
  const int64_t now = g.host ? g.host->NowMs() : 0;
  if (now > sc.nextRateCheck) {
    sc.nextRateCheck = now + kRateCheckMs;
    const int32_t n = sc.ticksThisSecond;
    if (n >= 15) sc.timerInterval += n - 14;
    if (n <= 12) {
      const int32_t m = sc.timerInterval + n - 14;
      if (m >= kMinInterval) sc.timerInterval = m;
    }
    sc.ticksThisSecond = 0;
  }
}

}  // namespace qv
