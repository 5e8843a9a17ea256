#pragma once
// Wave files: read, checked and converted once to the mixer's output format.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/status.h"
#include "sound/wave_device.h"

namespace qv::sound {

// A loaded wave: its samples already in the output format, so mixing never converts.
struct Wave {
  PcmFormat format;
  std::vector<uint8_t> data;
  std::string name;  // the file name, at most 15 bytes
};

// Largest wave file we read, and largest converted wave we keep: far above any sound effect,
// far below what a damaged size field could ask for.
constexpr std::size_t kMaxWaveFileBytes = 32u << 20;
constexpr std::size_t kMaxConvertedBytes = 32u << 20;

// Reads a RIFF WAVE image and converts it to `output`; each fault fails with its own message.
Result<Wave> ParseWave(std::span<const uint8_t> bytes, std::string_view name,
                       const PcmFormat& output);
// Reads and converts a wave file ("Failed to open wave file <name>" when it cannot be read).
Result<Wave> LoadWaveFile(const std::filesystem::path& file, const PcmFormat& output);
// Converts samples from one PCM format to another: sample size, then channels, then rate.
// Only 8 and 16 bits, 1 and 2 channels; fails otherwise or when the result is too big.
Result<std::vector<uint8_t>> ConvertPcm(std::span<const uint8_t> data, PcmFormat from,
                                        const PcmFormat& to);

}  // namespace qv::sound
