#pragma once

namespace s::comp {

// Orders two items of one kind. Containers hand it pointers to their elements; objects hand it
// pointers to themselves.
class IComparator {
 public:
  virtual ~IComparator() = default;
  virtual int compare(const void* a, const void* b) const = 0;
  // Compares an item with a search key; most comparators treat the key as another item.
  virtual int compareByKey(const void* item, const void* key) const { return compare(item, key); }
};

}  // namespace s::comp
