#pragma once
// Small helpers for the save tests: files as bytes, lines of a CR LF file, a name list.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/new_game.h"
#include "core/text.h"
#include "support/fake_host.h"

namespace qv::testing {

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// The lines of a CR LF file; a line end that is not CR LF fails the split (an empty result).
inline std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) return {};
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

inline std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

// CP932 bytes of a UTF-8 text written in a test.
inline std::string Cp(const std::string& utf8) {
  return Utf8ToCp932(utf8).value();
}

// A name list of `count` names in the dat folder.
inline void WriteNameList(const Game& g, int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(Cp("名前") + std::to_string(i));
  WriteBytes(g.paths.datDir / "name.dat", JoinCrLf(names));
}

inline std::filesystem::path SaveFile(const Game& g) {
  return g.paths.saveDir / "my.dat";
}
inline std::filesystem::path RecordFile(const Game& g) {
  return g.paths.recordDir / "記録.txt";
}

// "" when the two files are equal, else where they first differ (keeps failures readable).
inline std::string FirstDifference(const std::string& a, const std::string& b) {
  if (a == b) return "";
  size_t line = 1, i = 0;
  for (; i < a.size() && i < b.size() && a[i] == b[i]; ++i) line += a[i] == '\n';
  const auto near = [&](const std::string& s) { return s.substr(i, 20); };
  return "line " + std::to_string(line) + ": [" + near(a) + "] vs [" + near(b) + "]";
}

inline bool Contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

// A player part way through the game, with every kind of saved value set to something that
// would show if a line went missing or moved.
inline void PlayMidGame(Game& g) {
  NewGame(g);
  GameState& s = g.state;
  Combatant& p = s.player();
  for (int i = 0; i < kPerId; ++i) {
    s.owned[i] = i % 7;
    s.bought[i] = i % 5;
    s.skillUses[i] = i * 3;
    s.reserved.reservedT[i] = -i;
  }
  for (int i = 0; i < 100; ++i) {
    s.eventFlags[i] = i % 2;
    s.clearCount[i] = i % 4;
    s.skillLevel[i] = i % 11;
    s.reserved.reservedA[i] = 1000 + i;
  }
  for (int i = 0; i < 40; ++i) s.reserved.reservedK[i] = i - 20;
  for (int i = 0; i < 44; ++i) s.reserved.reservedS[i] = i * i;
  for (int i = 0; i < kSetFrames; ++i) s.setSlots[i] = 800 + i;
  s.money = 9876;
  s.bp = 12;
  s.loadCount = 41;
  s.escapeCount = 3;
  s.battleCount = 210;
  s.speedMode = 2;
  s.score = 123456;
  s.maxDistance = 850;
  s.raceSex = 7;
  s.personality = 4;
  s.bonusParam = 5;
  s.reserved.reservedB = -7;
  s.reserved.reservedQ = INT32_MIN;
  s.reserved.reservedV = 10;
  s.reserved.reservedText = Cp("予備の文字");
  s.reserved.reservedU = {1, -2, 3, -4};
  p.name = Cp("ＱＲＴＶ団の～ひと");
  p.level = 33;
  p.exp = 400;
  p.maxHp = 310;
  p.hp = 255;
  p.maxMp = 90;
  p.mp = 80;
  p.tp = 77;
  p.maxTp = 140;
  p.attack = 41;
  p.defense = 29;
  p.spirit = 8;
  p.intellect = 9;
  p.hitRate = 15;
  p.evadeRate = 11;
  p.weapon = 101;
  p.shield = 102;
  p.helmet = 103;
  p.armor = 104;
  p.ringRight = 105;
  p.ringLeft = 106;
  p.waist = 107;
  p.arm = 108;
  p.pendant = 109;
  p.earring = 110;
  g.battle.phase = 17;
}

}  // namespace qv::testing
