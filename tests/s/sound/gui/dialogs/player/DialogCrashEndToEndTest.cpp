// The player killed while its list is being changed: a real sonvia on an X display of the test's
// own takes songs from later starts (the hand-over) and is killed with SIGKILL at random moments.
// After every kill the list file is whole and holds every song handed over more than two
// seconds before; the next start picks the list up from there.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "tests/platform/ui/desktop/DesktopSession.h"
#include "tests/s/sound/gui/dialogs/player/PlayListFixtures.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
using namespace desktoptest;
using namespace playlist_test;
using s::sound::gui::dialogs::player::PlayListFile;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

pid_t spawnSonvia(const std::vector<std::string>& files) {
  std::vector<std::string> argv{SONVIA_APP_PATH};
  argv.insert(argv.end(), files.begin(), files.end());
  std::vector<char*> args;
  for (auto& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  pid_t pid = -1;
  return posix_spawn(&pid, SONVIA_APP_PATH, nullptr, nullptr, args.data(), environ) == 0 ? pid : -1;
}

// Whether the process ended with status 0 within `bound`. It is killed when it did not end, or
// as soon as `stop` is set: a later start whose player was killed under it would otherwise
// become the player itself.
bool exitsCleanly(pid_t pid, std::chrono::milliseconds bound, const std::atomic<bool>& stop) {
  int status = 0;
  if (!waitFor([&] { return stop || waitpid(pid, &status, WNOHANG) == pid; }, bound) || stop) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class DialogCrashEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v openbox >/dev/null") != 0)
      GTEST_SKIP() << "needs Xvfb, xdotool and openbox (scripts/setup installs them)";
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    config.set(dir.file("config"));
    music.set(dir.file("music"));
    runtime.set(dir.file("runtime"));
    fs::create_directories(dir.file("runtime"));
    fs::permissions(dir.file("runtime"), fs::perms::owner_all);
    device.set("null");
    backend.set("gtk");
  }

  PrivateDisplay display;
  WindowManager manager;
  SessionBus bus;
  testing_support::TempDir dir;
  ScopedEnv config{"XDG_CONFIG_HOME"}, music{"XDG_MUSIC_DIR"}, runtime{"XDG_RUNTIME_DIR"};
  ScopedEnv device{"SONVIA_AUDIO_DEVICE"}, backend{"SONVIA_UI"};
};

TEST_F(DialogCrashEndToEndTest, KilledWhileSongsArriveTheListFileIsWholeAndHoldsAllButTheLastMoments) {
  const std::string listPath = dir.file("music/Pruv Sonvia/DefaultPlayList.mpl");
  std::mt19937 random(20261211);
  // When each song's later start came back having handed it over: from then on it is in the list.
  std::map<std::string, Clock::time_point> handedOver;
  int songNumber = 0;
  constexpr int kRounds = 10;
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const pid_t player = spawnSonvia({});
    ASSERT_GT(player, 0);
    // Ended however the round ends, so that no player outlives a failed assertion.
    struct Reaper {
      pid_t pid;
      ~Reaper() {
        if (pid > 0 && kill(pid, SIGKILL) == 0) waitpid(pid, nullptr, 0);
      }
    } reaper{player};
    // A later start made before the window is up would become the player itself.
    ASSERT_TRUE(waitFor([] { return std::system("xdotool search --onlyvisible --name '^Pruv Sonvia$' >/dev/null 2>&1") == 0; }, 30s))
        << "the player's window did not come up";
    std::atomic<bool> killed{false};
    std::jthread killer;  // joined however the round ends
    Clock::time_point killedAt{};
    const auto begun = Clock::now();
    while (!killed && Clock::now() - begun < 40s) {
      const std::string song = dir.file("songs/" + std::to_string(++songNumber) + ".wav");
      ASSERT_TRUE(makeSong(song));
      const pid_t later = spawnSonvia({song});
      ASSERT_GT(later, 0);
      if (exitsCleanly(later, 10s, killed)) handedOver[fs::path(song).filename().string()] = Clock::now();
      if (handedOver.empty() || killer.joinable()) continue;
      // Between half a second and four seconds after the player is seen to take songs.
      const auto delay = std::chrono::milliseconds(500 + random() % 3500);
      killer = std::jthread([&, delay] {
        std::this_thread::sleep_for(delay);
        killedAt = Clock::now();
        kill(player, SIGKILL);
        killed = true;
        waitpid(player, nullptr, 0);
      });
    }
    ASSERT_TRUE(killer.joinable()) << "the player never took a song";
    killer.join();
    reaper.pid = -1;  // reaped by the killer

    // A save cut short leaves its staged file beside the list, never a torn list.
    if (!fs::exists(listPath)) {
      for (const auto& [name, when] : handedOver) EXPECT_LT(killedAt - when, 2s) << name << " was lost";
      handedOver.clear();
      continue;
    }
    PooledList list;
    const PlayListFile::LoadResult read = PlayListFile::loadList(list.list, wide(listPath), nullptr);
    ASSERT_EQ(read.status, PlayListFile::LoadResult::kLoaded) << read.reason;
    std::vector<std::string> held;
    for (const std::string& path : paths(*list)) held.push_back(fs::path(path).filename().string());
    for (const auto& [name, when] : handedOver)
      if (killedAt - when > 2s)
        EXPECT_NE(std::find(held.begin(), held.end(), name), held.end())
            << name << " was lost; the list holds " << held.size() << " songs";
    // What the kill took in its last moments is gone for good; the rest must stay from now on.
    std::erase_if(handedOver, [&](const auto& song) {
      return std::find(held.begin(), held.end(), song.first) == held.end();
    });
  }
}

}  // namespace
