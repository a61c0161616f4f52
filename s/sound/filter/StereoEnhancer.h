#pragma once
#include <atomic>
#include <cstdint>

#include "s/sound/IFilter.h"

namespace s::sound::filter {

// Widens the stereo image around each frame's centre and can lower the result by 0.9. Keeps no
// sample state; mono data pass unchanged.
class StereoEnhancer final : public IFilter {
 public:
  static StereoEnhancer* create();
  StereoEnhancer() = default;

  bool prepare(bool, int32_t, int32_t) override { return true; }
  void process(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
               int32_t bitsPerSample) override;
  bool isEnabled() const override { return enabled_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }

  int32_t width = 10;      // 0 or less: no widening
  bool attenuate = false;  // scale by 0.9 after the widening

  const char16_t* typeName() const override { return u"s_sound_filter_StereoEnhancer"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  std::atomic<bool> enabled_{true};  // switched by the play process during playback
};

}  // namespace s::sound::filter
