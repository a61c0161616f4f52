#include "s/system/audio/win/PlayerChain.h"

#include "s/system/audio/win/Gain.h"

namespace s::system::audio::win {

PlayerChain::PlayerChain() { effect_.buildPresets(); }

float PlayerChain::gain() const {
  const float v = volume();
  return v * v;
}

void PlayerChain::prepare(const platform::wave::Format& format) {
  effect_.prepare(format.channels == 2, format.sampleRate, format.bitsPerSample);
}

void PlayerChain::process(uint8_t* chunk, uint32_t n, const platform::wave::Format& format) {
  const bool stereo = format.channels == 2;
  const int32_t rate = format.sampleRate;
  const int32_t bits = format.bitsPerSample;
  effect_.processBeforeGain(chunk, n, stereo, rate, bits);
  Gain::apply(chunk, n, bits, gain());
  effect_.processAfterGain(chunk, n, stereo, rate, bits, preset());
}

void PlayerChain::reset() {
  volume_.store(1.0f);
  preset_.store(-1);
  effect_.reset();
}

}  // namespace s::system::audio::win
