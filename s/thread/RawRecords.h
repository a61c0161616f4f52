#pragma once
#include <cstddef>

#include "s/thread/EasyPooler.h"

namespace s::thread {

// Pools of small zero-filled raw blocks (12 and 16 bytes) used for tiny records in great
// numbers; they keep up to 10000 idle blocks each.
class RawRecords {
 public:
  static EasyPooler& pool12();
  static EasyPooler& pool16();
};

}  // namespace s::thread
