#pragma once
// The last steps every sound effect goes through before it is stored: made for the game's
// mixer, which plays at 11025 Hz unless told otherwise and folds anything above 5.5 kHz back
// into the audible range, and which adds sounds on different channels together.
#include "dsp.h"

namespace qv::assetgen {

// Where the effects are mastered: nothing above 5 kHz survives, nothing below 20 Hz.
constexpr double kEffectPassHz = 4600.0;
constexpr double kEffectStopHz = 5150.0;
constexpr double kEffectRumbleHz = 20.0;
// Loudness every effect is levelled to (gated RMS, dB below full scale), and the highest
// peak any effect may reach, so two effects on different channels rarely clip together.
constexpr double kEffectLoudnessDb = -17.0;
constexpr double kEffectPeakDb = -1.5;

// Loudness of a short sound as it is heard: the power of its 5 ms blocks that lie within
// 20 dB of its loudest block, so a long quiet tail does not make a loud sound read as soft.
double GatedRmsDb(const Stereo& s);

// Takes out the DC and everything below `hz` (a second-order high-pass, run forwards and then
// backwards so it shifts no onset).
void RemoveRumble(Stereo& s, double hz);

// A linear-phase low-pass (flat below `passHz`, at least 80 dB down above `stopHz`) with its
// delay taken out, then every n-th frame kept for `outRate`, which must divide the buffer's rate.
Stereo BandLimit(const Stereo& s, int outRate, double passHz, double stopHz);

// Scales to `loudnessDb`, then rounds off any peak above `peakDb` with a look-ahead limiter
// (5 ms attack, 60 ms release) so levelling never clips.
void Level(Stereo& s, double loudnessDb, double peakDb);

}  // namespace qv::assetgen
