#include "creation/creation.h"

#include "core/message.h"
#include "core/steps.h"
#include "core/text.h"
#include "creation/creation_tables.h"
#include "persist/save.h"
#include "world/map.h"
#include "world/scene_text.h"
#include "world/story_text.h"

namespace qv::creation {
namespace {

constexpr int kPlayerSpriteSlot = 1;

// The row of a table for a saved choice; null for a value no button gives (a damaged save).
template <typename Row, size_t N>
const Row* RowFor(const Row (&rows)[N], int32_t value) {
  if (value < 0 || value >= static_cast<int32_t>(N)) return nullptr;
  return &rows[static_cast<size_t>(value)];
}

void AddBonus(Game& g, const Bonus& b) {
  Combatant& p = g.state.player();
  p.attack += b.attack;
  p.defense += b.defense;
  p.maxHp += b.maxHp;
  p.maxMp += b.maxMp;
  p.hitRate += b.hitRate;
  p.evadeRate += b.evadeRate;
  g.state.money += b.money;
}

void QueueOpening(Game& g) {
  const std::vector<std::string> lines = world::OpeningLines(g);
  auto& queue = g.battle.dialogueLines;
  for (size_t i = 0; i < queue.size(); ++i) {
    queue[i] = i < lines.size() ? lines[i] : std::string();
  }
}

}  // namespace

void ChooseBonusParam(Game& g, int32_t param) {
  g.state.bonusParam = param;
}

void ChoosePersonality(Game& g, int32_t personality) {
  g.host->PlayWave(0, "1.wav");
  g.state.personality = personality;
}

void ChooseRaceSex(Game& g, int32_t raceSex) {
  g.host->PlayWave(0, "1.wav");
  g.state.raceSex = raceSex;
  UpdateCreationPortrait(g);
}

void UpdateCreationPortrait(Game& g) {
  const std::string file = "char" + std::to_string(g.state.raceSex) + ".bmp";
  g.form[W::bp_box_cg].picture = file;
  g.presenter->LoadPicture(g, W::bp_box_cg, file);
}

void RefreshCreationSummary(Game& g) {
  const ChoiceRow* param = RowFor(kParams, g.state.bonusParam);
  const ChoiceRow* type = RowFor(kPersonalities, g.state.personality);
  g.form[W::bp_l].caption = Compose(g, "上昇ﾊﾟﾗﾒｰﾀｰ:【{param}】 タイプ:≪{type}≫",
                                    {Term("param", param ? Sjis(param->name) : std::string{}),
                                     Term("type", type ? Sjis(type->name) : std::string{})});
}

void ApplyCreationBonuses(Game& g) {
  if (const ChoiceRow* type = RowFor(kPersonalities, g.state.personality)) AddBonus(g, type->bonus);
  if (const ChoiceRow* param = RowFor(kParams, g.state.bonusParam)) AddBonus(g, param->bonus);
  if (const ChoiceRow* race = RowFor(kRaceSexes, g.state.raceSex)) AddBonus(g, race->bonus);
}

void ConfirmCreation(Game& g) {
  // The panel can only make one character; a second OK must not add the bonuses again.
  if (g.state.eventFlags[0] != 0) return;
  g.host->PlayWave(0, "ok.wav");
  g.form[W::bp_box].visible = false;

  const std::string& typed = g.form[W::name_l].caption;
  g.state.player().name = typed.empty() ? Sjis("しすみ") : typed;
  g.form[W::name_box].visible = false;
  g.state.eventFlags[0] = 1;

  // HP and MP stay at the new game's values: the bonuses raise only the maximums.
  ApplyCreationBonuses(g);
  persist::SaveGame(g);

  world::ClearEncounter(g);
  GoToStep(g, Step::kBattleOpening);
  world::ShowMapScreen(g);
  SetPlayerPicture(g);

  if (g.state.eventFlags[1] == 0) {
    g.host->PlayMusic("op.mp3");
    QueueOpening(g);
    g.state.eventFlags[1] = 1;
    world::StartStoryLines(g);
  }
}

std::string PlayerPictureFile(const Game& g) {
  const int32_t level = g.state.player().level;
  const char* grown = level >= 30 ? "c" : level >= 20 ? "b" : level > 9 ? "a" : "";
  return "char" + std::to_string(g.state.raceSex) + grown + ".bmp";
}

void SetPlayerPicture(Game& g) {
  g.presenter->LoadSprite(g, kPlayerSpriteSlot, PlayerPictureFile(g));
}

}  // namespace qv::creation
