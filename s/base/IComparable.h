#pragma once

namespace s::comp {
class IComparator;
}

namespace s::base {

// Root of every object of the library. Without a comparator objects are ordered by identity.
class IComparable {
 public:
  virtual ~IComparable() = default;
  virtual int compare(const IComparable* other, const comp::IComparator* comparator) const;
  virtual int compareByKey(const IComparable* other, const comp::IComparator* comparator) const;
  bool equals(const IComparable* other, const comp::IComparator* comparator) const {
    return compare(other, comparator) == 0;
  }
  bool equalsByKey(const IComparable* other, const comp::IComparator* comparator) const {
    return compareByKey(other, comparator) == 0;
  }
  // Equal for all objects of one class.
  virtual const void* classIdentity() const;
};

}  // namespace s::base
