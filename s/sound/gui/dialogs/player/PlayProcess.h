#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>

#include "s/sound/gui/dialogs/player/SongMeter.h"
#include "s/sound/gui/dialogs/player/SoundSettings.h"
#include "s/thread/ITask.h"

namespace s::sound {
class IEncodedAudio;
}
namespace s::system::audio {
class IPlayer;
namespace win {
class Device;
}
}  // namespace s::system::audio

namespace s::sound::gui::dialogs::player {

class IPlayDisplay;
class PlayRequests;
struct PlayState;

// The play process: run once on the play thread for each start, it plays song after song with
// one fresh engine each, on the first output device, polling every 10 ms, until the play order
// has no next song, the stop request is set, the selected list changed, or the device fails.
// Everything that touches the window or the play lists is handed to the window's thread
// (PlayRequests through IPlayDisplay::onWindowThread); this thread only drives the engine and
// copies the window's switches into it.
//
// It ends on its own, without looping, when the device cannot be opened or breaks down (the
// user is told once, with the device's reason), and after going once round the songs without
// any of them giving audio.
class PlayProcess final : public thread::ITask {
 public:
  static constexpr int kPollMs = 10;

  PlayProcess(PlayState& state, IPlayDisplay& display, PlayRequests& requests);

  void run() override;

  // The volume last handed to an engine (0 before the first song).
  float engineVolume() const { return engineVolume_; }
  // Songs from the next one on play through the output device `name` (as the wave output knows
  // it: an ALSA name, "null", "file:PATH", "file-fast:PATH"); "" takes the first device of the
  // output list again. Any thread.
  void setOutputDevice(const std::string& name);

 private:
  enum class SongEnd { kPlayedOut, kSkipped, kStopped, kFailed };

  // One pass of the process from "ProcessStatusStart" to "ProcessStatusEnd"; true when it must
  // start over for a request that came as it ended.
  bool runOnce();
  // Plays one opened song to its end; `error` gets the device's reason on failure.
  SongEnd playSong(IEncodedAudio* source, std::u16string& path, std::string& error);
  // Polls one song's engine until the song ends.
  SongEnd poll(system::audio::IPlayer& engine, std::u16string& path);
  // True when the window ran `work`; false when it is closing (the process then leaves).
  bool onWindow(const std::function<void()>& work);

  PlayState& state_;
  IPlayDisplay& display_;
  PlayRequests& requests_;
  SoundSettings sound_;
  SongMeter meter_;
  // Songs that ended by themselves without giving any audio, since the last one that did.
  std::unordered_set<std::u16string> silent_;
  bool windowGone_ = false;
  std::atomic<float> engineVolume_{0.0f};
  std::mutex deviceLock_;
  std::shared_ptr<system::audio::win::Device> namedDevice_;  // under deviceLock_; null: the list's first
};

}  // namespace s::sound::gui::dialogs::player
