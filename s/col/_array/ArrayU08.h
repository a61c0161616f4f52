#pragma once
#include <cstdint>

#include "s/col/_array/TypedArray.h"
#include "s/thread/EasyPooler.h"

namespace s::col::_array {

class ArrayU08 final : public TypedArray<uint8_t, 0> {
 public:
  // An empty array from the pool.
  static ArrayU08* create() { return thread::PoolOf<ArrayU08>::acquire(); }

  const char16_t* typeName() const override { return u"s_col__array_ArrayU08"; }
  IObject* newInstance() const override { return create(); }
  void release() override { thread::PoolOf<ArrayU08>::release(this); }
};

}  // namespace s::col::_array
