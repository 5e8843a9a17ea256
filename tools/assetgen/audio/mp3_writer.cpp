#include "mp3_writer.h"

#include <lame.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace qv::assetgen {
namespace {

constexpr int kChunk = 8192;

struct LameCloser {
  void operator()(lame_global_flags* g) const { lame_close(g); }
};

// The decoder's own delay, added to the encoder's (mpglib's classic 528 + 1 samples).
constexpr int kDecoderDelay = 529;

}  // namespace

std::string EncodeMp3(const Stereo& s, int kbps) {
  std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
  if (!lame) return {};
  lame_set_in_samplerate(lame.get(), s.rate);
  lame_set_out_samplerate(lame.get(), s.rate);
  lame_set_num_channels(lame.get(), 2);
  lame_set_mode(lame.get(), JOINT_STEREO);
  lame_set_brate(lame.get(), kbps);
  lame_set_quality(lame.get(), 5);
  lame_set_bWriteVbrTag(lame.get(), 1);
  if (lame_init_params(lame.get()) < 0) return {};

  std::string out;
  std::vector<unsigned char> buf(static_cast<size_t>(1.25 * kChunk + 7200));
  for (size_t pos = 0; pos < s.Frames(); pos += kChunk) {
    int n = static_cast<int>(std::min<size_t>(kChunk, s.Frames() - pos));
    int got = lame_encode_buffer_ieee_float(lame.get(), s.left.data() + pos, s.right.data() + pos,
                                            n, buf.data(), static_cast<int>(buf.size()));
    if (got < 0) return {};
    out.append(reinterpret_cast<const char*>(buf.data()), static_cast<size_t>(got));
  }
  int got = lame_encode_flush(lame.get(), buf.data(), static_cast<int>(buf.size()));
  if (got < 0) return {};
  out.append(reinterpret_cast<const char*>(buf.data()), static_cast<size_t>(got));
  // The first frame was a placeholder; now that the totals are known, it gets the info frame.
  size_t tagSize = lame_get_lametag_frame(lame.get(), buf.data(), buf.size());
  if (tagSize > 0 && tagSize <= out.size()) {
    std::copy(buf.begin(), buf.begin() + static_cast<ptrdiff_t>(tagSize), out.begin());
  }
  return out;
}

Stereo DecodeMp3(const std::string& bytes) {
  Stereo result(44100, 0);
  hip_t hip = hip_decode_init();
  if (!hip) return result;
  std::vector<short> left(1152 * 8), right(1152 * 8);
  std::vector<unsigned char> data(bytes.begin(), bytes.end());
  mp3data_struct info{};
  int delay = -1, padding = -1;
  size_t pos = 0;
  std::vector<float> l, r;
  bool feeding = true;
  while (true) {
    size_t take = feeding ? std::min<size_t>(4096, data.size() - pos) : 0;
    int n = hip_decode1_headersB(hip, data.data() + pos, take, left.data(), right.data(), &info,
                                 &delay, &padding);
    pos += take;
    if (n < 0) break;
    for (int i = 0; i < n; ++i) {
      l.push_back(left[static_cast<size_t>(i)] / 32768.0f);
      r.push_back((info.stereo == 2 ? right : left)[static_cast<size_t>(i)] / 32768.0f);
    }
    if (n == 0 && !feeding) break;
    if (pos >= data.size()) feeding = false;
  }
  hip_decode_exit(hip);
  if (info.samplerate > 0) result.rate = info.samplerate;
  size_t skip = static_cast<size_t>(std::max(0, delay) + kDecoderDelay);
  size_t drop = static_cast<size_t>(std::max(0, padding));
  if (padding > kDecoderDelay) drop = static_cast<size_t>(padding - kDecoderDelay);
  if (l.size() > skip + drop) {
    result.left.assign(l.begin() + static_cast<ptrdiff_t>(skip),
                       l.end() - static_cast<ptrdiff_t>(drop));
    result.right.assign(r.begin() + static_cast<ptrdiff_t>(skip),
                        r.end() - static_cast<ptrdiff_t>(drop));
  }
  return result;
}

}  // namespace qv::assetgen
