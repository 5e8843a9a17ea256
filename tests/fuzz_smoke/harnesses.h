#pragma once
// The fuzz harnesses compiled into the smoke test, each with the name of its seed corpus.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv::smoke {

struct Harness {
  const char* corpus;  // fuzz/corpus/<corpus>/
  int (*run)(const uint8_t* data, size_t size);
};

const std::vector<Harness>& Harnesses();

}  // namespace qv::smoke
