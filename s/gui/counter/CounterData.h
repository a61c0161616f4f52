#pragma once
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/ui/Geometry.h"
#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::counter {

// One data series of a graph panel: a ring of the newest samples and how to scale them.
// Samples arrive from the play thread while the interface thread paints, so every member is
// read and written under the series' own lock.
class CounterData final : public base::IObject, public thread::IPoolable {
 public:
  static constexpr int kDefaultCapacity = 2048;

  // What a painter needs, copied out under the lock in one go.
  struct Snapshot {
    std::vector<std::int64_t> newestFirst;
    bool automaticMaximum = false;
    std::int64_t maximum = 100;
    std::int64_t fixedMaximum = 100;
    std::int64_t minimum = 0;
    bool hasColor = false;
    platform::ui::Color color = 0;
    bool peakCaps = false;
  };

  static CounterData* create();  // from the pool

  CounterData();
  // Keeps at most `capacity` samples (at least 1); the newest ones survive the change.
  void setCapacity(int capacity);
  int capacity() const;

  void addSample(std::int64_t value);
  void clear();
  int count() const;
  // The sample `age` steps before the newest (0 = newest); 0 when there is none.
  std::int64_t sample(int age) const;

  void setAutomaticMaximum(bool on);
  void setMaximum(std::int64_t value);
  void setFixedMaximum(std::int64_t value);
  void setMinimum(std::int64_t value);
  void setColor(int r, int g, int b);
  void clearColor();
  void setPeakCaps(bool on);

  // At most `limit` newest samples and the scale.
  void snapshot(Snapshot& out, int limit) const;

  const char16_t* typeName() const override { return u"s_gui_counter_CounterData"; }
  IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  mutable std::mutex mutex_;
  std::vector<std::int64_t> ring_;
  int write_ = 0;  // where the next sample goes
  int count_ = 0;
  bool automaticMaximum_ = false;
  std::int64_t maximum_ = 100;
  std::int64_t fixedMaximum_ = 100;
  std::int64_t minimum_ = 0;
  bool hasColor_ = false;
  platform::ui::Color color_ = 0;
  bool peakCaps_ = false;
};

}  // namespace s::gui::counter
