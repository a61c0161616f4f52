// The player as a user meets it: sonvia started on a song on an X display of the test's own with
// a window manager, worked with the pointer (xdotool) and closed with its close button. The
// sound goes to a WAVE file; the settings hive and the play list file are read afterwards.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/text/Utf.h"
#include "s/reg/MappedData.h"
#include "s/sound/gui/dialogs/player/ViewSettings.h"
#include "tests/platform/ui/desktop/DesktopSession.h"
#include "tests/support/Signals.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
using namespace desktoptest;
using s::sound::gui::dialogs::player::ViewSettings;
namespace fs = std::filesystem;

// The output of a shell command, trailing white space removed.
std::string output(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  while (!out.empty() && std::isspace(static_cast<unsigned char>(out.back()))) out.pop_back();
  return out;
}

// The id of the first visible window with exactly this title, or "".
std::string windowNamed(const std::string& title) {
  const std::string ids = output("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null");
  return ids.substr(0, ids.find('\n'));
}

std::uintmax_t sizeOf(const std::string& path) {
  std::error_code ignored;
  const auto n = fs::file_size(path, ignored);
  return ignored ? 0 : n;
}

// The largest sample magnitude of a 16-bit WAVE file's data (the header is 44 bytes).
int loudest(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(44);
  int most = 0;
  int16_t sample = 0;
  while (in.read(reinterpret_cast<char*>(&sample), 2)) most = std::max(most, std::abs(static_cast<int>(sample)));
  return most;
}

class DialogEndToEndTest : public ::testing::Test {
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
    device.set("file:" + dir.file("out.wav"));
    backend.set("gtk");
  }
  void TearDown() override {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
  bool start(const std::vector<std::string>& files) {
    std::vector<std::string> argv{SONVIA_APP_PATH};
    argv.insert(argv.end(), files.begin(), files.end());
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    return posix_spawn(&pid, SONVIA_APP_PATH, nullptr, nullptr, args.data(), environ) == 0;
  }
  // The exit status once the program ended within `bound`; -1 otherwise.
  int waitForExit(std::chrono::milliseconds bound) {
    int status = 0;
    if (!waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, bound)) return -1;
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // A left click at (x, y) of the window's client area. (xdotool's --sync would wait for a
  // pointer that is already there to move.)
  void clickAt(const std::string& window, int x, int y) {
    xdotool("mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
            " sleep 0.2 click 1");
  }

  PrivateDisplay display;
  WindowManager manager;
  SessionBus bus;
  testing_support::TempDir dir;
  ScopedEnv config{"XDG_CONFIG_HOME"}, music{"XDG_MUSIC_DIR"}, runtime{"XDG_RUNTIME_DIR"};
  ScopedEnv device{"SONVIA_AUDIO_DEVICE"}, backend{"SONVIA_UI"};
  pid_t pid = -1;
};

TEST_F(DialogEndToEndTest, ASongIsPlayedPausedMovedOnAndTheWindowRemembersItsPlaceAndList) {
  // 24 seconds of a tone: long enough that only the seek lets it end within the test.
  const std::string song = dir.file("song.wav");
  ASSERT_TRUE(testing_support::writeWave16(song, testing_support::sine16(440, 24.0, 8000, 1), 8000, 1));
  const std::string out = dir.file("out.wav");
  ASSERT_TRUE(start({song}));

  // The start song plays at once: the window takes its title.
  std::string window;
  ASSERT_TRUE(waitFor([&] { return !(window = windowNamed("song")).empty(); }, 20s)) << "no playing window";
  ASSERT_TRUE(waitFor([&] { return sizeOf(out) > 8000; }, 10s)) << "no sound reaches the device";

  // The play button pauses: the device is given nothing more.
  clickAt(window, 58 + 9, 4 + 9);
  std::this_thread::sleep_for(300ms);  // what was queued before the pause drains
  const auto paused = sizeOf(out);
  std::this_thread::sleep_for(800ms);
  EXPECT_LE(sizeOf(out), paused + 8000 / 4) << "audio went on while paused";
  // ... and plays on.
  clickAt(window, 58 + 9, 4 + 9);
  ASSERT_TRUE(waitFor([&] { return sizeOf(out) > paused + 8000; }, 5s)) << "did not resume";

  // A click near the end of the position slider: the song jumps there and ends soon after.
  const auto seeking = std::chrono::steady_clock::now();
  clickAt(window, 240, 4 + 18 + 3 + 7);
  ASSERT_TRUE(waitFor([&] { return !windowNamed("Pruv Sonvia").empty(); }, 30s)) << "the song did not end";
  // Well before the twenty seconds the song had left.
  EXPECT_LT(std::chrono::steady_clock::now() - seeking, 12s);
  const auto written = sizeOf(out) - 44;
  EXPECT_LT(written, 24u * 8000 * 2 * 3 / 4) << "the seek did not skip the song's middle";
  EXPECT_GT(loudest(out), 1000) << "silence";

  // The close button.
  clickAt(window, 350 - 4 - 9, 4 + 9);
  EXPECT_EQ(waitForExit(15s), 0);

  auto* settings = s::reg::openRegistryStore(u"Software\\Pruv\\Pruv Sonvia\\SaveData");
  EXPECT_TRUE(settings->hasValue(u"MainWindow\\View", u"X"));
  EXPECT_TRUE(settings->hasValue(u"MainWindow\\View", u"Y"));
  EXPECT_EQ(settings->getS32(ViewSettings::kLargeWidth, u"", 0), 350);
  EXPECT_EQ(settings->getS32(ViewSettings::kLargeHeight, u"", 0), 280);
  EXPECT_EQ(settings->getS32(u"PlayLists", u"NumOfPlayLists", 0), 1);
  const std::string list = platform::text::fileNameFromUtf16(settings->getString(u"PlayLists", u"_0", u""));
  settings->release();
  EXPECT_EQ(list, dir.file("music/Pruv Sonvia/DefaultPlayList.mpl"));
  std::ifstream saved(list);
  const std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("song.wav"), std::string::npos) << text;
}

}  // namespace
