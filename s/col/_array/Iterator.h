#pragma once
#include <cstddef>

#include "s/col/ICollection.h"

namespace s::col::_array {

// Walks an enumerable by index. A forward iterator stands before the element at its position;
// a reversed one walks from the last element to the first with the same hasNext/next calls.
class Iterator {
 public:
  Iterator(const IEnumerable* items, std::size_t position, bool reversed)
      : items_(items), position_(position), reversed_(reversed) {}

  bool hasNext() const {
    return reversed_ ? position_ > 0 : position_ < items_->elementCount();
  }
  // Address of the next element; call only when hasNext().
  const void* next() {
    return reversed_ ? items_->elementAddress(--position_) : items_->elementAddress(position_++);
  }
  bool hasPrevious() const {
    return reversed_ ? position_ < items_->elementCount() : position_ > 0;
  }
  const void* previous() {
    return reversed_ ? items_->elementAddress(position_++) : items_->elementAddress(--position_);
  }
  // Index of the element the next call to next() returns (for a reversed iterator, + 1).
  std::size_t position() const { return position_; }

 private:
  const IEnumerable* items_;
  std::size_t position_;
  bool reversed_;
};

}  // namespace s::col::_array
