#include "sound/wave.h"

#include <algorithm>
#include <cerrno>

#include "files/file_io.h"
#include "sound/mixer_error.h"

namespace qv::sound {
namespace {

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
  return uint16_t(p[0] | p[1] << 8);
}

struct Chunk {
  std::size_t offset = 0;  // first byte of the chunk's data
  uint32_t size = 0;       // as the file claims it
  bool found = false;
};

// Finds a sub-chunk of the RIFF form by walking the chunk headers; never reads past `end`.
Chunk FindChunk(std::span<const uint8_t> b, std::size_t end, const char (&id)[5]) {
  std::size_t at = 12;
  while (at + 8 <= end) {
    uint32_t size = Le32(&b[at + 4]);
    if (std::equal(id, id + 4, &b[at])) return {at + 8, size, true};
    std::size_t next = at + 8 + std::size_t(size) + (size & 1);  // chunks are word aligned
    if (next <= at) break;
    at = next;
  }
  return {};
}

// Samples are handled as ints: 8-bit ones as 0..255 (silence 128), 16-bit ones as -32768..32767.
std::vector<int32_t> Decode(std::span<const uint8_t> data, int32_t bits) {
  std::vector<int32_t> out;
  if (bits == 8) {
    out.assign(data.begin(), data.end());
  } else {
    out.resize(data.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = int16_t(Le16(&data[2 * i]));
  }
  return out;
}

// Whether `samples` samples of `bits` stay within what we keep of a converted wave.
bool SizeOk(std::size_t samples, int32_t bits) {
  return samples <= kMaxConvertedBytes / std::size_t(bits / 8);
}

std::vector<int32_t> ConvertBits(const std::vector<int32_t>& s, int32_t from, int32_t to) {
  std::vector<int32_t> out(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    // 16 to 8 bits keeps the high byte, moved to unsigned; 8 to 16 bits widens it back.
    out[i] = from == 16 ? ((s[i] >> 8) + 128) & 0xFF : s[i] * 256 - 32768;
  }
  return out;
}

std::vector<int32_t> ConvertChannels(const std::vector<int32_t>& s, int32_t from, int32_t to) {
  std::vector<int32_t> out;
  if (from == 1) {
    out.reserve(s.size() * 2);
    for (int32_t v : s) out.insert(out.end(), {v, v});
  } else {
    out.reserve(s.size() / 2);
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) out.push_back((s[i] + s[i + 1]) >> 1);
  }
  return out;
}

std::vector<int32_t> ConvertRate(const std::vector<int32_t>& s, int32_t channels, int32_t from,
                                 int32_t to) {
  std::size_t frames = s.size() / std::size_t(channels);
  std::vector<int32_t> out;
  if (to > from) {
    // Each frame followed by n - 1 frames stepping toward the next one; the last is repeated.
    int32_t n = to / from;
    out.reserve(frames * std::size_t(n) * std::size_t(channels));
    for (std::size_t f = 0; f < frames; ++f) {
      std::size_t next = f + 1 < frames ? f + 1 : f;
      for (int32_t k = 0; k < n; ++k) {
        for (int32_t c = 0; c < channels; ++c) {
          int32_t cur = s[f * std::size_t(channels) + std::size_t(c)];
          int32_t step = (s[next * std::size_t(channels) + std::size_t(c)] - cur) / n;
          out.push_back(cur + step * k);
        }
      }
    }
  } else {
    // Each output frame is the average of a group of source frames (a short last group too).
    int32_t n = (from + to / 2) / to;
    out.reserve((frames / std::size_t(n) + 1) * std::size_t(channels));
    for (std::size_t f = 0; f < frames; f += std::size_t(n)) {
      std::size_t count = std::min<std::size_t>(std::size_t(n), frames - f);
      for (int32_t c = 0; c < channels; ++c) {
        int64_t sum = 0;
        for (std::size_t k = 0; k < count; ++k)
          sum += s[(f + k) * std::size_t(channels) + std::size_t(c)];
        out.push_back(int32_t(sum / int64_t(count)));
      }
    }
  }
  return out;
}

}  // namespace

Result<std::vector<uint8_t>> ConvertPcm(std::span<const uint8_t> data, PcmFormat from,
                                        const PcmFormat& to) {
  auto sizeOk = [](int32_t bits) { return bits == 8 || bits == 16; };
  auto channelsOk = [](int32_t ch) { return ch == 1 || ch == 2; };
  if (!sizeOk(from.bitsPerSample) || !sizeOk(to.bitsPerSample) || !channelsOk(from.channels) ||
      !channelsOk(to.channels)) {
    return Failure(msg::kUnsupported);
  }
  if (from.samplesPerSec <= 0 || to.samplesPerSec <= 0) return Failure(msg::kConvert);
  // Only whole frames take part: a trailing odd byte or half a stereo pair is dropped.
  std::size_t whole = data.size() / std::size_t(from.BlockAlign()) * std::size_t(from.BlockAlign());
  std::vector<int32_t> s = Decode(data.first(whole), from.bitsPerSample);
  try {
    if (from.bitsPerSample != to.bitsPerSample) {
      if (!SizeOk(s.size(), to.bitsPerSample)) return Failure(msg::kConvert);
      s = ConvertBits(s, from.bitsPerSample, to.bitsPerSample);
      from.bitsPerSample = to.bitsPerSample;
    }
    if (from.channels != to.channels) {
      if (!SizeOk(s.size() * 2, to.bitsPerSample)) return Failure(msg::kConvert);
      s = ConvertChannels(s, from.channels, to.channels);
      from.channels = to.channels;
    }
    if (from.samplesPerSec != to.samplesPerSec) {
      // Raising the rate repeats each frame to/from times.
      const std::size_t frames = s.size() / std::size_t(from.channels);
      const std::size_t factor = std::size_t(to.samplesPerSec / from.samplesPerSec);
      if (to.samplesPerSec > from.samplesPerSec &&
          !SizeOk(frames * factor * std::size_t(from.channels), to.bitsPerSample)) {
        return Failure(msg::kConvert);
      }
      s = ConvertRate(s, from.channels, from.samplesPerSec, to.samplesPerSec);
    }
  } catch (const std::bad_alloc&) {  // the standard library's only way to say so
    return Failure(msg::kConvert);
  }
  std::vector<uint8_t> out;
  if (to.bitsPerSample == 8) {
    out.assign(s.begin(), s.end());
  } else {
    out.reserve(s.size() * 2);
    for (int32_t v : s) out.insert(out.end(), {uint8_t(v & 0xFF), uint8_t((v >> 8) & 0xFF)});
  }
  return out;
}

Result<Wave> ParseWave(std::span<const uint8_t> b, std::string_view name, const PcmFormat& output) {
  if (b.size() < 12 || !std::equal(b.begin(), b.begin() + 4, "RIFF") ||
      !std::equal(b.begin() + 8, b.begin() + 12, "WAVE")) {
    return Failure(msg::kNotWave);
  }
  // The RIFF size may lie either way; the chunks are searched within both it and the file.
  std::size_t end = std::min<std::size_t>(b.size(), std::size_t(Le32(&b[4])) + 8);
  Chunk fmt = FindChunk(b, end, "fmt ");
  if (!fmt.found) return Failure(msg::kCorrupted);
  if (fmt.size < 16 || fmt.size > end - fmt.offset) return Failure(msg::kFormatChunk);
  const uint8_t* f = &b[fmt.offset];
  if (Le16(f) != 1) return Failure(msg::kNotPcm);
  PcmFormat from;
  from.channels = Le16(f + 2);
  from.samplesPerSec = int32_t(Le32(f + 4) & 0x7FFFFFFF);
  from.bitsPerSample = Le16(f + 14);

  Chunk data = FindChunk(b, end, "data");
  if (!data.found) return Failure(msg::kNoDataChunk);
  if (data.size == 0) return Failure(msg::kEmptyData);
  if (std::size_t(data.size) > end - data.offset) return Failure(msg::kDataChunk);

  Wave w;
  w.format = output;
  Result<std::vector<uint8_t>> converted =
      ConvertPcm(b.subspan(data.offset, data.size), from, output);
  if (!converted.ok()) return converted.status();
  w.data = std::move(*converted);
  if (w.data.empty()) return Failure(msg::kEmptyData);
  w.name = std::string(name.substr(0, 15));
  return w;
}

Result<Wave> LoadWaveFile(const std::filesystem::path& file, const PcmFormat& output) {
  std::string name = file.filename().string();
  // Only a regular file is read, so a FIFO or a device in dat/ can never stall the game.
  const Result<std::string> bytes = files::ReadFile(file, kMaxWaveFileBytes);
  if (bytes.code() == EFBIG) return Failure(msg::kNoMemory);
  if (!bytes.ok()) return Failure(msg::kOpenWave + name);
  return ParseWave({reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()}, name, output);
}

}  // namespace qv::sound
