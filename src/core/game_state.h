#pragma once
// The whole state the game's rules treat as global: both battle sides, the master tables,
// the player's progression and inventory, and the reserved values the save file carries.
#include <array>
#include <cstdint>
#include <string>

namespace qv {

constexpr int kCombatants = 1001;
constexpr int kSkills = 1001;
constexpr int kItems = 1001;
constexpr int kPerId = 1000;  // skillLevel, skillUses, owned, bought
// Skill ids 0..99 are the ordinary skills; from here on the combination and special skills.
constexpr int32_t kFirstCombination = 100;
constexpr int kSetFrames = 20;
constexpr int kFlags = 100;
constexpr int kRandomNames = 226;

// Element codes of a combatant.
enum Element : int32_t {
  kElemNone = 0,
  kElemLight = 1,
  kElemDark = 2,
  kElemFire = 3,
  kElemWater = 4
};

// ItemDef.kind codes.
enum ItemKind : int32_t {
  kKindNothing = -1,
  kKindWeapon = 1,
  kKindArmor = 2,
  kKindHelmet = 3,
  kKindShield = 4,
  kKindRingRight = 5,
  kKindRingLeft = 6,
  kKindWaist = 7,
  kKindArm = 8,
  kKindEarring = 9,
  kKindRare = 10,
  kKindPendant = 11,
  kKindBook = 99,
  kKindSetItem = 100,
  kKindMaxHp = 101,
  kKindMaxMp = 102,
  kKindMaxTp = 103,
};

// One side of a battle: index 0 the player (saved), index 1 the current enemy.
// Every st_ field is a status counter: 0 off, positive on (normally turns left).
struct Combatant {
  int32_t element = 0;
  std::string name;
  int32_t pendant = 0;
  int32_t earring = 0;
  int32_t helmet = 0;
  int32_t shield = 0;
  int32_t armor = 0;
  int32_t ringRight = 0;
  int32_t ringLeft = 0;
  int32_t waist = 0;
  int32_t arm = 0;
  int32_t weapon = 0;
  int32_t reserved99 = 0;
  int32_t level = 0;
  int32_t moneyReward = 0;
  int32_t exp = 0;
  int32_t maxHp = 0;
  int32_t hp = 0;
  int32_t mp = 0;
  int32_t maxMp = 0;
  int32_t tp = 0;
  int32_t maxTp = 0;
  int32_t present = 0;
  int32_t reserved140 = 0;
  int32_t defense = 0;
  int32_t spirit = 0;
  int32_t attack = 0;
  int32_t intellect = 0;
  int32_t hitRate = 0;
  int32_t evadeRate = 0;
  std::array<int32_t, 5> skillSlots{};
  int32_t traitA = 0;
  int32_t traitB = 0;
  int32_t mpRegenKind = 0;
  int32_t st_magicCrest = 0;
  int32_t maxAction = 0;
  int32_t action = 0;
  int32_t st_poisonAbsorb = 0;
  int32_t st_absorb = 0;
  int32_t st_reflect = 0;
  int32_t st_thorns = 0;
  int32_t st_powWater = 0;
  int32_t st_powFire = 0;
  int32_t st_powLight = 0;
  int32_t st_powDark = 0;
  int32_t st_powNone = 0;
  int32_t st_resWater = 0;
  int32_t st_resFire = 0;
  int32_t st_resLight = 0;
  int32_t st_resDark = 0;
  int32_t st_resNone = 0;
  int32_t st_burn = 0;
  int32_t st_critUp = 0;
  int32_t st_firmUp = 0;
  int32_t st_defDown = 0;
  int32_t st_atkDown = 0;
  int32_t st_sureHit = 0;
  int32_t st_evadeUp = 0;
  int32_t st_magicHitUp = 0;
  int32_t st_hitUp = 0;
  int32_t st_evadeDown = 0;
  int32_t st_hitDown = 0;
  int32_t st_dodge = 0;
  int32_t st_magicDodge = 0;
  int32_t st_fireWall = 0;
  int32_t st_extra = 0;
  int32_t st_regen = 0;
  int32_t st_magic = 0;
  int32_t st_water = 0;
  int32_t st_atkUp = 0;
  int32_t st_guardUp = 0;
  int32_t st_magicAtkUp = 0;
  int32_t st_magicDefUp = 0;
  int32_t st_heroFever = 0;
  int32_t st_stomachache = 0;
  int32_t st_poison = 0;
  int32_t st_heavyPoison = 0;
  int32_t st_paralysis = 0;
  int32_t st_faint = 0;
  int32_t st_guard = 0;
  int32_t st_power = 0;
  int32_t guardRate = 0;
  int32_t critRate = 0;
  std::array<int32_t, 20> reserved20{};
};

// Every status counter of a combatant, in declaration order.
inline constexpr int32_t Combatant::*kStatusFields[] = {
    &Combatant::st_magicCrest, &Combatant::st_poisonAbsorb, &Combatant::st_absorb,
    &Combatant::st_reflect,    &Combatant::st_thorns,       &Combatant::st_powWater,
    &Combatant::st_powFire,    &Combatant::st_powLight,     &Combatant::st_powDark,
    &Combatant::st_powNone,    &Combatant::st_resWater,     &Combatant::st_resFire,
    &Combatant::st_resLight,   &Combatant::st_resDark,      &Combatant::st_resNone,
    &Combatant::st_burn,       &Combatant::st_critUp,       &Combatant::st_firmUp,
    &Combatant::st_defDown,    &Combatant::st_atkDown,      &Combatant::st_sureHit,
    &Combatant::st_evadeUp,    &Combatant::st_magicHitUp,   &Combatant::st_hitUp,
    &Combatant::st_evadeDown,  &Combatant::st_hitDown,      &Combatant::st_dodge,
    &Combatant::st_magicDodge, &Combatant::st_fireWall,     &Combatant::st_extra,
    &Combatant::st_regen,      &Combatant::st_magic,        &Combatant::st_water,
    &Combatant::st_atkUp,      &Combatant::st_guardUp,      &Combatant::st_magicAtkUp,
    &Combatant::st_magicDefUp, &Combatant::st_heroFever,    &Combatant::st_stomachache,
    &Combatant::st_poison,     &Combatant::st_heavyPoison,  &Combatant::st_paralysis,
    &Combatant::st_faint,      &Combatant::st_guard,        &Combatant::st_power,
};

// Master record of one skill; present exactly when name is not empty.
struct SkillDef {
  std::string name;
  std::string description;
  int32_t tpCost = 0;
  int32_t mpCost = 0;
  int32_t isMagic = 0;
  int32_t scoreValue = 0;
  int32_t elemNone = 0;
  int32_t elemWater = 0;
  int32_t elemFire = 0;
  int32_t elemLight = 0;
  int32_t elemDark = 0;
};

// Master record of one piece of equipment or item; present exactly when name is not empty.
struct ItemDef {
  std::string name;
  std::string description;
  int32_t unique = 0;
  int32_t price = 0;
  int32_t kind = 0;
  int32_t amount = 0;
  int32_t ringHit = 0;
  int32_t guardRate = 0;
  int32_t critRate = 0;
  int32_t defense = 0;
  int32_t hitOrEvade = 0;
  int32_t attack = 0;
};

// Values the save file carries that no rule of the game reads (kept byte for byte).
struct ReservedValues {
  std::array<int32_t, 100> reservedA{};
  int32_t reservedB = 0, reservedC = 0, reservedD = 0, reservedE = 0, reservedF = 0, reservedG = 0;
  int32_t reservedH = 0, reservedI = 0, reservedJ = 0;
  std::array<int32_t, 40> reservedK{};  // twenty pairs, first and second of each pair in turn
  int32_t reservedL = 0, reservedM = 0, reservedN = 0, reservedO = 0, reservedP = 0, reservedQ = 0,
          reservedR = 0;
  std::array<int32_t, 44> reservedS{};  // four arrays of 11, one after the other
  std::array<int32_t, 1000> reservedT{};
  std::array<int32_t, 4> reservedU{};
  std::string reservedText;
  int32_t reservedV = 0;
};

// Everything the save file and the game's rules share (the battle sequencer, the screens
// and the presentation keep their own state beside it in Game).
struct GameState {
  std::array<Combatant, kCombatants> combatants{};
  std::array<SkillDef, kSkills> skills{};
  std::array<ItemDef, kItems> items{};

  int32_t money = 0;
  int32_t moneyOnEntry = 0;
  int32_t bp = 0;
  std::array<int32_t, kPerId> skillLevel{};
  std::array<int32_t, kPerId> skillUses{};
  std::array<int32_t, kPerId> owned{};
  std::array<int32_t, kPerId> bought{};
  std::array<int32_t, kSetFrames> setSlots{};
  std::array<int32_t, kFlags> eventFlags{};
  std::array<int32_t, kFlags> clearCount{};
  int32_t score = 0;
  int32_t maxDistance = 0;
  int32_t depth = 0;
  int32_t loadCount = 0;
  int32_t battleCount = 0;
  int32_t escapeCount = 0;
  int32_t raceSex = 0;
  int32_t bonusParam = 0;
  int32_t personality = 0;
  int32_t speedMode = 0;
  int32_t saveDisabled = 0;
  int32_t checksum = 0;
  int32_t phaseAtSave = 0;
  std::array<std::string, kRandomNames> randomNames{};
  int32_t randomNameCount = 0;  // how many names name.dat gave; never index past it

  ReservedValues reserved;

  Combatant& player() { return combatants[0]; }
  Combatant& enemy() { return combatants[1]; }
  const Combatant& player() const { return combatants[0]; }
  const Combatant& enemy() const { return combatants[1]; }
};

}  // namespace qv
