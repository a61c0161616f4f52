#pragma once
// The smoke driver's seed hooks for a target whose seeds are texts: write
// SONVIA_TEXT_SEEDS(kSeeds) after the array of C strings. The hooks return a C++ vector by
// design; they are only ever called from C++.
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

#ifdef __clang__
#define SONVIA_SEED_HOOKS_RETURN_CXX _Pragma("clang diagnostic ignored \"-Wreturn-type-c-linkage\"")
#else
#define SONVIA_SEED_HOOKS_RETURN_CXX
#endif

#define SONVIA_TEXT_SEEDS(seeds)                                            \
  SONVIA_SEED_HOOKS_RETURN_CXX                                              \
  extern "C" size_t SonviaFuzzSeedCount() { return std::size(seeds); }      \
  extern "C" std::vector<uint8_t> SonviaFuzzSeed(size_t index) {            \
    const char* seed = (seeds)[index];                                      \
    return std::vector<uint8_t>(seed, seed + std::strlen(seed));            \
  }
