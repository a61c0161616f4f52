#include "s/sound/gui/dialogs/player/PlayProcess.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/text/Utf.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/gui/dialogs/player/IPlayDisplay.h"
#include "s/sound/gui/dialogs/player/PlayRequests.h"
#include "s/sound/gui/dialogs/player/PlayState.h"
#include "s/system/audio/win/DeviceList.h"
#include "s/system/audio/win/Player.h"
#include "s/thread/Pooled.h"

namespace s::sound::gui::dialogs::player {

using system::audio::IPlayer;
using system::audio::PlayerState;
using system::audio::win::Device;
using system::audio::win::DeviceList;
using system::audio::win::Player;

namespace {
constexpr char kNoDevice[] = "There is no sound output device.";
}

PlayProcess::PlayProcess(PlayState& state, IPlayDisplay& display, PlayRequests& requests)
    : state_(state), display_(display), requests_(requests), meter_(state) {}

void PlayProcess::setOutputDevice(const std::string& name) {
  std::shared_ptr<Device> device = name.empty() ? nullptr : std::make_shared<Device>(-1, name, name);
  std::lock_guard<std::mutex> hold(deviceLock_);
  namedDevice_ = std::move(device);
}

bool PlayProcess::onWindow(const std::function<void()>& work) {
  if (!windowGone_ && !display_.onWindowThread(work)) windowGone_ = true;
  return !windowGone_;
}

void PlayProcess::run() {
  windowGone_ = false;
  while (runOnce()) {
  }
  if (windowGone_) {
    // The window is closing and cannot take "ProcessStatusEnd"; whoever waits for this thread
    // still sees the process gone.
    state_.playing = false;
    state_.paused = false;
    state_.inSong = false;
    state_.playThreadStarted = false;
  }
}

bool PlayProcess::runOnce() {
  silent_.clear();
  if (!onWindow([this] { requests_.started(); })) return false;
  state_.listChanged = false;
  // A handler still running on the window's thread (the play request that started us) ends
  // before the first choice is made.
  { thread::ObjLocker::Guard wait(state_.windowLock); }
  std::u16string path;
  onWindow([&] { path = requests_.chooseFirst(); });
  while (!windowGone_ && !state_.stopRequest && !path.empty()) {
    IEncodedAudio* source = nullptr;
    bool hasEntry = false;
    if (!onWindow([&] {
          source = requests_.openSong(path);
          hasEntry = state_.currentEntry != nullptr;
        })) {
      if (source) source->release();
      break;
    }
    SongEnd end = SongEnd::kPlayedOut;
    std::string error;
    if (source && hasEntry) {
      onWindow([this] { requests_.markPlayingRow(); });
      end = playSong(source, path, error);
      onWindow([this] { requests_.clearPlayingRow(); });
    } else if (source) {
      source->release();
    }
    if (state_.stopRequest || windowGone_) break;
    if (end == SongEnd::kFailed) {
      // The device is the same for every song: the next one would fail alike.
      const std::u16string text = platform::text::utf8ToUtf16(error);
      onWindow([&] { display_.showPlayError(text); });
      break;
    }
    if (end == SongEnd::kPlayedOut && hasEntry) {
      // Round the songs once and not one gave audio (empty files, a song repeated): stop here
      // rather than start engines in a loop forever.
      if (meter_.chunks() > 0) silent_.clear();
      else if (!silent_.insert(path).second) break;
    }
    if (state_.listChanged) break;
    bool more = false;
    if (!onWindow([&] { more = requests_.chooseNext(path); }) || !more) break;
  }
  bool again = false;
  onWindow([&] { again = requests_.ended(); });
  return again && !windowGone_;
}

PlayProcess::SongEnd PlayProcess::playSong(IEncodedAudio* source, std::u16string& path,
                                           std::string& error) {
  std::shared_ptr<IEncodedAudio> song = thread::sharePooled(source);
  std::shared_ptr<Device> named;
  {
    std::lock_guard<std::mutex> hold(deviceLock_);
    named = namedDevice_;
  }
  const Device* device = named ? named.get() : DeviceList::output(0);
  if (!device) {
    error = DeviceList::problem().empty() ? kNoDevice : DeviceList::problem();
    state_.inSong = false;
    return SongEnd::kFailed;
  }
  thread::Pooled<Player> engine = thread::holdPooled(Player::create());
  engine->setDevice(const_cast<Device*>(device));
  sound_.applyAll(state_, *engine);
  engineVolume_ = sound_.volume();
  meter_.startSong(song->getDurationMs(), song->outputSampleRate());
  engine->play(song, &SongMeter::onChunk, &meter_);
  SongEnd end = poll(*engine, path);
  if (engine->state() == PlayerState::kFailed) {
    end = SongEnd::kFailed;
    error = engine->lastError();
    if (error.empty()) error = "The sound device stopped working.";
  }
  engine->stop();
  engine.reset();
  song.reset();
  // A seek the song did not live to see is not the next song's.
  state_.seekRequest = -1.0f;
  state_.inSong = false;
  return end;
}

PlayProcess::SongEnd PlayProcess::poll(IPlayer& engine, std::u16string& path) {
  int32_t shownSeconds = -1;
  int32_t wholePercent = -1;
  bool enginePaused = false;
  for (;;) {
    if (state_.skipRequest) {
      path.clear();
      return SongEnd::kSkipped;
    }
    if (state_.stopRequest) {
      if (state_.skipRequest) path.clear();
      return SongEnd::kStopped;
    }
    const PlayerState now = engine.state();
    if (now == PlayerState::kFailed) return SongEnd::kFailed;
    if (!system::audio::isActiveState(now)) return SongEnd::kPlayedOut;
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));

    const int32_t seconds = state_.shownSeconds;
    const auto percent = static_cast<int32_t>(state_.positionPercent);
    if (seconds != shownSeconds || percent != wholePercent) {
      shownSeconds = seconds;
      wholePercent = percent;
      if (!onWindow([this] { requests_.progress(); })) return SongEnd::kStopped;
    }
    sound_.applyChanges(state_, engine);
    engineVolume_ = sound_.volume();
    if (const float seek = state_.seekRequest.exchange(-1.0f); seek >= 0.0f) {
      state_.positionPercent = std::max(0.0f, seek - 1.0f);
      engine.seek(seek);
    }
    if (const auto column = meter_.takeColumn(engine.getGain()))
      display_.addGraphColumn(column->value, column->clearFirst);
    const bool paused = state_.paused;
    if (paused && !enginePaused) {
      engine.pause();
      enginePaused = true;
    } else if (!paused && enginePaused && !state_.skipRequest) {
      engine.resume();
      enginePaused = false;
    }
  }
}

}  // namespace s::sound::gui::dialogs::player
