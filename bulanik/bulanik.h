// What every fuzz target shares: an invariant that does not hold stops the
// run with the expression and its place, so that libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

#define BULANIK_SART(ifade)                                                               \
  do {                                                                                    \
    if (!(ifade)) {                                                                       \
      std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #ifade, __FILE__, __LINE__); \
      std::abort();                                                                       \
    }                                                                                     \
  } while (0)
