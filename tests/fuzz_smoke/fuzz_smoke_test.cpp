// Every loader's fuzz harness, run without libFuzzer: the seed files and a fixed series of
// mutations of them (bit flips, cut-offs, inserted and repeated bytes, boundary values). In
// the sanitizer build this is a quick memory check of every loader; a harness that aborts
// names the input it was given.
// QV_FUZZ_SMOKE_RUNS sets the mutations per harness (3000, or 800 in the sanitizer build);
// a harness whose loader is slow (a whole load and save per input) stops after a few seconds
// so `make test` stays short, always with the same first mutations.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "harnesses.h"
#include "support/env_count.h"

namespace qv::smoke {
namespace {

using Bytes = std::vector<uint8_t>;

int32_t RunsPerHarness() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<int32_t>(EnvCount("QV_FUZZ_SMOKE_RUNS", 800, true));
#else
  return static_cast<int32_t>(EnvCount("QV_FUZZ_SMOKE_RUNS", 3000, true));
#endif
}

// What the harness is chewing on, for the message of a harness that aborts.
char g_current[512] = "";

void SayWhatCrashed(int sig) {
  const char prefix[] = "\nfuzz smoke: the harness stopped on ";
  (void)!write(2, prefix, sizeof prefix - 1);
  (void)!write(2, g_current, strnlen(g_current, sizeof g_current));
  (void)!write(2, "\n", 1);
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

std::vector<std::pair<std::string, Bytes>> Seeds(const std::string& corpus) {
  std::vector<std::pair<std::string, Bytes>> seeds;
  const std::filesystem::path dir = std::filesystem::path(QV_SOURCE_DIR) / "fuzz/corpus" / corpus;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    seeds.emplace_back(entry.path().filename().string(),
                       Bytes(std::istreambuf_iterator<char>(in), {}));
  }
  std::sort(seeds.begin(), seeds.end());  // the same order on every file system
  return seeds;
}

// One mutation of `b`, picked and placed by the generator.
Bytes Mutate(Bytes b, std::mt19937& rng) {
  auto pick = [&](size_t n) {
    return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng);
  };
  constexpr uint8_t kEdges[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0xFE,
                                '\r', '\n', '-',  '9',  0x81, 0xFC};
  const int rounds = 1 + static_cast<int>(pick(4));
  for (int r = 0; r < rounds; ++r) {
    switch (pick(7)) {
      case 0:  // a flipped bit
        if (!b.empty()) b[pick(b.size())] ^= static_cast<uint8_t>(1u << pick(8));
        break;
      case 1:  // cut off
        b.resize(pick(b.size() + 1));
        break;
      case 2:  // a boundary value
        if (!b.empty()) b[pick(b.size())] = kEdges[pick(std::size(kEdges))];
        break;
      case 3: {  // random bytes inserted
        Bytes extra(1 + pick(16));
        for (uint8_t& x : extra) x = static_cast<uint8_t>(pick(256));
        b.insert(b.begin() + static_cast<ptrdiff_t>(pick(b.size() + 1)), extra.begin(),
                 extra.end());
        break;
      }
      case 4: {  // a stretch repeated
        if (b.empty()) break;
        const size_t at = pick(b.size());
        const size_t len = 1 + pick(std::min<size_t>(b.size() - at, 256));
        Bytes copy(b.begin() + static_cast<ptrdiff_t>(at),
                   b.begin() + static_cast<ptrdiff_t>(at + len));
        b.insert(b.begin() + static_cast<ptrdiff_t>(pick(b.size() + 1)), copy.begin(), copy.end());
        break;
      }
      case 5: {  // a stretch removed
        if (b.empty()) break;
        const size_t at = pick(b.size());
        b.erase(
            b.begin() + static_cast<ptrdiff_t>(at),
            b.begin() + static_cast<ptrdiff_t>(at + 1 + pick(std::min<size_t>(b.size() - at, 64))));
        break;
      }
      default: {  // a 32-bit field set to an extreme
        if (b.size() < 4) break;
        const uint32_t v = pick(2) ? 0xFFFFFFFFu : 0x80000000u;
        std::memcpy(&b[pick(b.size() - 3)], &v, 4);
        break;
      }
    }
  }
  return b;
}

class FuzzSmoke : public ::testing::TestWithParam<Harness> {};

TEST_P(FuzzSmoke, SeedsAndMutationsNeverCrash) {
  const Harness& h = GetParam();
  const auto seeds = Seeds(h.corpus);
  ASSERT_FALSE(seeds.empty()) << "no seed files in fuzz/corpus/" << h.corpus;
  std::signal(SIGABRT, SayWhatCrashed);
  std::signal(SIGSEGV, SayWhatCrashed);

  for (const auto& [name, bytes] : seeds) {
    std::snprintf(g_current, sizeof g_current, "%s seed %s", h.corpus, name.c_str());
    h.run(bytes.data(), bytes.size());
  }
  h.run(nullptr, 0);
  std::mt19937 rng(0x5eed);
  const int32_t runs = RunsPerHarness();
  constexpr auto kBudget = std::chrono::seconds(4);
  const auto start = std::chrono::steady_clock::now();
  int32_t i = 0;
  for (; i < runs && std::chrono::steady_clock::now() - start < kBudget; ++i) {
    const auto& [name, bytes] = seeds[static_cast<size_t>(i) % seeds.size()];
    std::snprintf(g_current, sizeof g_current, "%s mutation %d of seed %s", h.corpus,
                  static_cast<int>(i), name.c_str());
    const Bytes input = Mutate(bytes, rng);
    h.run(input.data(), input.size());
  }
  std::signal(SIGABRT, SIG_DFL);
  std::signal(SIGSEGV, SIG_DFL);
  RecordProperty("mutations", i);
  EXPECT_GE(i, std::min(runs, 100)) << "the harness is too slow to say much";
}

INSTANTIATE_TEST_SUITE_P(EveryLoader, FuzzSmoke, ::testing::ValuesIn(Harnesses()),
                         [](const ::testing::TestParamInfo<Harness>& info) {
                           return std::string(info.param.corpus);
                         });

}  // namespace
}  // namespace qv::smoke
