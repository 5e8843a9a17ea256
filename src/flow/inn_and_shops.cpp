// The short scenes the step machine plays between screens: resting in the free area, the inn,
// and the greetings of the three shops before their panels open.
#include <algorithm>
#include <array>
#include <string>

#include "battle/equipment.h"
#include "battle/status.h"
#include "core/message.h"
#include "core/state_ops.h"
#include "core/text.h"
#include "core/text_lines.h"
#include "flow/step_machine.h"
#include "items/item_screen.h"
#include "items/shop.h"
#include "persist/save.h"
#include "world/map.h"

namespace qv {
namespace {

constexpr int kGreetings = 5;
using Greeting = std::array<const char*, 4>;  // unused lines are null
using Greetings = std::array<Greeting, kGreetings>;

constexpr Greetings kInnGreetings = {{
    {"やどやの人「いらっしゃいよ。泊まるかい？", "　ここに泊まれば【セーブ】できるよ。」"},
    {"やどやの人「いらっしゃいよ。",
     "　ところでここの値段は【ロード回数】に比例してるんだよ、覚えておきな」"},
    {"やどやの人「いらっしゃい。", "　今日は暑いね……」"},
    {"やどやの人「【レベル】があがっても、ここの値段は上がるんだ。", "　世の中、金、金、金……」"},
    {"やどやの人「いらっしゃいよ。泊まるかい？",
     "　そりゃ泊まるだろうね。わざわざ聞いてごめんよ」"},
}};

constexpr Greetings kToolShopGreetings = {{
    {"どうぐの人「いらっしゃい。ここは道具屋だよ"},
    {"どうぐの人「武器には攻撃力が上がる物と、命中率が上がる物がある」"},
    {"どうぐの人「いらっしゃい。", "　今日は寒いな……」"},
    {"どうぐの人「いらっしゃい。",
     "　どうせ俺の話なんて、お決まりのやつだとか思って聞いてないんだろ",
     "　知ってるさ……、どいつもこいつもおんなじだ」"},
    {"どうぐの人「さっさと商品見て帰ってくれ", "　俺は人の話を聞かないやつが大嫌いなんだ」"},
}};

constexpr Greetings kSecondShopGreetings = {{
    {"人工の人「よく見つけたね。ここは人工屋だよ"},
    {"人工の人「いらっしゃい。珍しい客が来たな。見てきな",
     "　人工カーレオは、あくまで人工だ。本物には劣る....」"},
    {"人工の人「いらっしゃい。", "　最近はなかなかいい品物が入らなくてね……」"},
    {"人工の人「いらっしゃい。", "　どうぐ屋のおやじを知ってるかい？",
     "　俺の親父なんだ。頑固な性格でな……", "　10年前に勘当された切り会ってない」"},
    {"人工の人「家族は大事にしな", "　家族に依存しても駄目だ。塩梅を考えなきゃ駄目だ」"},
}};

constexpr Greetings kThirdShopGreetings = {{
    {"ファトマ「我が名はファトマ、冒険する者なり」"},
    {"ファトマ「良く来た、冒険者よ", "　汝が求めるなら授けよう....冒険の装備を！」"},
    {"ファトマ「汝、何ゆえに冒険をする", "　誰しもにも理由がある……誰しもに！！」"},
    {"ファトマ「さあ求めよ！！", "　力を求める者にこそ、それは与えられる」"},
    {"ファトマ「冒険者よ、信じるのだ", "　その名は希望！！！！！！！！！」"},
}};

// Which greeting: the higher the level, the more of them can come up (the first is likeliest).
int32_t GreetingIndex(Game& g, int32_t levelDivisor, int32_t extra) {
  const int32_t v = std::min(Random(g, g.state.player().level / levelDivisor + extra), kGreetings);
  return std::clamp(Random(g, v), 0, kGreetings - 1);
}

void ShowGreeting(Game& g, const Greetings& table, int32_t index) {
  for (const char* line : table[static_cast<size_t>(index)]) {
    if (line) AddTextLine(g, Sjis(line));
  }
}

// A greeting, then the click opens the shop's panel.
void ShopTalk(Game& g, const Greetings& table, int32_t levelDivisor, int32_t extra) {
  ShowGreeting(g, table, GreetingIndex(g, levelDivisor, extra));
  g.battle.paused = 1;
}

// A night costs more the more often the game was loaded; the timid pay less for it.
int32_t InnPrice(const GameState& s) {
  const int32_t d = s.personality == 2 ? 4 : 3;
  return s.player().level + s.loadCount / d + 5;
}

}  // namespace

void StepRest(Game& g) {
  Combatant& p = g.state.player();
  const int32_t cost = battle::RestMpCost(g, p.maxMp / 5 + 1);
  if (cost > p.mp) {
    AddTextLineRaw(g, Sjis("MPが足りません...."));
    GoToStep(g, Step::kMilestones);  // the click offers the commands again
    AdvanceBattlePhase(g);
    return;
  }
  p.tp += battle::RestTpGain(g);
  const int32_t heal = Random(g, 2) + 4 + battle::RestHealBonus(g);
  battle::HealHp(g, 0, heal);
  p.mp -= cost;
  AddTextLineRaw(g, Compose(g, "MP {cost}を使って休憩しました > HP {heal}回復",
                            {Arg("cost", cost), Arg("heal", heal)}));
}

void StepAfterRest(Game& g) {
  GoToStep(g, Step::kMilestones);
  AdvanceBattlePhase(g);
}

void StepInnTalk(Game& g) {
  ShowGreeting(g, kInnGreetings, GreetingIndex(g, 5, 2));
  AddTextLineRaw(g, Compose(g, "　宿賃は {price}円だけど、払えるんだろうね」",
                            {Arg("price", InnPrice(g.state))}));
}

void StepInnStay(Game& g) {
  const int32_t price = InnPrice(g.state);
  if (g.state.money < price) {
    AddTextLineRaw(g, Sjis("払えないじゃないか！　だから言ったんだ"));
    return;
  }
  ResetBattleState(g);
  SpawnPopup(g, 110, 420, 17, "MAX");
  SpawnPopup(g, 110, 435, 18, "MAX");
  g.state.money -= price;
  if (persist::SaveGame(g)) {
    AddTextLineRaw(g, Sjis("宿泊しました.... > 全回復 , Save complete!!"));
    return;
  }
  // A night whose save did not reach the disk is not charged: the rest is given, the money
  // stays as the file on the disk still has it.
  g.state.money += price;
  AddTextLineRaw(g, Sjis("宿泊しました.... > 全回復 , セーブできなかったので宿賃はいりません"));
}

void StepInnLeave(Game& g) {
  world::ShowMapScreen(g);
}

void StepToolShopTalk(Game& g) {
  ShopTalk(g, kToolShopGreetings, 5, 2);
}
void StepToolShopOpen(Game& g) {
  items::OpenShopPanel(g, items::Shop::Tool);
}
void StepSecondShopTalk(Game& g) {
  ShopTalk(g, kSecondShopGreetings, 5, 2);
}
void StepSecondShopOpen(Game& g) {
  items::OpenShopPanel(g, items::Shop::Wandering);
}
void StepThirdShopTalk(Game& g) {
  ShopTalk(g, kThirdShopGreetings, 10, 0);
}
void StepThirdShopOpen(Game& g) {
  items::OpenShopPanel(g, items::Shop::Ship);
}

}  // namespace qv
