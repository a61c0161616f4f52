#include "s/col/_array/ArrayBase.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "s/comp/IComparator.h"

namespace s::col::_array {

namespace {
// A recycled array keeps at most this much storage; larger buffers go back to the heap.
constexpr std::size_t kKeptBytes = 64 * 1024;
}  // namespace

ArrayBase::ArrayBase(unsigned shift) : shift_(shift) {}

ArrayBase::~ArrayBase() { std::free(data_); }

std::size_t ArrayBase::grownCapacity(std::size_t c) {
  if (c < 100) return 100;
  if (c < 10'000'000) return c * 3;
  if (c < 50'000'000) return c * 2;
  if (c < 100'000'000) return c + c / 2;
  return c + c / 5;
}

bool ArrayBase::reallocate(std::size_t capacity) {
  if (capacity > (std::numeric_limits<std::size_t>::max() >> shift_)) return false;
  std::size_t bytes = capacity << shift_;
  auto* fresh = static_cast<uint8_t*>(std::malloc(bytes ? bytes : 1));
  if (!fresh) return false;
  std::size_t keep = (count_ < capacity ? count_ : capacity) << shift_;
  if (keep) std::memcpy(fresh, data_, keep);
  std::free(data_);
  data_ = fresh;
  capacity_ = capacity;
  if (count_ > capacity) count_ = capacity;
  return true;
}

bool ArrayBase::growFor(std::size_t needed) {
  if (needed <= capacity_) return true;
  std::size_t next = grownCapacity(capacity_);
  return reallocate(next < needed ? needed : next);
}

bool ArrayBase::ensureCapacity(std::size_t count) {
  return count <= capacity_ || reallocate(count);
}

bool ArrayBase::setSize(std::size_t count) {
  if (!ensureCapacity(count)) return false;
  count_ = count;
  return true;
}

bool ArrayBase::insertRaw(std::size_t index, const void* elements, std::size_t count) {
  if (index > count_ || count > std::numeric_limits<std::size_t>::max() - count_) return false;
  if (!growFor(count_ + count)) return false;
  // Nothing to move at the end, where an empty array may still have no storage at all.
  if (index < count_)
    std::memmove(data_ + ((index + count) << shift_), data_ + (index << shift_),
                 (count_ - index) << shift_);
  if (elements && count) std::memcpy(data_ + (index << shift_), elements, count << shift_);
  count_ += count;
  return true;
}

bool ArrayBase::removeAt(std::size_t index, std::size_t count) {
  if (index > count_ || count > count_ - index) return false;
  if (count > 0 && index + count < count_)
    std::memmove(data_ + (index << shift_), data_ + ((index + count) << shift_),
                 (count_ - index - count) << shift_);
  count_ -= count;
  return true;
}

bool ArrayBase::copyFrom(const ArrayBase& source, std::size_t from, std::ptrdiff_t count) {
  if (source.shift_ != shift_ || from > source.count_) return false;
  std::size_t n = count < 0 ? source.count_ - from : static_cast<std::size_t>(count);
  if (n > source.count_ - from) return false;
  if (&source == this) {
    if (n > 0) std::memmove(data_, data_ + (from << shift_), n << shift_);
    count_ = n;
    return true;
  }
  return copyFromRaw(source.data_ + (from << shift_), n);
}

bool ArrayBase::copyFromRaw(const void* elements, std::size_t count) {
  if (!ensureCapacity(count)) return false;
  if (count) std::memcpy(data_, elements, count << shift_);
  count_ = count;
  return true;
}

void ArrayBase::sort(const comp::IComparator& comparator) {
  if (count_ < 2) return;
  // Bottom-up merge sort on indices keeps equal elements in order whatever their size.
  std::vector<std::size_t> order(count_), spare(count_);
  for (std::size_t i = 0; i < count_; ++i) order[i] = i;
  for (std::size_t width = 1; width < count_; width *= 2) {
    for (std::size_t lo = 0; lo < count_; lo += 2 * width) {
      std::size_t mid = lo + width < count_ ? lo + width : count_;
      std::size_t hi = lo + 2 * width < count_ ? lo + 2 * width : count_;
      std::size_t a = lo, b = mid, out = lo;
      while (a < mid && b < hi)
        spare[out++] = comparator.compare(address(order[b]), address(order[a])) < 0 ? order[b++]
                                                                                  : order[a++];
      while (a < mid) spare[out++] = order[a++];
      while (b < hi) spare[out++] = order[b++];
    }
    order.swap(spare);
  }
  std::vector<uint8_t> sorted(count_ << shift_);
  for (std::size_t i = 0; i < count_; ++i)
    std::memcpy(sorted.data() + (i << shift_), address(order[i]), elementSize());
  std::memcpy(data_, sorted.data(), sorted.size());
}

std::ptrdiff_t ArrayBase::search(const void* key, const comp::IComparator& comparator) const {
  for (std::size_t i = 0; i < count_; ++i)
    if (comparator.compareByKey(address(i), key) == 0) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

std::ptrdiff_t ArrayBase::binarySearch(const void* key,
                                       const comp::IComparator& comparator) const {
  std::size_t lo = 0, hi = count_;
  while (lo < hi) {
    std::size_t mid = lo + (hi - lo) / 2;
    int c = comparator.compareByKey(address(mid), key);
    if (c == 0) return static_cast<std::ptrdiff_t>(mid);
    if (c < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return -static_cast<std::ptrdiff_t>(lo) - 1;
}

bool ArrayBase::read(void* dst, uint32_t capacity, uint32_t* got) {
  std::size_t total = count_ << shift_;
  std::size_t n = position_ < total ? total - position_ : 0;
  if (n > capacity) n = capacity;
  if (n) std::memcpy(dst, data_ + position_, n);
  position_ += n;
  if (got) *got = static_cast<uint32_t>(n);
  return n > 0;
}

bool ArrayBase::seek(int64_t position) {
  if (position < 0 || static_cast<uint64_t>(position) > (count_ << shift_)) return false;
  position_ = static_cast<std::size_t>(position);
  return true;
}

bool ArrayBase::write(const void* src, uint32_t count) {
  if (count == 0) return true;
  std::size_t end = position_ + count;
  std::size_t elements = (end + elementSize() - 1) >> shift_;
  if (!growFor(elements)) return false;
  if (elements > count_) {
    // Bytes between the old end and the write position would otherwise be garbage.
    std::size_t oldEnd = count_ << shift_;
    if (position_ > oldEnd) std::memset(data_ + oldEnd, 0, position_ - oldEnd);
    std::size_t tailEnd = elements << shift_;
    if (tailEnd > end) std::memset(data_ + end, 0, tailEnd - end);
    count_ = elements;
  }
  std::memcpy(data_ + position_, src, count);
  position_ = end;
  return true;
}

void ArrayBase::reset() {
  count_ = 0;
  position_ = 0;
  if ((capacity_ << shift_) > kKeptBytes) {
    std::free(data_);
    data_ = nullptr;
    capacity_ = 0;
  }
}

}  // namespace s::col::_array
