#pragma once
#include "s/col/_array/ArrayBase.h"
#include "s/comp/Comparators.h"

namespace s::col::_array {

// Element access by value for the arrays of one element type E.
template <typename E, unsigned Shift>
class TypedArray : public ArrayBase {
  static_assert(sizeof(E) == (1u << Shift), "element size must match the shift");

 public:
  TypedArray() : ArrayBase(Shift) {}

  E get(std::size_t index) const { return data()[index]; }
  void set(std::size_t index, E value) { data()[index] = value; }
  E& operator[](std::size_t index) { return data()[index]; }
  const E& operator[](std::size_t index) const { return data()[index]; }
  E* data() { return reinterpret_cast<E*>(data_); }
  const E* data() const { return reinterpret_cast<const E*>(data_); }

  bool append(E value) { return insertRaw(count_, &value, 1); }
  bool insert(std::size_t index, E value) { return insertRaw(index, &value, 1); }
  std::ptrdiff_t indexOf(E value) const { return search(&value, comp::CompOf<E>::instance()); }
  void sort() { ArrayBase::sort(comp::CompOf<E>::instance()); }
  using ArrayBase::sort;

  E* begin() { return data(); }
  E* end() { return data() + count_; }
  const E* begin() const { return data(); }
  const E* end() const { return data() + count_; }
};

}  // namespace s::col::_array
