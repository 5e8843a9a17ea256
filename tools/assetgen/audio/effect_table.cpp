// The game's sound effects. Formats are mixed on purpose (8 and 16 bits, mono and stereo,
// 11025 and 22050 Hz): the game's mixer converts them all to its single output format.
// Mastering (mastering.h) keeps every one below 5 kHz, since the mixer plays at 11025 Hz unless
// told otherwise, and levels them together; the level column nudges one against the set.
#include "effects.h"

namespace qv::assetgen {
namespace {

constexpr WavFormat k8Mono11{8, 1, 11025};
constexpr WavFormat k8Mono22{8, 1, 22050};
constexpr WavFormat k8Stereo11{8, 2, 11025};
constexpr WavFormat k8Stereo22{8, 2, 22050};
constexpr WavFormat k16Mono11{16, 1, 11025};
constexpr WavFormat k16Mono22{16, 1, 22050};
constexpr WavFormat k16Stereo11{16, 2, 11025};
constexpr WavFormat k16Stereo22{16, 2, 22050};

using W = Wave;

}  // namespace

const std::vector<EffectDef>& EffectTable() {
  // Effect columns: file, format, level in dB against the set, reverb, layers.
  // Layer columns: wave, start, length, from Hz, to Hz, gain, attack, decay, pan, lowpass, vibrato.
  // clang-format off
  static const std::vector<EffectDef> kTable = {
      // Menu click on the start screen and the creation panel: a dry tick.
      {"1.wav", k8Mono11, -1, 0.0,
       {{W::kSine, 0.0, 0.05, 1400, 1100, 1.0, 0.001, 60, 0, 0, 0},
        {W::kNoise, 0.0, 0.012, 3000, 3000, 0.3, 0.0, 200, 0, 0, 0}}},
      // Opening the equipment screen from the map: two soft rising notes.
      {"a.wav", k16Mono22, 0, 0.2,
       {{W::kTriangle, 0.0, 0.12, 660, 660, 1.0, 0.003, 15, 0, 0, 0},
        {W::kTriangle, 0.07, 0.22, 990, 990, 1.0, 0.003, 12, 0, 0, 0}}},
      // A skill grows a level: a climbing buzz that lands on two bells.
      {"b.wav", k16Stereo22, 0, 0.25,
       {{W::kPulse, 0.0, 0.22, 500, 1500, 0.5, 0.01, 2, -0.3, 4000, 0},
        {W::kBell, 0.2, 0.5, 1568, 1568, 0.7, 0.002, 6, 0.3, 0, 0},
        {W::kBell, 0.28, 0.5, 2093, 2093, 0.5, 0.002, 6, -0.3, 0, 0}}},
      // Skill points gained: a quick bright arpeggio.
      {"bp.wav", k8Mono22, 0, 0.0,
       {{W::kSquare, 0.0, 0.07, 784, 784, 0.8, 0.002, 6, 0, 5000, 0},
        {W::kSquare, 0.07, 0.07, 988, 988, 0.8, 0.002, 6, 0, 5000, 0},
        {W::kSquare, 0.14, 0.07, 1175, 1175, 0.8, 0.002, 6, 0, 5000, 0},
        {W::kSquare, 0.21, 0.3, 1568, 1568, 0.8, 0.002, 8, 0, 5000, 0}}},
      // A purchase: the drawer knocks, the bell rings, the coins jingle.
      {"buy.wav", k16Stereo22, 0, 0.15,
       {{W::kNoise, 0.0, 0.04, 5000, 5000, 0.5, 0.0, 40, 0, 0, 0},
        {W::kBell, 0.03, 0.6, 1319, 1319, 0.8, 0.002, 5, -0.2, 0, 0},
        {W::kBell, 0.1, 0.6, 1760, 1760, 0.8, 0.002, 5, 0.2, 0, 0},
        {W::kNoise, 0.08, 0.16, 4500, 4500, 0.25, 0.005, 20, 0.4, 0, 0}}},
      // Something changes place: a swish across the room.
      {"change.wav", k8Stereo11, 0, 0.0,
       {{W::kNoise, 0.0, 0.3, 400, 2500, 1.0, 0.004, 3, -0.6, 0, 0},
        {W::kNoise, 0.05, 0.3, 500, 2600, 1.0, 0.1, 3, 0.6, 0, 0}}},
      // Money: the classic two-step coin.
      {"coin.wav", k16Mono22, 0, 0.0,
       {{W::kSquare, 0.0, 0.07, 988, 988, 0.6, 0.001, 0, 0, 6000, 0},
        {W::kSquare, 0.07, 0.35, 1319, 1319, 0.6, 0.001, 9, 0, 6000, 0}}},
      // The battle opens: a blade is drawn, a wind rushes in, then an impact with a brass stab.
      {"combo5.wav", k16Stereo22, 1.5, 0.3,
       {{W::kNoise, 0.0, 0.12, 3500, 1800, 0.8, 0.001, 18, 0.2, 0, 0},
        {W::kNoise, 0.0, 0.45, 200, 2500, 1.0, 0.3, 2, -0.5, 0, 0},
        {W::kNoise, 0.02, 0.45, 250, 2800, 1.0, 0.3, 2, 0.5, 0, 0},
        {W::kSine, 0.42, 0.6, 120, 45, 1.0, 0.002, 6, 0, 0, 0},
        {W::kNoiseLow, 0.42, 0.35, 800, 300, 1.0, 0.001, 10, 0, 0, 0},
        {W::kSaw, 0.42, 0.8, 110, 110, 0.5, 0.01, 4, -0.3, 1200, 0},
        {W::kSaw, 0.42, 0.8, 165, 165, 0.5, 0.01, 4, 0.3, 1200, 0}}},
      // Closing a box: two falling notes.
      {"d.wav", k8Mono11, -1, 0.0,
       {{W::kTriangle, 0.0, 0.06, 880, 880, 1.0, 0.002, 25, 0, 0, 0},
        {W::kTriangle, 0.06, 0.12, 587, 587, 1.0, 0.002, 20, 0, 0, 0}}},
      // The enemy is hit: a sharp smack with a thud under it.
      {"damage.wav", k16Mono11, 1, 0.0,
       {{W::kNoise, 0.0, 0.15, 2000, 600, 1.0, 0.0, 20, 0, 0, 0},
        {W::kSine, 0.0, 0.2, 180, 60, 0.9, 0.001, 15, 0, 0, 0},
        {W::kSquare, 0.0, 0.08, 90, 90, 0.3, 0.0, 30, 0, 1500, 0}}},
      // The player is hit: heavier and lower, a crunch that shakes both sides.
      {"damage2.wav", k16Stereo11, 1, 0.0,
       {{W::kNoiseLow, 0.0, 0.3, 1500, 300, 1.0, 0.0, 10, -0.3, 0, 0},
        {W::kSine, 0.0, 0.35, 110, 40, 1.0, 0.001, 9, 0, 0, 0},
        {W::kSaw, 0.0, 0.25, 70, 50, 0.5, 0.0, 12, 0.3, 900, 0},
        {W::kNoise, 0.0, 0.05, 3000, 3000, 0.5, 0.0, 50, 0.5, 0, 0}}},
      // The player falls: a slow chromatic fall onto a low, wavering note.
      {"gameover.wav", k16Stereo22, 1, 0.35,
       {{W::kTriangle, 0.0, 0.35, 659, 659, 0.8, 0.01, 2, -0.2, 0, 0.15},
        {W::kTriangle, 0.35, 0.35, 622, 622, 0.8, 0.01, 2, 0.2, 0, 0.15},
        {W::kTriangle, 0.7, 0.35, 587, 587, 0.8, 0.01, 2, -0.2, 0, 0.15},
        {W::kTriangle, 1.05, 0.35, 554, 554, 0.8, 0.01, 2, 0.2, 0, 0.15},
        {W::kSine, 1.4, 1.4, 277, 262, 0.9, 0.02, 1.5, 0, 0, 0.25},
        {W::kSaw, 0.0, 2.4, 110, 104, 0.35, 0.4, 0.6, 0, 600, 0}}},
      // Equipping or setting an item: a short metallic clack.
      {"in.wav", k8Mono22, 0, 0.0,
       {{W::kBell, 0.0, 0.15, 1200, 1200, 0.6, 0.001, 25, 0, 0, 0},
        {W::kNoise, 0.0, 0.03, 2500, 2500, 0.6, 0.0, 60, 0, 0, 0},
        {W::kSquare, 0.0, 0.04, 300, 300, 0.3, 0.0, 50, 0, 2000, 0}}},
      // An item is gained: two friendly bells.
      {"item.wav", k16Mono22, 0, 0.2,
       {{W::kBell, 0.0, 0.4, 1047, 1047, 1.0, 0.002, 7, 0, 0, 0},
        {W::kBell, 0.09, 0.5, 1568, 1568, 1.0, 0.002, 6, 0, 0, 0}}},
      // An item is used: three bubbles and a glint.
      {"item_use.wav", k8Stereo22, 0, 0.0,
       {{W::kSine, 0.0, 0.08, 400, 900, 1.0, 0.005, 10, -0.4, 0, 0},
        {W::kSine, 0.08, 0.08, 500, 1100, 1.0, 0.005, 10, 0.4, 0, 0},
        {W::kSine, 0.16, 0.1, 600, 1300, 1.0, 0.005, 10, 0, 0, 0},
        {W::kBell, 0.22, 0.35, 2637, 2637, 0.4, 0.002, 9, 0, 0, 0}}},
      // Recovery: a shimmering climb over a warm note.
      {"kaifuku.wav", k16Stereo22, 0, 0.35,
       {{W::kBell, 0.0, 0.6, 1047, 1047, 0.35, 0.002, 5, -0.5, 0, 0},
        {W::kBell, 0.06, 0.6, 1319, 1319, 0.35, 0.002, 5, 0.5, 0, 0},
        {W::kBell, 0.12, 0.6, 1568, 1568, 0.35, 0.002, 5, -0.3, 0, 0},
        {W::kBell, 0.18, 0.6, 2093, 2093, 0.35, 0.002, 5, 0.3, 0, 0},
        {W::kBell, 0.24, 0.6, 2637, 2637, 0.35, 0.002, 5, 0, 0, 0},
        {W::kSine, 0.0, 0.8, 523, 523, 0.3, 0.1, 2, 0, 0, 0.1}}},
      // The selection in a list moves: the lightest tick.
      {"key2.wav", k8Mono11, -1.5, 0.0,
       {{W::kSine, 0.0, 0.025, 2000, 2000, 1.0, 0.001, 120, 0, 0, 0}}},
      // The item panel switches mode: a two-tone toggle.
      {"key3.wav", k8Mono22, 0, 0.0,
       {{W::kSquare, 0.0, 0.035, 1200, 1200, 1.0, 0.001, 40, 0, 4000, 0},
        {W::kSquare, 0.04, 0.05, 1600, 1600, 1.0, 0.001, 40, 0, 4000, 0}}},
      // Taking something off: a falling blip.
      {"koyasi.wav", k16Mono11, 0, 0.0,
       {{W::kTriangle, 0.0, 0.12, 700, 350, 1.0, 0.002, 12, 0, 0, 0},
        {W::kNoise, 0.0, 0.02, 1500, 1500, 0.3, 0.0, 80, 0, 0, 0}}},
      // Refused: two low, sour buzzes.
      {"no.wav", k8Mono11, 0, 0.0,
       {{W::kSquare, 0.0, 0.11, 196, 196, 0.5, 0.003, 0, 0, 1800, 0},
        {W::kSaw, 0.0, 0.11, 185, 185, 0.3, 0.003, 0, 0, 1800, 0},
        {W::kSquare, 0.14, 0.16, 196, 196, 0.5, 0.003, 0, 0, 1800, 0},
        {W::kSaw, 0.14, 0.16, 185, 185, 0.3, 0.003, 0, 0, 1800, 0}}},
      // Confirmed: up a fifth.
      {"ok.wav", k16Mono22, 0, 0.15,
       {{W::kTriangle, 0.0, 0.1, 784, 784, 1.0, 0.002, 8, 0, 0, 0},
        {W::kTriangle, 0.09, 0.35, 1175, 1175, 1.0, 0.002, 6, 0, 0, 0},
        {W::kSine, 0.09, 0.35, 1568, 1568, 0.3, 0.002, 6, 0, 0, 0}}},
      // The title answers: one clean "pi".
      {"pi.wav", k16Mono11, 0, 0.0,
       {{W::kSine, 0.0, 0.12, 2093, 2093, 1.0, 0.003, 12, 0, 0, 0},
        {W::kSquare, 0.0, 0.12, 2093, 2093, 0.1, 0.003, 12, 0, 4000, 0}}},
      // A rare find: a glissando into a glittering chord.
      {"rare.wav", k16Stereo22, 1, 0.4,
       {{W::kSine, 0.0, 0.4, 800, 3200, 0.3, 0.003, 0, 0, 0, 0},
        {W::kBell, 0.35, 1.2, 1319, 1319, 0.5, 0.002, 3, -0.6, 0, 0},
        {W::kBell, 0.38, 1.2, 1661, 1661, 0.5, 0.002, 3, -0.2, 0, 0},
        {W::kBell, 0.41, 1.2, 1976, 1976, 0.5, 0.002, 3, 0.2, 0, 0},
        {W::kBell, 0.44, 1.2, 2637, 2637, 0.5, 0.002, 3, 0.6, 0, 0},
        {W::kNoise, 0.35, 0.6, 4500, 4500, 0.15, 0.01, 5, 0, 0, 0}}},
      // A level is gained: a short fanfare.
      {"up.wav", k16Stereo22, 1, 0.25,
       {{W::kPulse, 0.0, 0.1, 392, 392, 0.7, 0.002, 3, -0.2, 5000, 0},
        {W::kPulse, 0.1, 0.1, 523, 523, 0.7, 0.002, 3, 0.2, 5000, 0},
        {W::kPulse, 0.2, 0.1, 659, 659, 0.7, 0.002, 3, -0.2, 5000, 0},
        {W::kPulse, 0.3, 0.5, 784, 784, 0.7, 0.002, 3, 0.2, 5000, 0.1},
        {W::kTriangle, 0.3, 0.6, 523, 523, 0.5, 0.01, 2.5, -0.5, 0, 0},
        {W::kTriangle, 0.3, 0.6, 659, 659, 0.5, 0.01, 2.5, 0.5, 0, 0},
        {W::kTriangle, 0.3, 0.6, 784, 784, 0.5, 0.01, 2.5, 0, 0, 0}}},
      // Something else rises: a sweep up onto a bright chord.
      {"up2.wav", k8Stereo22, 0, 0.0,
       {{W::kSaw, 0.0, 0.25, 300, 1200, 0.5, 0.001, 1, 0, 2500, 0},
        {W::kTriangle, 0.22, 0.45, 880, 880, 0.5, 0.003, 4, -0.5, 0, 0},
        {W::kTriangle, 0.22, 0.45, 1109, 1109, 0.5, 0.003, 4, 0.5, 0, 0},
        {W::kTriangle, 0.22, 0.45, 1319, 1319, 0.5, 0.003, 4, 0, 0, 0}}},
  };
  // clang-format on
  return kTable;
}

}  // namespace qv::assetgen
