#include "s/sound/gui/dialogs/player/SongMeter.h"

#include <algorithm>
#include <cmath>

#include "s/sound/gui/dialogs/player/PlayState.h"

namespace s::sound::gui::dialogs::player {

namespace {
constexpr int32_t kLargestColumn = 32767;
}

void SongMeter::startSong(int64_t durationMs, int32_t sampleRate) {
  state_.positionPercent = 0.0f;
  state_.shownSeconds = 0;
  state_.durationMs = durationMs;
  state_.graphBytes = 0;
  state_.graphPeak = 0;
  threshold_ = sampleRate > 0 ? static_cast<uint32_t>(sampleRate) * 4u >> 5 : 0;
  chunks_ = 0;
}

int64_t SongMeter::chunks() const { return chunks_; }

int32_t SongMeter::shownSeconds(double percent, int64_t durationMs, bool remaining) {
  // In doubles: a song of some hours has more milliseconds times 100 than 32 bits hold.
  const double ms = static_cast<double>(durationMs);
  const double seconds = remaining ? (ms * 100.0 - percent * ms) / 100000.0 : percent * ms / 100000.0;
  if (!(seconds > 0.0)) return 0;
  return static_cast<int32_t>(std::min(std::trunc(seconds), 2147483647.0));
}

int32_t SongMeter::onChunk(const int16_t* chunk, uint32_t bytes, double percent, void* user) {
  auto* self = static_cast<SongMeter*>(user);
  PlayState& state = self->state_;
  state.positionPercent = static_cast<float>(percent);
  state.graphBytes += bytes;
  state.shownSeconds = shownSeconds(percent, state.durationMs, state.showTimeRemaining);
  // The largest signed sample, not the largest magnitude: the graph shows the upper swing.
  int32_t peak = 0;
  for (uint32_t i = 0; chunk && i < bytes / 2; ++i) peak = std::max<int32_t>(peak, chunk[i]);
  int32_t seen = state.graphPeak;
  while (peak > seen && !state.graphPeak.compare_exchange_weak(seen, peak)) {
  }
  ++self->chunks_;
  return 0;
}

std::optional<SongMeter::Column> SongMeter::takeColumn(float gain) {
  const uint32_t bytes = state_.graphBytes;
  if (threshold_ == 0 || bytes < threshold_) return std::nullopt;
  const int32_t peak = state_.graphPeak.exchange(0);
  state_.graphBytes -= bytes;
  // Scaled back to the level before the volume; with no gain at all (muted, or a volume of 0)
  // there is nothing to scale back, and the line stays flat.
  int32_t value = 0;
  if (state_.volumeFactor != 0.0f && gain > 0.0f && std::isfinite(gain))
    value = static_cast<int32_t>(std::clamp(std::trunc(static_cast<double>(peak) / gain), 0.0,
                                            static_cast<double>(kLargestColumn)));
  const bool shown = state_.showGraph;
  const bool clearFirst = shown != graphShown_;
  graphShown_ = shown;
  return Column{shown ? value : 0, clearFirst};
}

}  // namespace s::sound::gui::dialogs::player
