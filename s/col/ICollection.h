#pragma once
#include <cstddef>

namespace s::col {

class ICollection {
 public:
  virtual ~ICollection() = default;
  virtual std::size_t size() const = 0;
  bool isEmpty() const { return size() == 0; }
  virtual void clear() = 0;
};

// Anything whose elements sit at addresses that can be reached by index; iterators walk it.
class IEnumerable {
 public:
  virtual ~IEnumerable() = default;
  virtual std::size_t elementCount() const = 0;
  virtual const void* elementAddress(std::size_t index) const = 0;
};

}  // namespace s::col
