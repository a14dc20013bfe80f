#pragma once

// Checks of fuzz targets: a property that does not hold is a crash, which is
// how a fuzzer learns of a fault.

#include <cstdio>
#include <cstdlib>

#define KV_VERIFIER(condition)                                                                 \
  do {                                                                                         \
    if (!(condition)) {                                                                        \
      std::fprintf(stderr, "%s:%d : propriété fausse : %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                            \
    }                                                                                          \
  } while (false)
