#include "s/app/console/ConsolePlayer.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <thread>

#include "platform/text/Utf.h"
#include "s/app/console/Terminal.h"
#include "s/file/win/PathWin.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/gui/dialogs/player/ForeignListFile.h"
#include "s/system/audio/win/Device.h"
#include "s/system/audio/win/DeviceList.h"
#include "s/system/audio/win/Player.h"
#include "s/thread/Pooled.h"

namespace s::app::console {

namespace {

using s::system::audio::win::Device;
using s::system::audio::win::DeviceList;
using s::system::audio::win::Player;

constexpr int kPollMs = 20;
constexpr int kStatusEveryMs = 200;
constexpr float kSeekStep = 5.0f;
constexpr float kVolumeStep = 0.05f;
constexpr float kMaxVolume = 2.0f;

// Written by the engine's play thread once per chunk, read by the console loop.
struct Position {
  std::atomic<double> percent{0};
  static int32_t callback(const int16_t*, uint32_t, double percent, void* user) {
    static_cast<Position*>(user)->percent.store(percent);
    return 0;
  }
};

std::string clock(int64_t ms) {
  if (ms < 0) ms = 0;
  const int64_t s = ms / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(s / 60), static_cast<long long>(s % 60));
  return text;
}

std::string baseName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string ConsolePlayer::usage() {
  std::string text =
      "play FILE... [--device NAME] [--effect NAME] [--pitch N] [--volume V]\n"
      "    plays the files in order; keys: space pause/resume, left/right seek 5 %, up/down volume,\n"
      "      n next, q quit\n"
      "     --device NAME: a device name or product name from the list, null, file:PATH\n";
  for (const char* line : EngineOptions::kUsageLines) text += std::string("   ") + line + "\n";
  text.pop_back();
  return text;
}

bool ConsolePlayer::parse(int argc, char** argv, std::string& error) {
  for (int i = 0; i < argc; ++i) {
    if (options_.take(argc, argv, i, error)) {
      if (!error.empty()) return false;
      continue;
    }
    const std::string arg = argv[i];
    if (arg == "--device") {
      if (i + 1 >= argc || !*argv[i + 1]) {
        error = "--device needs a device name";
        return false;
      }
      device_ = argv[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    } else {
      files_.push_back(arg);
    }
  }
  if (files_.empty()) error = "give at least one song file";
  return error.empty();
}

bool ConsolePlayer::expandLists(const char* programName) {
  using s::sound::gui::dialogs::player::ForeignListFile;
  bool allRead = true;
  std::vector<std::string> files;
  for (std::string& file : files_) {
    const std::u16string path =
        s::file::win::PathWin::absolute(platform::text::fileNameToUtf16(file));
    if (!ForeignListFile::isListFile(path)) {
      files.push_back(std::move(file));
      continue;
    }
    const ForeignListFile::Result list = ForeignListFile::read(path, true);
    if (!list.opened) {
      std::fprintf(stderr, "%s: skipping %s: %s\n", programName, file.c_str(),
                   list.failure.c_str());
      allRead = false;
      continue;
    }
    for (const std::u16string& song : list.paths)
      files.push_back(platform::text::fileNameFromUtf16(song));
    if (list.skipped() > 0)
      std::fprintf(stderr, "%s: %s: skipped %s\n", programName, file.c_str(),
                   list.skippedText().c_str());
  }
  files_ = std::move(files);
  return allRead;
}

int ConsolePlayer::run(const char* programName) {
  int status = expandLists(programName) ? 0 : 1;
  if (files_.empty()) {
    std::fprintf(stderr, "%s: nothing to play\n", programName);
    return 1;
  }
  // A name that is not in the list is still worth a try: "null", "file:PATH", any ALSA PCM.
  std::unique_ptr<Device> named;
  const Device* device = nullptr;
  if (!device_.empty()) {
    device = DeviceList::find(device_);
    if (!device) device = (named = std::make_unique<Device>(-1, device_, device_)).get();
  } else {
    device = DeviceList::output(0);
    const std::string problem = DeviceList::problem();
    if (device && device->getName() == "null" && !problem.empty())
      std::fprintf(stderr, "%s: no sound card can be used (%s); playing silently\n", programName, problem.c_str());
  }
  if (!device) {
    std::fprintf(stderr, "%s: there is no audio device\n", programName);
    return 1;
  }

  Terminal terminal;
  const bool statusInPlace = Terminal::stdoutIsTerminal();
  float volume = options_.volume;
  bool quit = false;
  for (std::size_t song = 0; song < files_.size() && !quit && !Terminal::interrupted(); ++song) {
    const std::string& path = files_[song];
    std::string reason;
    std::shared_ptr<s::sound::IEncodedAudio> source = s::thread::sharePooled(openSong(path, reason));
    if (!source) {
      std::fprintf(stderr, "%s: skipping %s: %s\n", programName, path.c_str(), reason.c_str());
      status = 1;
      continue;
    }
    const int64_t totalMs = source->getDurationMs();
    const int64_t dataSize = source->getDataSize();
    Player* player = Player::create();
    player->setDevice(const_cast<Device*>(device));
    options_.applyTo(*player);
    player->setVolume(volume);
    Position position;
    player->play(source, &Position::callback, &position);
    // The device opens on the engine's thread, within a few seconds at most. A short song on a
    // device that does not keep real time can be over before this looks: only kFailed is an error.
    while (player->state() == s::system::audio::PlayerState::kOpening && !Terminal::interrupted())
      std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    if (player->state() == s::system::audio::PlayerState::kFailed) {
      // The device is the same for every song, so the others would fail alike.
      std::fprintf(stderr, "%s: %s\n", programName, player->lastError().c_str());
      player->release();
      return 1;
    }
    const std::string name = baseName(path);
    if (!statusInPlace) std::printf("Playing %s (%s) on %s\n", name.c_str(), clock(totalMs).c_str(), device->getProductName().c_str());
    std::fflush(stdout);
    int sinceStatus = kStatusEveryMs;
    while (player->isActive()) {
      if (Terminal::interrupted()) {
        player->stop();
        break;
      }
      const Terminal::Key key = terminal.nextKey(kPollMs);
      switch (key) {
        case Terminal::kPauseResume:
          if (player->isPaused()) player->resume();
          else player->pause();
          sinceStatus = kStatusEveryMs;
          break;
        case Terminal::kSeekBack:
        case Terminal::kSeekForward: {
          if (dataSize <= 0) break;
          const double now = static_cast<double>(player->bytesQueued()) * 100.0 / static_cast<double>(dataSize);
          const double target = now + (key == Terminal::kSeekForward ? kSeekStep : -kSeekStep);
          player->seek(static_cast<float>(std::fmin(std::fmax(target, 0.0), 100.0)));
          position.percent.store(static_cast<double>(player->bytesQueued()) * 100.0 / static_cast<double>(dataSize));
          sinceStatus = kStatusEveryMs;
          break;
        }
        case Terminal::kVolumeUp:
        case Terminal::kVolumeDown:
          volume += key == Terminal::kVolumeUp ? kVolumeStep : -kVolumeStep;
          volume = std::fmin(std::fmax(volume, 0.0f), kMaxVolume);
          player->setVolume(volume);
          sinceStatus = kStatusEveryMs;
          break;
        case Terminal::kNext: player->stop(); break;
        case Terminal::kQuit:
          player->stop();
          quit = true;
          break;
        default: break;
      }
      sinceStatus += kPollMs;
      if (statusInPlace && sinceStatus >= kStatusEveryMs) {
        sinceStatus = 0;
        const double percent = position.percent.load();
        const int64_t elapsed = static_cast<int64_t>(std::llround(percent * static_cast<double>(totalMs) / 100.0));
        std::printf("\r%s  %s / %s  %3d%%  %s  vol %.2f%s\x1b[K", name.c_str(), clock(elapsed).c_str(),
                    clock(totalMs).c_str(), static_cast<int>(percent), device->getProductName().c_str(),
                    static_cast<double>(player->getVolume()), player->isPaused() ? "  [paused]" : "");
        std::fflush(stdout);
      }
    }
    const std::string error = player->lastError();
    player->release();
    if (statusInPlace) std::printf("\n");
    else std::printf("Finished %s\n", name.c_str());
    std::fflush(stdout);
    if (!error.empty()) {
      std::fprintf(stderr, "%s: %s\n", programName, error.c_str());
      status = 1;
    }
  }
  if (Terminal::interrupted()) {
    std::printf("Stopped.\n");
    return 130;
  }
  return status;
}

}  // namespace s::app::console
