#pragma once
#include <cstdint>

#include "s/col/_array/TypedArray.h"
#include "s/thread/EasyPooler.h"

namespace s::col::_array {

class ArrayS08 final : public TypedArray<int8_t, 0> {
 public:
  // An empty array from the pool.
  static ArrayS08* create() { return thread::PoolOf<ArrayS08>::acquire(); }

  const char16_t* typeName() const override { return u"s_col__array_ArrayS08"; }
  IObject* newInstance() const override { return create(); }
  void release() override { thread::PoolOf<ArrayS08>::release(this); }
};

}  // namespace s::col::_array
