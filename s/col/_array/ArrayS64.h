#pragma once
#include <cstdint>

#include "s/col/_array/TypedArray.h"
#include "s/thread/EasyPooler.h"

namespace s::col::_array {

class ArrayS64 final : public TypedArray<int64_t, 3> {
 public:
  // An empty array from the pool.
  static ArrayS64* create() { return thread::PoolOf<ArrayS64>::acquire(); }

  const char16_t* typeName() const override { return u"s_col__array_ArrayS64"; }
  IObject* newInstance() const override { return create(); }
  void release() override { thread::PoolOf<ArrayS64>::release(this); }
};

}  // namespace s::col::_array
