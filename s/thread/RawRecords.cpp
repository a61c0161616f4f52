#include "s/thread/RawRecords.h"

#include <cstdlib>
#include <cstring>

namespace s::thread {

namespace {

template <std::size_t Bytes>
EasyPooler& rawPool() {
  static EasyPooler* pool = EasyPooler::createForProcess(
      [] { return std::calloc(1, Bytes); }, [](void* p) { std::free(p); },
      [](void* p) { std::memset(p, 0, Bytes); }, EasyPooler::kRawRecordCapacity);
  return *pool;
}

}  // namespace

EasyPooler& RawRecords::pool12() { return rawPool<12>(); }
EasyPooler& RawRecords::pool16() { return rawPool<16>(); }

}  // namespace s::thread
