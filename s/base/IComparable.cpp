#include "s/base/IComparable.h"

#include <functional>
#include <typeinfo>

#include "s/comp/IComparator.h"

namespace s::base {

int IComparable::compare(const IComparable* other, const comp::IComparator* comparator) const {
  if (comparator) return comparator->compare(this, other);
  if (this == other) return 0;
  return std::less<const IComparable*>()(this, other) ? -1 : 1;
}

int IComparable::compareByKey(const IComparable* other,
                              const comp::IComparator* comparator) const {
  if (comparator) return comparator->compareByKey(this, other);
  return compare(other, nullptr);
}

const void* IComparable::classIdentity() const { return &typeid(*this); }

}  // namespace s::base
