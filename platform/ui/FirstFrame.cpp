#include "platform/ui/FirstFrame.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>

namespace platform::ui {

void noteFramePresented() {
  static std::atomic<bool> reported{false};
  if (reported.load(std::memory_order_relaxed) || reported.exchange(true)) return;
  if (std::getenv("SONVIA_REPORT_FIRST_FRAME") == nullptr) return;
  // write(2) rather than stdio: the line must not wait in a buffer the program never flushes.
  static constexpr char kLine[] = "first frame\n";
  [[maybe_unused]] ssize_t n = ::write(STDERR_FILENO, kLine, sizeof kLine - 1);
}

}  // namespace platform::ui
