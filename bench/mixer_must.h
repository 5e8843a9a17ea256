// A benchmark's set-up cannot go on without its mixer: any failure stops the run, named.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "files/status.h"

inline void Must(const qv::Status& s) {
  if (!s.ok()) {
    std::fprintf(stderr, "mixer: %s\n", s.message().c_str());
    std::exit(1);
  }
}
template <class T>
T Must(qv::Result<T> r) {
  Must(r.status());
  return std::move(*r);
}
