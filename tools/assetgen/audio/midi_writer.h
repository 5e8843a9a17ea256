#pragma once
// The game-over tune as a standard MIDI file for a General MIDI synthesiser.
#include <string>

namespace qv::assetgen {

// The bytes of a format 1 MIDI file: a tempo track, then strings, oboe and cello.
std::string GameOverMidi();

}  // namespace qv::assetgen
