#pragma once
#include <cstdint>

namespace s::system::audio {

// Where an engine's playback stands. Active (isActive) from kOpening through kStopping.
enum class PlayerState : uint8_t {
  kIdle,      // nothing has been played since the engine came from its pool
  kOpening,   // play() returned; the device is being opened on the play thread
  kPlaying,   // chunks go to the device
  kPaused,    // the play task feeds nothing; what is queued still plays
  kDraining,  // the source has ended; the queued chunks play out
  kStopping,  // stop() asked the play task to end
  kEnded,     // played out or stopped; the device is closed
  kFailed,    // the device could not be opened or broke down; lastError() says why
};

inline bool isActiveState(PlayerState state) {
  return state >= PlayerState::kOpening && state <= PlayerState::kStopping;
}

}  // namespace s::system::audio
