// Stands in for libFuzzer in the ordinary test build: feeds the target its seed inputs and then
// random mutations of them for a fixed time, so every test run exercises the parsers under the
// sanitizers. Long coverage-guided runs use the fuzz preset.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// A target may offer seeds (valid inputs) to start mutating from.
extern "C" __attribute__((weak)) size_t SonviaFuzzSeedCount();
extern "C" __attribute__((weak)) std::vector<uint8_t> SonviaFuzzSeed(size_t index);

int main(int argc, char** argv) {
  double seconds = 10;
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--seconds=", 10) == 0) seconds = std::atof(argv[i] + 10);

  std::vector<std::vector<uint8_t>> pool;
  pool.push_back({});
  if (SonviaFuzzSeedCount)
    for (size_t i = 0; i < SonviaFuzzSeedCount(); ++i) pool.push_back(SonviaFuzzSeed(i));
  for (auto& seed : pool) LLVMFuzzerTestOneInput(seed.data(), seed.size());

  std::mt19937_64 rng(12345);
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  unsigned long runs = 0;
  while (std::chrono::steady_clock::now() < end) {
    std::vector<uint8_t> input = pool[rng() % pool.size()];
    int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
      switch (rng() % 5) {
        case 0:
          if (!input.empty()) input[rng() % input.size()] = static_cast<uint8_t>(rng());
          break;
        case 1:
          input.insert(input.begin() + (input.empty() ? 0 : rng() % input.size()),
                       static_cast<uint8_t>(rng()));
          break;
        case 2:
          if (!input.empty()) input.erase(input.begin() + rng() % input.size());
          break;
        case 3:
          if (!input.empty()) input.resize(rng() % input.size());
          break;
        case 4:
          if (!input.empty()) {
            size_t from = rng() % input.size(), len = rng() % (input.size() - from + 1);
            std::vector<uint8_t> piece(input.begin() + from, input.begin() + from + len);
            input.insert(input.begin() + rng() % (input.size() + 1), piece.begin(), piece.end());
          }
          break;
      }
    }
    if (input.size() > (1u << 20)) input.resize(1u << 20);
    LLVMFuzzerTestOneInput(input.data(), input.size());
    if (rng() % 64 == 0 && pool.size() < 256) pool.push_back(input);
    ++runs;
  }
  std::printf("fuzz smoke: %lu inputs in %.0f s, no fault\n", runs, seconds);
  return 0;
}
