#include "platform/wave/NullSink.h"

namespace platform::wave {

NullSink::NullSink(const Format& format) : clock_(format.bytesPerSecond(), true) {}

std::size_t NullSink::write(const std::uint8_t*, std::size_t bytes, bool) {
  clock_.accept(bytes);
  return bytes;
}

std::chrono::microseconds NullSink::waitHint(std::uint64_t target, bool) { return clock_.timeUntil(target); }

}  // namespace platform::wave
