// The player driven by the desktop's media controls: a real sonvia on an X display and a
// session bus of the test's own, worked with playerctl as a panel or the media keys would.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "s/reg/MappedData.h"
#include "tests/platform/ui/desktop/DesktopSession.h"
#include "tests/support/Signals.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
using namespace desktoptest;
namespace fs = std::filesystem;

// What `playerctl -p sonvia ARGS` prints, trailing white space removed.
std::string playerctl(const std::string& args) {
  std::string out;
  if (FILE* pipe = popen(("playerctl -p sonvia " + args + " 2>/dev/null").c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  while (!out.empty() && std::isspace(static_cast<unsigned char>(out.back()))) out.pop_back();
  return out;
}

bool answers(const std::string& args, const std::string& expected) {
  return waitFor([&] { return playerctl(args) == expected; }, 10s);
}

class MprisEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v Xvfb >/dev/null && command -v playerctl >/dev/null && command -v dbus-daemon >/dev/null") != 0)
      GTEST_SKIP() << "needs Xvfb, playerctl and dbus-daemon (scripts/setup installs them)";
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    if (bus.address().empty()) GTEST_SKIP() << "no session bus could be started";
    config.set(dir.file("config"));
    music.set(dir.file("music"));
    runtime.set(dir.file("runtime"));
    fs::create_directories(dir.file("runtime"));
    fs::permissions(dir.file("runtime"), fs::perms::owner_all);
    device.set("null");
    backend.set("gtk");
  }
  void TearDown() override {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
  bool start(std::vector<std::string> argv) {
    argv.insert(argv.begin(), SONVIA_APP_PATH);
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    return posix_spawn(&pid, SONVIA_APP_PATH, nullptr, nullptr, args.data(), environ) == 0;
  }
  std::string song(const std::string& name, double seconds) {
    const std::string path = dir.file(name);
    EXPECT_TRUE(testing_support::writeWave16(path, testing_support::sine16(440, seconds, 8000, 1), 8000, 1));
    return path;
  }

  PrivateDisplay display;
  WindowManager manager;
  SessionBus bus;
  testing_support::TempDir dir;
  ScopedEnv config{"XDG_CONFIG_HOME"}, music{"XDG_MUSIC_DIR"}, runtime{"XDG_RUNTIME_DIR"};
  ScopedEnv device{"SONVIA_AUDIO_DEVICE"}, backend{"SONVIA_UI"};
  pid_t pid = -1;
};

TEST_F(MprisEndToEndTest, TheMediaControlsShowTheSongAndDriveThePlayerAndQuitSavesTheLists) {
  const std::string first = song("first.wav", 30.0);
  const std::string second = song("second.wav", 30.0);
  ASSERT_TRUE(start({first}));
  ASSERT_TRUE(answers("status", "Playing")) << "the player is not on the bus";

  // The song playing, with its length in microseconds and its address.
  EXPECT_EQ(playerctl("metadata xesam:title"), "first");
  EXPECT_EQ(playerctl("metadata mpris:length"), "30000000");
  EXPECT_EQ(playerctl("metadata xesam:url"), "file://" + first);
  EXPECT_EQ(playerctl("-l"), "sonvia");

  // Play-pause twice: paused, then playing on.
  playerctl("play-pause");
  EXPECT_TRUE(answers("status", "Paused"));
  playerctl("play-pause");
  EXPECT_TRUE(answers("status", "Playing"));

  // A jump to ten seconds: the song goes on from there.
  playerctl("position 10");
  EXPECT_TRUE(waitFor([] {
    const std::string at = playerctl("position");
    return !at.empty() && std::stod(at) >= 10.0 && std::stod(at) < 20.0;
  }, 10s)) << playerctl("position");

  // The play order switches, read back from the player.
  playerctl("loop Track");
  EXPECT_TRUE(answers("loop", "Track"));
  playerctl("loop Playlist");
  EXPECT_TRUE(answers("loop", "Playlist"));
  playerctl("loop None");
  EXPECT_TRUE(answers("loop", "None"));
  playerctl("shuffle On");
  EXPECT_TRUE(answers("shuffle", "On"));
  playerctl("shuffle Off");
  EXPECT_TRUE(answers("shuffle", "Off"));
  playerctl("volume 0.3");
  EXPECT_TRUE(answers("volume", "0.300000"));

  // A song opened through the controls joins the list and plays; "next" past the end of the list
  // starts it again from the top when the whole list repeats.
  playerctl("open file://" + second);
  EXPECT_TRUE(answers("metadata xesam:title", "second"));
  playerctl("loop Playlist");
  ASSERT_TRUE(answers("loop", "Playlist"));
  playerctl("next");
  EXPECT_TRUE(answers("metadata xesam:title", "first"));
  playerctl("next");
  EXPECT_TRUE(answers("metadata xesam:title", "second"));
  playerctl("stop");
  EXPECT_TRUE(answers("status", "Stopped"));

  // Quit is the window's close: the program ends and the list holds both songs.
  // (playerctl has no quit; a panel calls the method itself.)
  ASSERT_EQ(std::system("gdbus call --session -d org.mpris.MediaPlayer2.sonvia -o /org/mpris/MediaPlayer2 "
                        "-m org.mpris.MediaPlayer2.Quit >/dev/null"), 0);
  int status = 0;
  ASSERT_TRUE(waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 15s)) << "Quit did not close it";
  pid = -1;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  auto* settings = s::reg::openRegistryStore(u"Software\\Pruv\\Pruv Sonvia\\SaveData");
  const std::string list = platform::text::fileNameFromUtf16(settings->getString(u"PlayLists", u"_0", u""));
  // What the controls switched is kept as the window's own commands keep it.
  EXPECT_TRUE(settings->getBool(u"MainWindow\\PlayOrder", u"RepeatList", false));
  EXPECT_FALSE(settings->getBool(u"MainWindow\\PlayOrder", u"ShuffleList", true));
  EXPECT_EQ(settings->getS32(u"MainWindow\\Volume", u"", 0), 30);
  settings->release();
  std::ifstream saved(list);
  const std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("first.wav"), std::string::npos) << text;
  EXPECT_NE(text.find("second.wav"), std::string::npos) << text;
}

}  // namespace
