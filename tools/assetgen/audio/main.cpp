// Makes every sound effect, tune and the MIDI piece the game loads from dat/:
//   assetgen_audio OUTPUT_DIR [--report] [--effects]
// Everything is synthesised here and comes out byte-identical on every run.
// --report prints levels per file and checks that battle.mp3 loops without a seam;
// --effects makes only the sound effects (quick, while one is being shaped).
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "composer.h"
#include "effects.h"
#include "mastering.h"
#include "midi_writer.h"
#include "mixdown.h"
#include "mp3_writer.h"
#include "wav_writer.h"

namespace qv::assetgen {
namespace {

constexpr int kMusicKbps = 128;
// Two workers at most: the build machine is shared.
constexpr unsigned kWorkers = 2;

double Db(double v) {
  return v > 0 ? 20.0 * std::log10(v) : -999.0;
}

// How far the end of a looping tune jumps to its start, against its typical sample step.
void ReportSeam(const char* what, const Stereo& s) {
  if (s.Frames() < 2) return;
  double sum = 0;
  for (size_t i = 1; i < s.Frames(); ++i) sum += std::fabs(s.left[i] - s.left[i - 1]);
  double typical = sum / static_cast<double>(s.Frames() - 1);
  double seam = std::fabs(s.left.front() - s.left.back());
  std::printf("  %s seam step %.4f, typical step %.4f\n", what, seam, typical);
}

bool MakeEffects(const std::filesystem::path& dir, bool report) {
  bool ok = true;
  for (const EffectDef& def : EffectTable()) {
    Stereo s = RenderEffect(def);
    std::string bytes = EncodeWav(s, def.format);
    if (!WriteFile((dir / def.name).string(), bytes)) {
      std::fprintf(stderr, "assetgen_audio: cannot write %s\n", (dir / def.name).c_str());
      ok = false;
    }
    if (report) {
      std::printf(
          "%-13s %2d-bit %s %5d Hz %5.2f s  peak %6.1f dB  rms %6.1f dB  loudness %6.1f dB\n",
          def.name, def.format.bits, def.format.channels == 1 ? "mono  " : "stereo",
          def.format.rate, static_cast<double>(s.Frames()) / s.rate, Db(Peak(s)), Db(Rms(s)),
          GatedRmsDb(s));
    }
  }
  return ok;
}

bool MakeMusic(const std::filesystem::path& dir, bool report) {
  const auto& pieces = PieceTable();
  std::atomic<size_t> next{0};
  std::atomic<bool> ok{true};
  std::mutex printing;
  auto work = [&] {
    for (size_t i = next++; i < pieces.size(); i = next++) {
      const PieceDef& piece = pieces[i];
      Stereo s = RenderScore(piece, Compose(piece));
      std::string bytes = EncodeMp3(s, kMusicKbps);
      if (bytes.empty() || !WriteFile((dir / piece.name).string(), bytes)) {
        std::fprintf(stderr, "assetgen_audio: cannot encode or write %s\n", piece.name);
        ok = false;
        continue;
      }
      if (!report) continue;
      Stereo back = DecodeMp3(bytes);
      std::lock_guard<std::mutex> lock(printing);
      std::printf("%-12s %5.1f s %7zu bytes  peak %5.1f dB rms %5.1f dB  decoded peak %5.1f dB\n",
                  piece.name, static_cast<double>(s.Frames()) / s.rate, bytes.size(), Db(Peak(s)),
                  Db(Rms(s)), Db(Peak(back)));
      if (piece.loops) {
        ReportSeam("synthesised", s);
        ReportSeam("decoded", back);
        std::printf("  decoded %zu frames of %zu\n", back.Frames(), s.Frames());
      }
    }
  };
  std::vector<std::thread> threads;
  for (unsigned w = 0; w < kWorkers; ++w) threads.emplace_back(work);
  for (auto& t : threads) t.join();
  return ok;
}

}  // namespace
}  // namespace qv::assetgen

int main(int argc, char** argv) {
  using namespace qv::assetgen;
  if (argc < 2) {
    std::fprintf(stderr, "usage: assetgen_audio OUTPUT_DIR [--report] [--effects]\n");
    return 2;
  }
  std::filesystem::path dir = argv[1];
  bool report = false, effectsOnly = false;
  for (int i = 2; i < argc; ++i) {
    report |= std::string(argv[i]) == "--report";
    effectsOnly |= std::string(argv[i]) == "--effects";
  }
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "assetgen_audio: cannot create %s: %s\n", dir.c_str(),
                 ec.message().c_str());
    return 1;
  }
  auto started = std::chrono::steady_clock::now();
  bool ok = MakeEffects(dir, report);
  if (effectsOnly) return ok ? 0 : 1;
  if (!WriteFile((dir / "gameover.mid").string(), GameOverMidi())) {
    std::fprintf(stderr, "assetgen_audio: cannot write gameover.mid\n");
    ok = false;
  }
  ok = MakeMusic(dir, report) && ok;
  if (report) {
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("made in %.1f s\n", secs);
  }
  return ok ? 0 : 1;
}
