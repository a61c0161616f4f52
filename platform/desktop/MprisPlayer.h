#pragma once
#include <cstdint>
#include <string>

namespace platform::desktop {

// What a media player shows the desktop's media controls: one snapshot, taken whole.
struct MprisSnapshot {
  enum class Status { kStopped, kPlaying, kPaused };
  enum class Loop { kNone, kTrack, kPlaylist };
  Status status = Status::kStopped;
  Loop loop = Loop::kNone;
  bool shuffle = false;
  double volume = 0.0;           // 0..1
  int64_t positionUs = 0;
  bool hasSong = false;
  int64_t songId = 0;            // tells songs apart in the track id; 0 with no song
  std::string title, artist, album, url;  // UTF-8; url a file:// address
  int64_t lengthUs = 0;
  bool canGoNext = false;
  bool canGoPrevious = false;
  bool operator==(const MprisSnapshot&) const = default;
};

// The player behind the media controls. Every call comes from the bus's own thread: an
// implementation hands it to its own thread and answers from there.
class MprisPlayer {
 public:
  virtual ~MprisPlayer() = default;
  virtual MprisSnapshot mprisSnapshot() = 0;
  virtual void raise() = 0;
  virtual void quit() = 0;
  virtual void play() = 0;
  virtual void pause() = 0;
  virtual void playPause() = 0;
  virtual void stop() = 0;
  virtual void next() = 0;
  virtual void previous() = 0;
  // To `positionUs` within the song playing (clamped by the player).
  virtual void seekTo(int64_t positionUs) = 0;
  virtual void openUri(const std::string& uri) = 0;
  virtual void setLoop(MprisSnapshot::Loop loop) = 0;
  virtual void setShuffle(bool on) = 0;
  virtual void setVolume(double volume) = 0;
};

}  // namespace platform::desktop
