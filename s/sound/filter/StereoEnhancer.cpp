#include "s/sound/filter/StereoEnhancer.h"

#include "s/sound/filter/PcmSteps.h"
#include "s/thread/EasyPooler.h"

namespace s::sound::filter {

StereoEnhancer* StereoEnhancer::create() { return thread::PoolOf<StereoEnhancer>::acquire(); }

void StereoEnhancer::release() { thread::PoolOf<StereoEnhancer>::release(this); }

void StereoEnhancer::reset() {
  enabled_ = true;
  width = 10;
  attenuate = false;
}

void StereoEnhancer::process(void* buffer, uint32_t byteCount, bool stereo, int32_t,
                             int32_t bitsPerSample) {
  if (!stereo) return;
  PcmSteps::widen(buffer, byteCount, bitsPerSample, width);
  if (attenuate) PcmSteps::attenuate(buffer, byteCount, bitsPerSample);
}

}  // namespace s::sound::filter
