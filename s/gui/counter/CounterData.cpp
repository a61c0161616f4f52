#include "s/gui/counter/CounterData.h"

#include <algorithm>

#include "s/thread/EasyPooler.h"

namespace s::gui::counter {

CounterData* CounterData::create() { return thread::PoolOf<CounterData>::acquire(); }

void CounterData::release() { thread::PoolOf<CounterData>::release(this); }

CounterData::CounterData() : ring_(kDefaultCapacity) {}

void CounterData::reset() {
  std::lock_guard lock(mutex_);
  ring_.assign(kDefaultCapacity, 0);
  write_ = count_ = 0;
  automaticMaximum_ = false;
  maximum_ = fixedMaximum_ = 100;
  minimum_ = 0;
  hasColor_ = false;
  color_ = 0;
  peakCaps_ = false;
}

void CounterData::setCapacity(int capacity) {
  capacity = std::max(capacity, 1);
  std::lock_guard lock(mutex_);
  std::vector<std::int64_t> kept(capacity);
  const int keep = std::min(count_, capacity);
  const int size = static_cast<int>(ring_.size());
  for (int i = 0; i < keep; ++i) {
    // oldest kept first, so the ring reads in order again from position 0
    kept[i] = ring_[(write_ - keep + i + size) % size];
  }
  ring_ = std::move(kept);
  count_ = keep;
  write_ = keep % capacity;
}

int CounterData::capacity() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(ring_.size());
}

void CounterData::addSample(std::int64_t value) {
  std::lock_guard lock(mutex_);
  ring_[write_] = value;
  write_ = (write_ + 1) % static_cast<int>(ring_.size());
  count_ = std::min(count_ + 1, static_cast<int>(ring_.size()));
}

void CounterData::clear() {
  std::lock_guard lock(mutex_);
  write_ = count_ = 0;
}

int CounterData::count() const {
  std::lock_guard lock(mutex_);
  return count_;
}

std::int64_t CounterData::sample(int age) const {
  std::lock_guard lock(mutex_);
  if (age < 0 || age >= count_) return 0;
  const int size = static_cast<int>(ring_.size());
  return ring_[(write_ - 1 - age + 2 * size) % size];
}

void CounterData::setAutomaticMaximum(bool on) {
  std::lock_guard lock(mutex_);
  automaticMaximum_ = on;
}

void CounterData::setMaximum(std::int64_t value) {
  std::lock_guard lock(mutex_);
  maximum_ = value;
}

void CounterData::setFixedMaximum(std::int64_t value) {
  std::lock_guard lock(mutex_);
  fixedMaximum_ = value;
}

void CounterData::setMinimum(std::int64_t value) {
  std::lock_guard lock(mutex_);
  minimum_ = value;
}

void CounterData::setColor(int r, int g, int b) {
  std::lock_guard lock(mutex_);
  hasColor_ = true;
  color_ = platform::ui::rgb(r, g, b);
}

void CounterData::clearColor() {
  std::lock_guard lock(mutex_);
  hasColor_ = false;
}

void CounterData::setPeakCaps(bool on) {
  std::lock_guard lock(mutex_);
  peakCaps_ = on;
}

void CounterData::snapshot(Snapshot& out, int limit) const {
  std::lock_guard lock(mutex_);
  const int size = static_cast<int>(ring_.size());
  const int n = std::clamp(limit, 0, count_);
  out.newestFirst.resize(n);
  for (int age = 0; age < n; ++age) out.newestFirst[age] = ring_[(write_ - 1 - age + 2 * size) % size];
  out.automaticMaximum = automaticMaximum_;
  out.maximum = maximum_;
  out.fixedMaximum = fixedMaximum_;
  out.minimum = minimum_;
  out.hasColor = hasColor_;
  out.color = color_;
  out.peakCaps = peakCaps_;
}

}  // namespace s::gui::counter
