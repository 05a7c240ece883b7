// A check for fuzz targets: a failed one aborts, so libFuzzer keeps the input, after naming the
// condition and its line.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);    \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)
