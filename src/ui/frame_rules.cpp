#include "ui/frame_rules.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/message.h"
#include "core/text.h"

namespace qv::ui {
namespace {

struct Tag {
  const char* text;
  int32_t Combatant::*counter;
};

constexpr Tag kHarmfulTags[] = {
    {"<気絶>", &Combatant::st_faint},       {"<毒>", &Combatant::st_poison},
    {"<猛毒>", &Combatant::st_heavyPoison}, {"<麻痺>", &Combatant::st_paralysis},
    {"<攻↓>", &Combatant::st_atkDown},      {"<防↓>", &Combatant::st_defDown},
    {"<避↓>", &Combatant::st_evadeDown},    {"<命↓>", &Combatant::st_hitDown},
    {"<火傷>", &Combatant::st_burn},
};

constexpr Tag kHelpfulTags[] = {
    {"<癒>", &Combatant::st_regen},          {"<魔>", &Combatant::st_magic},
    {"<水>", &Combatant::st_water},          {"<魔紋>", &Combatant::st_magicCrest},
    {"<必中>", &Combatant::st_sureHit},      {"<防>", &Combatant::st_guard},
    {"<力>", &Combatant::st_power},          {"<追加>", &Combatant::st_extra},
    {"<炎壁>", &Combatant::st_fireWall},     {"<回避>", &Combatant::st_dodge},
    {"<魔回避>", &Combatant::st_magicDodge}, {"<命↑>", &Combatant::st_hitUp},
    {"<魔命↑>", &Combatant::st_magicHitUp},  {"<攻↑>", &Combatant::st_atkUp},
    {"<守↑>", &Combatant::st_guardUp},       {"<避↑>", &Combatant::st_evadeUp},
    {"<ｸﾘ↑>", &Combatant::st_critUp},        {"<固↑>", &Combatant::st_firmUp},
    {"<水耐>", &Combatant::st_resWater},     {"<火耐>", &Combatant::st_resFire},
    {"<光耐>", &Combatant::st_resLight},     {"<闇耐>", &Combatant::st_resDark},
    {"<無耐>", &Combatant::st_resNone},      {"<水力>", &Combatant::st_powWater},
    {"<火力>", &Combatant::st_powFire},      {"<光力>", &Combatant::st_powLight},
    {"<闇力>", &Combatant::st_powDark},      {"<無力>", &Combatant::st_powNone},
    {"<毒吸>", &Combatant::st_poisonAbsorb}, {"<吸収>", &Combatant::st_absorb},
    {"<反射>", &Combatant::st_reflect},      {"<棘>", &Combatant::st_thorns},
};

constexpr const char* kElementTags[] = {"<無>", "<光>", "<闇>", "<火>", "<水>"};

// Ten-step cycles: index 0 is one end, 5 the other, and 1..4 mirror 9..6.
struct Cycle {
  int32_t code;
  std::array<gfx::Color, 6> steps;
};
constexpr Cycle kTenStepCycles[] = {
    {301, {0x00EA12, 0x00DB10, 0x00BF0F, 0x00B50E, 0x00B50D, 0x00B50C}},
    {302, {0xFFE800, 0xE8D800, 0xDFC402, 0xDFAD02, 0xDF9D02, 0xDF8702}},
    {303, {0x7EECF8, 0x64E8F7, 0x4EE4F5, 0x34E0F3, 0x1FDCF1, 0x0FD2E8}},
    {306, {0x7EECF8, 0x64E8F7, 0x4EE4F5, 0x34E0F3, 0x1FDCF1, 0x0FD2E8}},
    {304, {0xFF5AB5, 0xFF4AA5, 0xFF379B, 0xFF158A, 0xFB0079, 0xE30066}},
    {305, {0x9D3CFF, 0x8B17FF, 0x7B00F7, 0x6802D9, 0x5800BF, 0x421FA8}},
    {307, {0xFF4646, 0xFF2626, 0xFF0606, 0xD90000, 0xC40000, 0xB50000}},
    {308, {0xDDDD88, 0xCCCC77, 0xBBBB66, 0xAAAA55, 0x999955, 0x888855}},
    {309, {0x994646, 0x882626, 0x770606, 0x660000, 0x550000, 0x440000}},
};
// Pink2 mirrors over eight steps.
constexpr std::array<gfx::Color, 5> kPink2 = {0xFFCCDD, 0xFFBBCC, 0xEEAABB, 0xDD99AA, 0xCC8899};
constexpr std::array<gfx::Color, 12> kRainbow = {0xFF0000, 0xFF9900, 0xFFFF00, 0x99FF00,
                                                 0x00FF00, 0x00FF99, 0x00FFFF, 0x0099FF,
                                                 0x0000FF, 0x9900FF, 0xFF00FF, 0xFF0099};

constexpr size_t kHelpLineBytes = 50;

// Up to `bytes` bytes of a text from `start`, never ending inside a two-byte character.
std::string_view Slice(std::string_view text, size_t start, size_t bytes) {
  if (start >= text.size()) return {};
  size_t end = start;
  while (end < text.size()) {
    const size_t len = Cp932CharLength(text, end);
    if (end + len > start + bytes) break;
    end += len;
  }
  return text.substr(start, end - start);
}

// Non-negative remainder: the counter may be anything a saved or damaged state gives.
int32_t Mod(int32_t k, int32_t n) {
  return ((k % n) + n) % n;
}

}  // namespace

int32_t BarFill(int32_t value, int32_t maximum, int32_t width) {
  const int64_t fill = int64_t{value} * width / std::max(maximum, 1);
  return static_cast<int32_t>(std::clamp<int64_t>(fill, INT32_MIN, width));
}

BarLook BarColours(Bar bar, const Combatant& c, int32_t frameCounter, bool blink) {
  const bool even = blink && frameCounter % 2 == 0;
  switch (bar) {
    case Bar::Hp:
      return {even && c.maxHp / 10 >= c.hp ? 0xAA0000u : 0x553322u, 0xFF3388};
    case Bar::Mp:
      return {0x223355, 0x8833FF};
    case Bar::Tp:
      return {0x224433, even && c.tp >= c.maxTp ? 0xAAFF55u : 0x88DD33u};
  }
  return {0, 0};
}

std::vector<const char*> StatusTagTexts(const Combatant& c, bool harmful) {
  std::vector<const char*> out;
  const auto add = [&](const auto& tags) {
    for (const Tag& t : tags) {
      if (c.*t.counter > 0) out.push_back(t.text);
    }
  };
  if (harmful)
    add(kHarmfulTags);
  else
    add(kHelpfulTags);
  return out;
}

std::string StatusTags(const Combatant& c, bool harmful) {
  std::string out;
  for (const char* t : StatusTagTexts(c, harmful)) out += Sjis(t);
  return out;
}

const char* ElementTagText(int32_t element) {
  if (element < 0 || element >= static_cast<int32_t>(std::size(kElementTags))) return "";
  return kElementTags[element];
}

std::string ElementTag(int32_t element) {
  return Sjis(ElementTagText(element));
}

std::string SkillLevelText(int32_t level) {
  return level > 9 ? std::string("MAX") : std::to_string(level);
}

std::array<std::string, 3> SkillHelpLines(const GameState& s, int32_t skill) {
  if (skill < 0 || skill >= kPerId) return {};
  const size_t id = static_cast<size_t>(skill);
  const std::string_view desc = s.skills[id].description;
  const std::string_view first = Slice(desc, 0, kHelpLineBytes);
  std::array<std::string, 3> lines = {
      std::string(first), std::string(Slice(desc, first.size(), kHelpLineBytes)), {}};
  const int32_t level = s.skillLevel[id];
  lines[2] =
      Fill(kSkillLevelLine, {Arg("level", SkillLevelText(level)), Arg("uses", s.skillUses[id])});
  if (lines[1].empty()) lines[1].swap(lines[2]);
  return lines;
}

gfx::Color RainbowColour(int32_t index) {
  return kRainbow[static_cast<size_t>(Mod(index, 12))];
}

gfx::Color LineColour(int32_t code, int32_t k, gfx::Color inForce) {
  if (code == 0) return 0xFFFFFF;
  for (const Cycle& c : kTenStepCycles) {
    if (c.code != code) continue;
    const int32_t i = Mod(k, 10);
    return c.steps[static_cast<size_t>(i <= 5 ? i : 10 - i)];
  }
  if (code == 310) {
    const int32_t i = Mod(k, 8);
    return kPink2[static_cast<size_t>(i <= 4 ? i : 8 - i)];
  }
  if (code == 312 || code == 313) return RainbowColour(k);
  return inForce;
}

double RelativeLuminance(gfx::Color c) {
  const auto linear = [](int channel) {
    const double v = channel / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(gfx::RedOf(c)) + 0.7152 * linear(gfx::GreenOf(c)) +
         0.0722 * linear(gfx::BlueOf(c));
}

double ContrastRatio(gfx::Color a, gfx::Color b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

gfx::Color OutlineFor(gfx::Color text) {
  constexpr gfx::Color kBlack = 0x000000, kWhite = 0xFFFFFF;
  return ContrastRatio(text, kBlack) >= ContrastRatio(text, kWhite) ? kBlack : kWhite;
}

int32_t BounceOffset(int32_t age) {
  static constexpr int32_t kFirst[] = {-12, -12, -10, 6, 4, -3, -2, 3, 2, -1};
  if (age >= 0 && age <= 9) return kFirst[age];
  if (age >= 10 && age <= 99) return 1;
  return 0;
}

// clang-format off
int32_t PopupLifetime(int32_t type) {
  switch (type) {
    case 16:
    case 17:
    case 18:
    case 19:
      return 52;
    case 20:
      return 62;
    case 32:
      return 1;
    case 57:
      return 15;
    case 140:
      return 60;
    case 156:
      return 25;
    case 161:
      return 24;
    case 189:
      return 17;
    case 191:
    case 192:
    case 193:
    case 194:
      return 20;
    default:
      return -1;
  }
}
// clang-format on

bool PopupAgesTwice(int32_t type) {
  return type >= 16 && type <= 20;
}

}  // namespace qv::ui
