#include "platform/ui/HeadlessBackend.h"

namespace platform::ui {

HeadlessBackend::HeadlessBackend() {
  monitors_.push_back({{0, 0, 1280, 1024}, {0, 0, 1280, 984}, true});
}

std::vector<Monitor> HeadlessBackend::monitors() const {
  std::lock_guard lock(mutex_);
  return monitors_;
}

void HeadlessBackend::setMonitors(std::vector<Monitor> monitors) {
  std::lock_guard lock(mutex_);
  if (!monitors.empty()) monitors_ = std::move(monitors);
}

}  // namespace platform::ui
