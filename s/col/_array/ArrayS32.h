#pragma once
#include <cstdint>

#include "s/col/_array/TypedArray.h"
#include "s/thread/EasyPooler.h"

namespace s::col::_array {

class ArrayS32 final : public TypedArray<int32_t, 2> {
 public:
  // An empty array from the pool.
  static ArrayS32* create() { return thread::PoolOf<ArrayS32>::acquire(); }

  const char16_t* typeName() const override { return u"s_col__array_ArrayS32"; }
  IObject* newInstance() const override { return create(); }
  void release() override { thread::PoolOf<ArrayS32>::release(this); }
};

}  // namespace s::col::_array
