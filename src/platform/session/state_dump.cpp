#include "platform/session/state_dump.h"

#include <charconv>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "core/text.h"
#include "files/file_io.h"
#include "persist/progress.h"
#include "persist/save.h"

namespace qv::session {
namespace {

struct Field {
  const char* key;
  std::function<std::string(const Game&)> read;
};

// Named scalar values, in the order the dump shows them.
const std::vector<Field>& Fields() {
  static const std::vector<Field> fields = {
      {"scene", [](const Game& g) { return Num(g.screen.scene); }},
      {"frameCounter", [](const Game& g) { return Num(g.screen.frameCounter); }},
      {"timerInterval", [](const Game& g) { return Num(g.screen.timerInterval); }},
      {"formActive", [](const Game& g) { return Num(g.text.formActive); }},
      {"background", [](const Game& g) { return Readable(g.frame.background); }},
      {"phase", [](const Game& g) { return Num(g.battle.phase); }},
      {"phaseDelay", [](const Game& g) { return Num(g.battle.phaseDelay); }},
      {"paused", [](const Game& g) { return Num(g.battle.paused); }},
      {"storyMode", [](const Game& g) { return Num(g.battle.storyMode); }},
      {"location", [](const Game& g) { return Num(g.battle.locationId); }},
      {"battleActive", [](const Game& g) { return Num(g.battle.battleActive); }},
      {"turnSide", [](const Game& g) { return Num(g.battle.turnSide); }},
      {"battleSpeed", [](const Game& g) { return Num(g.battle.battleSpeed); }},
      {"gameOver", [](const Game& g) { return Num(g.battle.gameOver); }},
      {"money", [](const Game& g) { return Num(g.state.money); }},
      {"bp", [](const Game& g) { return Num(g.state.bp); }},
      {"score", [](const Game& g) { return Num(g.state.score); }},
      {"depth", [](const Game& g) { return Num(g.state.depth); }},
      {"maxDistance", [](const Game& g) { return Num(g.state.maxDistance); }},
      {"loadCount", [](const Game& g) { return Num(g.state.loadCount); }},
      {"battleCount", [](const Game& g) { return Num(g.state.battleCount); }},
      {"escapeCount", [](const Game& g) { return Num(g.state.escapeCount); }},
      {"raceSex", [](const Game& g) { return Num(g.state.raceSex); }},
      {"bonusParam", [](const Game& g) { return Num(g.state.bonusParam); }},
      {"personality", [](const Game& g) { return Num(g.state.personality); }},
      {"speedMode", [](const Game& g) { return Num(g.state.speedMode); }},
      {"saveDisabled", [](const Game& g) { return Num(g.state.saveDisabled); }},
      // 1 when closing the window now would lose progress (the window asks first).
      {"unsaved", [](const Game& g) { return Num(persist::HasUnsavedProgress(g) ? 1 : 0); }},
      {"randomDraws", [](const Game& g) { return Num(static_cast<int64_t>(g.rng.draws)); }},
  };
  return fields;
}

// The fields of one combatant, shown as player.X and enemy.X.
const std::vector<std::pair<const char*, std::function<std::string(const Combatant&)>>>&
CombatantFields() {
  static const std::vector<std::pair<const char*, std::function<std::string(const Combatant&)>>>
      fields = {
          {"name", [](const Combatant& c) { return Readable(c.name); }},
          {"level", [](const Combatant& c) { return Num(c.level); }},
          {"exp", [](const Combatant& c) { return Num(c.exp); }},
          {"hp", [](const Combatant& c) { return Num(c.hp); }},
          {"maxHp", [](const Combatant& c) { return Num(c.maxHp); }},
          {"mp", [](const Combatant& c) { return Num(c.mp); }},
          {"maxMp", [](const Combatant& c) { return Num(c.maxMp); }},
          {"tp", [](const Combatant& c) { return Num(c.tp); }},
          {"maxTp", [](const Combatant& c) { return Num(c.maxTp); }},
          {"attack", [](const Combatant& c) { return Num(c.attack); }},
          {"defense", [](const Combatant& c) { return Num(c.defense); }},
          {"hitRate", [](const Combatant& c) { return Num(c.hitRate); }},
          {"evadeRate", [](const Combatant& c) { return Num(c.evadeRate); }},
          {"spirit", [](const Combatant& c) { return Num(c.spirit); }},
          {"intellect", [](const Combatant& c) { return Num(c.intellect); }},
          {"element", [](const Combatant& c) { return Num(c.element); }},
          {"weapon", [](const Combatant& c) { return Num(c.weapon); }},
          {"armor", [](const Combatant& c) { return Num(c.armor); }},
          {"helmet", [](const Combatant& c) { return Num(c.helmet); }},
          {"shield", [](const Combatant& c) { return Num(c.shield); }},
          {"ringRight", [](const Combatant& c) { return Num(c.ringRight); }},
          {"ringLeft", [](const Combatant& c) { return Num(c.ringLeft); }},
          {"waist", [](const Combatant& c) { return Num(c.waist); }},
          {"arm", [](const Combatant& c) { return Num(c.arm); }},
          {"earring", [](const Combatant& c) { return Num(c.earring); }},
          {"pendant", [](const Combatant& c) { return Num(c.pendant); }},
      };
  return fields;
}

// Arrays a key may index: name[i].
struct IndexedField {
  const char* name;
  int32_t size;
  std::function<std::string(const Game&, int32_t)> read;
};

const std::vector<IndexedField>& IndexedFields() {
  static const std::vector<IndexedField> fields = {
      {"eventFlags", kFlags, [](const Game& g, int32_t i) { return Num(g.state.eventFlags[i]); }},
      {"clearCount", kFlags, [](const Game& g, int32_t i) { return Num(g.state.clearCount[i]); }},
      {"skillLevel", kPerId, [](const Game& g, int32_t i) { return Num(g.state.skillLevel[i]); }},
      {"owned", kPerId, [](const Game& g, int32_t i) { return Num(g.state.owned[i]); }},
      {"setSlots", kSetFrames, [](const Game& g, int32_t i) { return Num(g.state.setSlots[i]); }},
      {"line", kLineEntries,
       [](const Game& g, int32_t i) { return Readable(g.text.lines[i].text); }},
      {"dialogueLines", kQueuedLines,
       [](const Game& g, int32_t i) { return Readable(g.battle.dialogueLines[i]); }},
  };
  return fields;
}

const Widget* FindWidget(const Game& g, std::string_view name) {
  for (const Widget& w : g.form.widgets) {
    if (name == w.name) return &w;
  }
  return nullptr;
}

W WidgetId(const Game& g, const Widget* w) {
  return static_cast<W>(w - g.form.widgets.data());
}

std::string CountSaveLines(const Game& g) {
  const Result<std::string> text =
      files::ReadFile(g.paths.saveDir / "my.dat", persist::kMaxSaveBytes);
  if (!text.ok()) return "-1";
  int64_t lines = 0;
  for (char c : *text) lines += c == '\n';
  if (!text->empty() && text->back() != '\n') ++lines;  // a last line without its end counts
  return Num(lines);
}

}  // namespace

std::optional<std::string> LookupStateValue(const Game& g, std::string_view key) {
  for (const Field& f : Fields()) {
    if (key == f.key) return f.read(g);
  }
  for (const auto& [prefix, side] : {std::pair{"player.", 0}, std::pair{"enemy.", 1}}) {
    const std::string_view p = prefix;
    if (!key.starts_with(p)) continue;
    for (const auto& [name, read] : CombatantFields()) {
      if (key.substr(p.size()) == name) return read(g.state.combatants[side]);
    }
    return std::nullopt;
  }
  if (key.starts_with("visible.") || key.starts_with("caption.")) {
    const Widget* w = FindWidget(g, key.substr(8));
    if (!w) return std::nullopt;
    if (key[0] == 'v') return Num(IsShown(g.form, WidgetId(g, w)) ? 1 : 0);
    return Readable(w->caption);
  }
  if (key == "saveLines") return CountSaveLines(g);
  const size_t open = key.find('[');
  if (open != std::string_view::npos && key.back() == ']') {
    const std::string_view name = key.substr(0, open);
    const std::string_view digits = key.substr(open + 1, key.size() - open - 2);
    int32_t index = -1;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (ec != std::errc() || ptr != digits.data() + digits.size()) return std::nullopt;
    for (const IndexedField& f : IndexedFields()) {
      if (name == f.name) {
        if (index < 0 || index >= f.size) return std::nullopt;
        return f.read(g, index);
      }
    }
    return std::nullopt;
  }
  return std::nullopt;
}

std::string DumpState(const Game& g) {
  std::ostringstream out;
  for (const Field& f : Fields()) out << f.key << ": " << f.read(g) << "\n";
  for (int side = 0; side < 2; ++side) {
    const char* prefix = side == 0 ? "player." : "enemy.";
    for (const auto& [name, read] : CombatantFields()) {
      out << prefix << name << ": " << read(g.state.combatants[side]) << "\n";
    }
  }
  // Arrays show only their non-zero entries, as index=value.
  for (const char* name : {"eventFlags", "clearCount", "skillLevel", "owned", "setSlots"}) {
    out << name << ":";
    for (const IndexedField& f : IndexedFields()) {
      if (std::string_view(f.name) != name) continue;
      for (int32_t i = 0; i < f.size; ++i) {
        const std::string v = f.read(g, i);
        if (v != "0") out << " " << i << "=" << v;
      }
    }
    out << "\n";
  }
  out << "lines (newest first):\n";
  constexpr int kShownLines = 7;
  for (int i = 0; i < kShownLines; ++i) {
    out << "  line[" << i << "]: " << Readable(g.text.lines[i].text) << "\n";
  }
  out << "visible panels:";
  for (int i = 0; i < kWidgetCount; ++i) {
    const Widget& w = g.form.widgets[i];
    if (w.kind == WidgetKind::Panel && IsShown(g.form, static_cast<W>(i))) out << " " << w.name;
  }
  out << "\n";
  return out.str();
}

std::string Readable(std::string_view cp932) {
  const std::string utf8 = Cp932ToUtf8(cp932);
  std::string out;
  for (char c : utf8) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string BoxTextForPrinting(std::string_view cp932) {
  std::string utf8 = Cp932ToUtf8(cp932);
  std::string printable;
  printable.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      printable += '\n';
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      printable += utf8[i];
    }
  }
  return printable;
}

}  // namespace qv::session
