#include "s/sound/gui/dialogs/player/Shuffler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

using s::sound::gui::dialogs::player::Shuffler;

// The shuffle as the order is defined: element i out, back in at draw mod (i + 1).
std::vector<int> shuffledOneByOne(int count) {
  std::vector<int> items(static_cast<std::size_t>(count));
  std::iota(items.begin(), items.end(), 0);
  for (int i = 1; i < count; ++i) {
    const int item = items[static_cast<std::size_t>(i)];
    items.erase(items.begin() + i);
    const auto j = static_cast<std::ptrdiff_t>(Shuffler::draw() % static_cast<uint32_t>(i + 1));
    items.insert(items.begin() + j, item);
  }
  return items;
}

TEST(Shuffler, GivesTheOrderOfTakingOutAndPuttingBackOneAtATime) {
  for (int count : {0, 1, 2, 3, 7, 64, 1000}) {
    SCOPED_TRACE(count);
    Shuffler::seed(1234u + static_cast<unsigned>(count));
    const std::vector<int> expected = shuffledOneByOne(count);
    Shuffler::seed(1234u + static_cast<unsigned>(count));
    EXPECT_EQ(Shuffler::order(count), expected);
  }
}

TEST(Shuffler, EveryPlaceCanBeDrawnAndTheDrawUsesFifteenBitsOfEachRand) {
  Shuffler::seed(99);
  std::vector<int> firstOf(5, 0);
  for (int round = 0; round < 2000; ++round) {
    const std::vector<int> order = Shuffler::order(5);
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(sorted, (std::vector<int>{0, 1, 2, 3, 4}));
    ++firstOf[static_cast<std::size_t>(order[0])];
  }
  // Each song leads the order about a fifth of the time.
  for (int n : firstOf) {
    EXPECT_GT(n, 300);
    EXPECT_LT(n, 500);
  }
  // The top of three 15-bit draws joined: numbers above 2^30 occur.
  bool high = false;
  for (int i = 0; i < 64 && !high; ++i) high = Shuffler::draw() >= (1u << 30);
  EXPECT_TRUE(high);
}

TEST(Shuffler, ALargeListShufflesAtOnce) {
  const std::vector<int> order = Shuffler::order(200000);
  std::vector<bool> seen(order.size(), false);
  for (int i : order) {
    ASSERT_FALSE(seen[static_cast<std::size_t>(i)]);
    seen[static_cast<std::size_t>(i)] = true;
  }
}

}  // namespace
