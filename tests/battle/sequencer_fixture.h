#pragma once
// A game ready for a battle at an encounter place: master tables filled, a level-1 hero who
// knows 踏みつぶす, a weak enemy, battle speed 9; helpers to read the text lines.
#include <algorithm>
#include <string>

#include "battle/sequencer.h"
#include "core/game.h"
#include "core/master_data.h"
#include "core/text.h"
#include "flow/step_machine.h"
#include "support/fake_host.h"
#include "support/hero.h"

namespace qv::testing {

struct BattleGame {
  TestGame t;
  Game& g;

  BattleGame() : g(t.g()) {
    Combatant& p = PlayWithHero(g);
    g.battle.battleSpeed = 9;
    g.battle.locationId = 2;
    p.attack = 3;
    p.hitRate = 10;
    Combatant& e = g.state.enemy();
    e.name = Sjis("スライム");
    e.maxHp = e.hp = 12;
    e.maxMp = e.mp = 0;
    e.maxTp = 100;
    e.exp = 5;
    e.moneyReward = 7;
    e.present = 1;
    e.skillSlots = {0, 0, 0, 0, 0};
  }

  std::string Line(int i) const { return g.text.lines[static_cast<size_t>(i)].text; }

  // True when any of the lines on screen (or scrolled just off) holds the CP932 text.
  bool Shows(const std::string& cp932) const {
    return std::any_of(g.text.lines.begin(), g.text.lines.end(),
                       [&](const LineEntry& l) { return l.text.find(cp932) != std::string::npos; });
  }
  bool Shows(const char* utf8Literal) const { return Shows(Sjis(utf8Literal)); }

  bool Played(const std::string& wave) const {
    return std::find(t.host.waves.begin(), t.host.waves.end(), wave) != t.host.waves.end();
  }

  // Puts the machine just before `step` and runs it.
  void RunStep(int32_t step) {
    g.battle.paused = 0;
    g.battle.phase = step - 1;
    AdvanceBattlePhase(g);
  }
};

}  // namespace qv::testing
