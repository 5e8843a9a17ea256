#include "world/explore.h"

#include "battle/sequencer.h"
#include "core/text.h"
#include "world/free_area.h"
#include "world/map.h"

namespace qv::world {
namespace {

void GoDeeper(Game& g) {
  GameState& s = g.state;
  s.depth += 1;
  if (s.depth >= s.maxDistance) s.maxDistance = s.depth;
  ResetEnemySlots(g);
  StartFreeArea(g, s.depth);
  battle::StartBattle(g);
}

void Rest(Game& g) {
  GoToStep(g, Step::kRest);
  AdvanceBattlePhase(g);
}

// "帰る": the next step takes the player back to the map.
void GoHome(Game& g) {
  AdvanceBattlePhase(g);
}

struct Command {
  const char* text;
  void (*run)(Game&);
};
constexpr Command kCommands[] = {{"進む", GoDeeper}, {"休憩", Rest}, {"帰る", GoHome}};

// A command button: the box closes, the button's command runs, and the button forgets it.
void PressCommand(Game& g, size_t button) {
  TextState& t = g.text;
  g.form[W::com_box].visible = false;
  // Forgotten before it runs, so a box the command offers again keeps its new texts.
  const std::string command = std::move(t.commandStrings[button]);
  t.commandStrings[button].clear();
  RunExploreCommand(g, command);
}

}  // namespace

void RunExploreCommand(Game& g, std::string_view command) {
  for (const Command& c : kCommands) {
    if (command == Sjis(c.text)) {
      c.run(g);
      return;
    }
  }
}

}  // namespace qv::world

namespace qv {

void l_btn_com1MouseDown(Game& g, int32_t, int32_t, bool) {
  world::PressCommand(g, 0);
}
void l_btn_com2MouseDown(Game& g, int32_t, int32_t, bool) {
  world::PressCommand(g, 1);
}
void l_btn_com3MouseDown(Game& g, int32_t, int32_t, bool) {
  world::PressCommand(g, 2);
}

}  // namespace qv
