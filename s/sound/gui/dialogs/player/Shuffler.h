#pragma once
#include <cstdint>
#include <vector>

namespace s::sound::gui::dialogs::player {

// The shuffled order of a play list. Element i (from 1 on) is taken out and put back at a place
// drawn from 0..i among the elements before it; the draw is three 15-bit values of the C
// library's rand() joined into one unsigned 32-bit number, taken modulo i + 1. rand() is seeded
// with the time, once per run, the first time any list is shuffled.
//
// Window's thread only: rand() keeps one state for the whole program.
class Shuffler {
 public:
  // The new order of `count` elements: element k of the result is the index, in the old order,
  // of the element that lands at k. The same draws as taking out and putting back one element
  // at a time, in O(n log n), so a list of a hundred thousand songs shuffles at once.
  static std::vector<int> order(int count);
  // One draw as described above.
  static uint32_t draw();
  // rand() is seeded (with the time) unless it was already; tests seed it themselves first to
  // replay an order.
  static void seedOnce();
  static void seed(unsigned value);
};

}  // namespace s::sound::gui::dialogs::player
