#include "s/sound/gui/dialogs/player/Shuffler.h"

#include <atomic>
#include <cstdlib>
#include <ctime>

namespace s::sound::gui::dialogs::player {

namespace {

std::atomic<bool> seeded{false};

// Free places of the final order, counted in a Fenwick tree so that "the k-th free place" is
// found in O(log n).
class FreePlaces {
 public:
  explicit FreePlaces(int count) : tree_(static_cast<std::size_t>(count) + 1, 0), count_(count) {
    for (int i = 1; i <= count; ++i) {
      tree_[static_cast<std::size_t>(i)] += 1;
      const int up = i + (i & -i);
      if (up <= count) tree_[static_cast<std::size_t>(up)] += tree_[static_cast<std::size_t>(i)];
    }
    top_ = 1;
    while (top_ * 2 <= count) top_ *= 2;
  }
  // Takes the free place with `k` free places before it.
  int take(int k) {
    int at = 0;
    for (int step = top_; step > 0; step /= 2) {
      const int next = at + step;
      if (next <= count_ && tree_[static_cast<std::size_t>(next)] <= k) {
        at = next;
        k -= tree_[static_cast<std::size_t>(next)];
      }
    }
    for (int i = at + 1; i <= count_; i += i & -i) tree_[static_cast<std::size_t>(i)] -= 1;
    return at;
  }

 private:
  std::vector<int> tree_;
  int count_;
  int top_ = 1;
};

}  // namespace

void Shuffler::seed(unsigned value) {
  std::srand(value);
  seeded = true;
}

void Shuffler::seedOnce() {
  if (!seeded.exchange(true)) std::srand(static_cast<unsigned>(std::time(nullptr)));
}

uint32_t Shuffler::draw() {
  // rand() here gives 31 bits; the order is built from 15 of each, as on systems where that is
  // all it gives. The unsigned arithmetic keeps the low 32 of the 45 bits.
  uint32_t r = static_cast<uint32_t>(std::rand() & 0x7FFF);
  r = (r << 15) + static_cast<uint32_t>(std::rand() & 0x7FFF);
  r = (r << 15) + static_cast<uint32_t>(std::rand() & 0x7FFF);
  return r;
}

std::vector<int> Shuffler::order(int count) {
  if (count <= 0) return {};
  seedOnce();
  std::vector<int> places(static_cast<std::size_t>(count), 0);
  for (int i = 1; i < count; ++i)
    places[static_cast<std::size_t>(i)] = static_cast<int>(draw() % static_cast<uint32_t>(i + 1));
  // Element i, put back at place j among the first i + 1, is never moved again by an earlier
  // element; it is moved one on by every later element put back before it. So, going backwards,
  // each element takes the j-th of the places its successors left free; element 0 the last one.
  std::vector<int> result(static_cast<std::size_t>(count), 0);
  FreePlaces free(count);
  for (int i = count - 1; i >= 1; --i)
    result[static_cast<std::size_t>(free.take(places[static_cast<std::size_t>(i)]))] = i;
  result[static_cast<std::size_t>(free.take(0))] = 0;
  return result;
}

}  // namespace s::sound::gui::dialogs::player
