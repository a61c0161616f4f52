#include "s/thread/EasyPooler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "s/base/Singletons.h"
#include "s/col/_array/ArrayS32.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/PoolerBase.h"
#include "s/thread/RawRecords.h"

namespace {

using s::thread::EasyPooler;

// Counts constructions, resets and destructions of a pooled test class.
struct Counted {
  static inline std::atomic<int> made{0}, resets{0}, destroyed{0};
  int value = 0;
  Counted() { ++made; }
  ~Counted() { ++destroyed; }
  void reset() {
    ++resets;
    value = 0;
  }
  static void zero() { made = resets = destroyed = 0; }
};

EasyPooler makePool(std::size_t capacity) {
  return EasyPooler([]() -> void* { return new Counted; },
                    [](void* p) { delete static_cast<Counted*>(p); },
                    [](void* p) { static_cast<Counted*>(p)->reset(); }, capacity);
}

TEST(EasyPooler, KeepsUpToCapacityAndDestroysTheSurplus) {
  Counted::zero();
  {
    EasyPooler pool = makePool(3);
    std::vector<void*> taken;
    for (int i = 0; i < 5; ++i) taken.push_back(pool.acquire());
    EXPECT_EQ(Counted::made, 5);
    for (void* p : taken) pool.release(p);
    EXPECT_EQ(pool.idleCount(), 3u);
    EXPECT_EQ(Counted::resets, 3);
    EXPECT_EQ(Counted::destroyed, 2);
    // Reuse comes from the idle list, newest first, without making anything new.
    void* again = pool.acquire();
    EXPECT_EQ(again, taken[2]);
    EXPECT_EQ(Counted::made, 5);
    pool.release(again);
  }
  // Idle objects die with their pool.
  EXPECT_EQ(Counted::destroyed, 5);
}

TEST(EasyPooler, ReleasedObjectComesBackReset) {
  Counted::zero();
  EasyPooler pool = makePool(10);
  auto* c = static_cast<Counted*>(pool.acquire());
  c->value = 42;
  pool.release(c);
  auto* again = static_cast<Counted*>(pool.acquire());
  EXPECT_EQ(again, c);
  EXPECT_EQ(again->value, 0);
  pool.release(again);

  // The same through real classes: a string and an array come back empty.
  auto* s = s::str::strbuffer::StrBuffer::create(u"last state");
  s->release();
  auto* s2 = s::str::strbuffer::StrBuffer::create();
  EXPECT_TRUE(s2->isEmpty());
  s2->release();
  auto* a = s::col::_array::ArrayS32::create();
  a->append(7);
  a->release();
  auto* a2 = s::col::_array::ArrayS32::create();
  EXPECT_EQ(a2->size(), 0u);
  a2->release();
}

TEST(EasyPooler, ZeroCapacityPoolNeverKeepsAnything) {
  Counted::zero();
  EasyPooler pool = makePool(EasyPooler::kNeverKeep);
  void* a = pool.acquire();
  pool.release(a);
  EXPECT_EQ(pool.idleCount(), 0u);
  EXPECT_EQ(Counted::destroyed, 1);
  EXPECT_EQ(Counted::resets, 0);
}

TEST(EasyPooler, ShutDownDestroysIdleAndLaterReleasesDestroyDirectly) {
  Counted::zero();
  EasyPooler pool = makePool(10);
  void* a = pool.acquire();
  void* b = pool.acquire();
  pool.release(a);
  pool.shutDown();
  EXPECT_EQ(Counted::destroyed, 1);
  pool.release(b);  // a late release after exit teardown
  EXPECT_EQ(Counted::destroyed, 2);
  EXPECT_EQ(pool.idleCount(), 0u);
}

TEST(EasyPooler, ConcurrentAcquireReleaseLosesNothing) {
  Counted::zero();
  {
    EasyPooler pool = makePool(1000);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
      threads.emplace_back([&] {
        for (int i = 0; i < 5000; ++i) {
          void* x = pool.acquire();
          void* y = pool.acquire();
          pool.release(x);
          pool.release(y);
        }
      });
    for (auto& t : threads) t.join();
    EXPECT_LE(pool.idleCount(), 8u);
    EXPECT_EQ(static_cast<std::size_t>(Counted::made - Counted::destroyed), pool.idleCount());
  }
  EXPECT_EQ(Counted::made.load(), Counted::destroyed.load());
}

TEST(EasyPooler, CapacitiesOfTheProcessPools) {
  EXPECT_EQ(s::thread::PoolOf<s::str::strbuffer::StrBuffer>::pool().capacity(), 1000u);
  EXPECT_EQ(s::thread::RawRecords::pool12().capacity(), 10000u);
  EXPECT_EQ(s::thread::RawRecords::pool16().capacity(), 10000u);
  // Raw records come zero-filled, also after reuse.
  auto* r = static_cast<unsigned char*>(s::thread::RawRecords::pool16().acquire());
  r[15] = 0xAB;
  s::thread::RawRecords::pool16().release(r);
  auto* again = static_cast<unsigned char*>(s::thread::RawRecords::pool16().acquire());
  for (int i = 0; i < 16; ++i) EXPECT_EQ(again[i], 0) << i;
  s::thread::RawRecords::pool16().release(again);
}

TEST(PoolerBase, CarvesSlotsFromBlocksAndReusesGivenBackOnes) {
  struct Record {
    explicit Record(int v) : value(v) {}
    int value;
    double weight = 1.5;
  };
  s::thread::Factory<Record> factory(4);
  EXPECT_EQ(s::thread::PoolerBase::kDefaultBlockSize, 1024u);
  std::vector<Record*> made;
  for (int i = 0; i < 9; ++i) made.push_back(factory.make(i));
  EXPECT_EQ(factory.blockCount(), 3u);
  EXPECT_EQ(made[8]->value, 8);
  factory.dispose(made[3]);
  Record* reused = factory.make(99);
  EXPECT_EQ(reused, made[3]);
  EXPECT_EQ(reused->value, 99);
  EXPECT_EQ(factory.blockCount(), 3u);
  EXPECT_EQ(factory.liveCount(), 9u);
}

TEST(Singletons, TornDownAtExitInReverseOrderOfCreation) {
  EXPECT_EXIT(
      {
        for (const char* name : {"first", "second", "third"})
          s::base::Singletons::atExit(
              [](void* n) { std::fprintf(stderr, "%s ", static_cast<const char*>(n)); },
              const_cast<char*>(name));
        std::exit(0);
      },
      testing::ExitedWithCode(0), "third second first");
}

TEST(Singletons, LazySingletonIsBuiltOnceEvenWhenFirstUsedFromManyThreads) {
  static std::atomic<int> built{0};
  struct Store {
    Store() { ++built; }
  };
  auto get = [] { return &s::base::lazySingleton<Store>([] { return new Store; }); };
  EXPECT_EQ(built, 0);  // nothing is built before the first use
  std::vector<std::thread> threads;
  std::vector<Store*> seen(8);
  for (int i = 0; i < 8; ++i) threads.emplace_back([&, i] { seen[i] = get(); });
  for (auto& t : threads) t.join();
  EXPECT_EQ(built, 1);
  for (Store* s : seen) EXPECT_EQ(s, seen[0]);
  // Another call site with another maker gets the same instance.
  EXPECT_EQ(&s::base::lazySingleton<Store>([]() -> Store* { return nullptr; }), seen[0]);
}

}  // namespace
