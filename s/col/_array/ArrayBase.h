#pragma once
#include <cstddef>
#include <cstdint>

#include "s/base/IObject.h"
#include "s/col/ICollection.h"
#include "s/col/_array/Iterator.h"
#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"
#include "s/thread/IPoolable.h"

namespace s::comp {
class IComparator;
}

namespace s::col::_array {

// Storage shared by the typed arrays: a run of elements of 1 << shift bytes each. Every array is
// also a byte stream over its contents, so any array can serve as an in-memory file.
class ArrayBase : public base::IObject,
                  public thread::IPoolable,
                  public ICollection,
                  public IEnumerable,
                  public io::IInputStream,
                  public io::IOutputStream {
 public:
  explicit ArrayBase(unsigned shift);
  ~ArrayBase() override;
  ArrayBase(const ArrayBase&) = delete;
  ArrayBase& operator=(const ArrayBase&) = delete;

  // The capacity an insertion moves to when it finds the array full at capacity c.
  static std::size_t grownCapacity(std::size_t c);

  std::size_t size() const override { return count_; }
  std::size_t capacity() const { return capacity_; }
  std::size_t elementSize() const { return std::size_t{1} << shift_; }
  unsigned shift() const { return shift_; }
  // Grows (allocating exactly) or shrinks the element count; new elements are not cleared.
  bool setSize(std::size_t count);
  // Allocates exactly `count` elements when the capacity is smaller.
  bool ensureCapacity(std::size_t count);
  void clear() override { count_ = 0; position_ = 0; }

  void* address(std::size_t index) { return data_ + (index << shift_); }
  const void* address(std::size_t index) const { return data_ + (index << shift_); }
  uint8_t* bytes() { return data_; }
  const uint8_t* bytes() const { return data_; }

  // Inserts `count` elements copied from `elements` (or left uncleared when null) at `index`.
  bool insertRaw(std::size_t index, const void* elements, std::size_t count);
  bool appendRaw(const void* elements, std::size_t count) {
    return insertRaw(count_, elements, count);
  }
  bool removeAt(std::size_t index, std::size_t count = 1);
  // Replaces the contents with `count` elements of `source` from `from`; -1 means to its end.
  bool copyFrom(const ArrayBase& source, std::size_t from = 0, std::ptrdiff_t count = -1);
  // Replaces the contents with `count` elements read from raw memory.
  bool copyFromRaw(const void* elements, std::size_t count);

  // Stable sort of the elements; the comparator gets element addresses.
  void sort(const comp::IComparator& comparator);
  // Index of the first element the comparator finds equal to *key, or -1.
  std::ptrdiff_t search(const void* key, const comp::IComparator& comparator) const;
  // On an array sorted by `comparator`: the index of an equal element, or -(insertion point) - 1.
  std::ptrdiff_t binarySearch(const void* key, const comp::IComparator& comparator) const;

  Iterator iteratorFromStart() const { return Iterator(this, 0, false); }
  Iterator iteratorFromEnd() const { return Iterator(this, count_, false); }
  Iterator iteratorAt(std::size_t index) const { return Iterator(this, index, false); }
  Iterator reversed() const { return Iterator(this, count_, true); }

  std::size_t elementCount() const override { return count_; }
  const void* elementAddress(std::size_t index) const override { return address(index); }

  // Byte stream over the elements, at one position shared by reads and writes.
  bool read(void* dst, uint32_t capacity, uint32_t* got) override;
  int64_t getPosition() const override { return static_cast<int64_t>(position_); }
  bool seek(int64_t position) override;
  int64_t getSize() const override { return static_cast<int64_t>(count_ << shift_); }
  // Writes at the position, growing the element count to cover the last byte written.
  bool write(const void* src, uint32_t count) override;

  // Frees storage beyond what a recycled array should keep.
  void reset() override;

 protected:
  // Makes room for `needed` elements by the growth rule.
  bool growFor(std::size_t needed);
  bool reallocate(std::size_t capacity);

  unsigned shift_;
  uint8_t* data_ = nullptr;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
  std::size_t position_ = 0;
};

}  // namespace s::col::_array
