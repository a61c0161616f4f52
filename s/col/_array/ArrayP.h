#pragma once
#include <cstdint>

#include "s/col/_array/TypedArray.h"
#include "s/thread/EasyPooler.h"

namespace s::col::_array {

class ArrayP final : public TypedArray<void*, 3> {
 public:
  // An empty array from the pool.
  static ArrayP* create() { return thread::PoolOf<ArrayP>::acquire(); }

  const char16_t* typeName() const override { return u"s_col__array_ArrayP"; }
  IObject* newInstance() const override { return create(); }
  void release() override { thread::PoolOf<ArrayP>::release(this); }
};

}  // namespace s::col::_array
