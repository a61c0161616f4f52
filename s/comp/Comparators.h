#pragma once
#include <cstdint>

#include "s/comp/IComparator.h"

namespace s::comp {

// Natural order of one element type, for sorting and searching the typed arrays.
template <typename T>
class CompOf : public IComparator {
 public:
  int compare(const void* a, const void* b) const override {
    const T& x = *static_cast<const T*>(a);
    const T& y = *static_cast<const T*>(b);
    return x < y ? -1 : (y < x ? 1 : 0);
  }
  static const CompOf& instance() {
    static const CompOf comparator;
    return comparator;
  }
};

using CompS08 = CompOf<int8_t>;
using CompU08 = CompOf<uint8_t>;
using CompS32 = CompOf<int32_t>;
using CompU32 = CompOf<uint32_t>;
using CompS64 = CompOf<int64_t>;
using CompP = CompOf<void*>;

}  // namespace s::comp
