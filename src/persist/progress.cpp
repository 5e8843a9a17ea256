#include "persist/progress.h"

#include "persist/save_layout.h"

namespace qv::persist {
namespace {

// FNV-1a over the values in the file's order.
struct Fingerprinter {
  const GameState& s;
  uint64_t hash = 0xcbf29ce484222325ULL;

  void Byte(uint8_t b) {
    hash ^= b;
    hash *= 0x100000001b3ULL;
  }
  void Int(int32_t& x) {
    if (&x == &s.loadCount || &x == &s.phaseAtSave) return;
    const auto u = static_cast<uint32_t>(x);
    for (int shift = 0; shift < 32; shift += 8) Byte(static_cast<uint8_t>(u >> shift));
  }
  template <size_t N>
  void Ints(std::array<int32_t, N>& xs) {
    for (int32_t& x : xs) Int(x);
  }
  void Index(int32_t& x, int32_t) { Int(x); }
  template <size_t N>
  void Indices(std::array<int32_t, N>& xs, int32_t) {
    Ints(xs);
  }
  void Text(std::string& text) {
    for (char c : text) Byte(static_cast<uint8_t>(c));
    Byte(0);  // so that moving a byte from one text to the next changes the print
  }
};

}  // namespace

uint64_t ProgressFingerprint(const GameState& s) {
  Fingerprinter f{s};
  // The walk hands out references for the reader's sake; the fingerprinter only reads them.
  VisitSaveLines(const_cast<GameState&>(s), f);
  return f.hash;
}

void MarkSaved(Game& g) {
  g.savedProgress = ProgressFingerprint(g.state);
}

bool HasUnsavedProgress(const Game& g) {
  if (g.savedProgress == 0 || g.state.saveDisabled == 1 || g.battle.gameOver == 1) return false;
  return ProgressFingerprint(g.state) != g.savedProgress;
}

}  // namespace qv::persist
