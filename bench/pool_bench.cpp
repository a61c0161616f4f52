// Budget: an uncontended pool acquire + release pair of a string costs at most 60 ns.
#include <benchmark/benchmark.h>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/EasyPooler.h"

using s::str::strbuffer::StrBuffer;

static void PoolAcquireRelease(benchmark::State& state) {
  auto& pool = s::thread::PoolOf<StrBuffer>::pool();
  pool.release(pool.acquire());  // warm: one idle string
  for (auto _ : state) {
    void* s = pool.acquire();
    benchmark::DoNotOptimize(s);
    pool.release(s);
  }
}
BENCHMARK(PoolAcquireRelease);

static void NewDelete(benchmark::State& state) {
  for (auto _ : state) {
    auto* s = new StrBuffer;
    benchmark::DoNotOptimize(s);
    delete s;
  }
}
BENCHMARK(NewDelete);

// The same with a short text, as labels and list cells use them.
static void PoolCreateWithText(benchmark::State& state) {
  for (auto _ : state) {
    StrBuffer* s = StrBuffer::create(u"Track title");
    benchmark::DoNotOptimize(s);
    s->release();
  }
}
BENCHMARK(PoolCreateWithText);

static void NewDeleteWithText(benchmark::State& state) {
  for (auto _ : state) {
    auto* s = new StrBuffer(u"Track title");
    benchmark::DoNotOptimize(s);
    delete s;
  }
}
BENCHMARK(NewDeleteWithText);
