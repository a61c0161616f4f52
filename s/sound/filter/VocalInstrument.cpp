#include "s/sound/filter/VocalInstrument.h"

#include "s/sound/filter/PcmSteps.h"
#include "s/thread/EasyPooler.h"

namespace s::sound::filter {

VocalInstrument* VocalInstrument::create() { return thread::PoolOf<VocalInstrument>::acquire(); }

void VocalInstrument::release() { thread::PoolOf<VocalInstrument>::release(this); }

void VocalInstrument::reset() {
  enabled_ = true;
  bandEq.reset();
  instrumentMode = true;
  levelCut = 10;
  centreAmount = 0;
  finalLift = false;
}

void VocalInstrument::applyInstrumentRule(int32_t amount) {
  const double side = 1 + amount * 0.025;
  bandEq.setGains(side, 0, side);
  bandEq.setBands(750, 7000);
}

void VocalInstrument::process(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
                              int32_t bitsPerSample) {
  PcmSteps::levelStep(buffer, byteCount, bitsPerSample, levelCut);
  if (instrumentMode) {
    if (stereo) PcmSteps::widen(buffer, byteCount, bitsPerSample, levelCut);
    bandEq.process(buffer, byteCount, stereo, sampleRate, bitsPerSample);
    if (finalLift) PcmSteps::levelStep(buffer, byteCount, bitsPerSample, kFinalLiftAmount);
  } else {
    if (stereo) PcmSteps::centreMix(buffer, byteCount, bitsPerSample, centreAmount);
    bandEq.process(buffer, byteCount, stereo, sampleRate, bitsPerSample);
  }
}

}  // namespace s::sound::filter
