// The media-controls service on a session bus of the test's own, with a player that records
// what it is asked: names, the protocol's rules for seeking, and settable properties.
#include "platform/desktop/MprisService.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "tests/platform/ui/desktop/DesktopSession.h"
#include "tests/support/TempDir.h"

namespace {

using namespace desktoptest;
using platform::desktop::MprisService;
using platform::desktop::MprisSnapshot;

class RecordingPlayer : public platform::desktop::MprisPlayer {
 public:
  MprisSnapshot snapshot;
  MprisSnapshot mprisSnapshot() override {
    std::lock_guard<std::mutex> hold(lock);
    return snapshot;
  }
  void raise() override { note("raise"); }
  void quit() override { note("quit"); }
  void play() override { note("play"); }
  void pause() override { note("pause"); }
  void playPause() override { note("playPause"); }
  void stop() override { note("stop"); }
  void next() override { note("next"); }
  void previous() override { note("previous"); }
  void seekTo(int64_t us) override { note("seekTo " + std::to_string(us)); }
  void openUri(const std::string& uri) override { note("openUri " + uri); }
  void setLoop(MprisSnapshot::Loop loop) override { note("loop " + std::to_string(static_cast<int>(loop))); }
  void setShuffle(bool on) override { note(on ? "shuffle on" : "shuffle off"); }
  void setVolume(double v) override { note("volume " + std::to_string(static_cast<int>(v * 100))); }
  std::vector<std::string> calls() {
    std::lock_guard<std::mutex> hold(lock);
    return calls_;
  }

 private:
  void note(const std::string& call) {
    std::lock_guard<std::mutex> hold(lock);
    calls_.push_back(call);
  }
  std::mutex lock;
  std::vector<std::string> calls_;
};

// `gdbus call` on the test's bus; true when the call was answered without an error.
bool call(const std::string& dest, const std::string& method, const std::string& args = "") {
  const std::string command = "gdbus call --session -d " + dest + " -o /org/mpris/MediaPlayer2 -m " + method +
                              " " + args + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

bool setProperty(const std::string& dest, const std::string& name, const std::string& value) {
  return call(dest, "org.freedesktop.DBus.Properties.Set", "org.mpris.MediaPlayer2.Player " + name + " \"" + value + "\"");
}

TEST(MprisService, WithoutASessionBusItDoesNothing) {
  testing_support::TempDir dir;
  ScopedEnv address{"DBUS_SESSION_BUS_ADDRESS"}, runtime{"XDG_RUNTIME_DIR"};
  address.unset();
  runtime.set(dir.path());
  RecordingPlayer player;
  MprisService service(player, "sonviatest");
  EXPECT_FALSE(service.connected());
  service.changed(MprisSnapshot{});
  service.seeked(5);
  EXPECT_TRUE(player.calls().empty());
}

class MprisServiceBus : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v dbus-daemon >/dev/null && command -v gdbus >/dev/null") != 0 || bus.address().empty())
      GTEST_SKIP() << "needs dbus-daemon and gdbus";
    player.snapshot.hasSong = true;
    player.snapshot.songId = 7;
    player.snapshot.lengthUs = 30'000'000;
    player.snapshot.positionUs = 10'000'000;
  }
  SessionBus bus;
  RecordingPlayer player;
};

TEST_F(MprisServiceBus, ASecondPlayerTakesTheNameWithItsInstanceSuffix) {
  MprisService first(player, "sonviatest");
  RecordingPlayer other;
  MprisService second(other, "sonviatest");
  ASSERT_TRUE(first.connected());
  EXPECT_EQ(first.busName(), "org.mpris.MediaPlayer2.sonviatest");
  EXPECT_EQ(second.busName(), "org.mpris.MediaPlayer2.sonviatest.instance" + std::to_string(getpid()));
  EXPECT_TRUE(call(second.busName(), "org.mpris.MediaPlayer2.Raise"));
  EXPECT_EQ(other.calls(), std::vector<std::string>{"raise"});
  EXPECT_TRUE(player.calls().empty());
}

TEST_F(MprisServiceBus, MethodsAndPropertiesReachThePlayerByTheProtocolsRules) {
  MprisService service(player, "sonviatest");
  const std::string dest = service.busName();
  ASSERT_FALSE(dest.empty());
  struct Case {
    std::string method, args, expected;  // expected "" = the player is not asked anything
  };
  const Case cases[] = {
      {"org.mpris.MediaPlayer2.Player.PlayPause", "", "playPause"},
      {"org.mpris.MediaPlayer2.Player.Seek", "5000000", "seekTo 15000000"},
      // Back past the start: the start.
      {"org.mpris.MediaPlayer2.Player.Seek", "-- -20000000", "seekTo 0"},
      // Past the end: the next song.
      {"org.mpris.MediaPlayer2.Player.Seek", "25000000", "next"},
      {"org.mpris.MediaPlayer2.Player.SetPosition", "/org/sonvia/song/7 2000000", "seekTo 2000000"},
      // A track id of a song no longer playing, or a place outside the song: ignored.
      {"org.mpris.MediaPlayer2.Player.SetPosition", "/org/sonvia/song/6 2000000", ""},
      {"org.mpris.MediaPlayer2.Player.SetPosition", "/org/sonvia/song/7 31000000", ""},
      {"org.mpris.MediaPlayer2.Player.OpenUri", "file:///music/a.wav", "openUri file:///music/a.wav"},
      {"org.mpris.MediaPlayer2.Quit", "", "quit"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method + " " + c.args);
    const std::size_t before = player.calls().size();
    EXPECT_TRUE(call(dest, c.method, c.args));
    // Quit is answered before it is carried out.
    if (c.expected.empty()) EXPECT_EQ(player.calls().size(), before);
    else EXPECT_TRUE(waitFor([&] { return player.calls().size() > before && player.calls().back() == c.expected; }))
        << (player.calls().size() > before ? player.calls().back() : "nothing");
  }

  const Case settings[] = {
      {"LoopStatus", "<'Track'>", "loop 1"},
      {"LoopStatus", "<'Playlist'>", "loop 2"},
      {"LoopStatus", "<'None'>", "loop 0"},
      {"Shuffle", "<true>", "shuffle on"},
      // Out of range is brought into it.
      {"Volume", "<1.7>", "volume 100"},
  };
  for (const Case& c : settings) {
    SCOPED_TRACE(c.method + " " + c.args);
    EXPECT_TRUE(setProperty(dest, c.method, c.args));
    EXPECT_EQ(player.calls().back(), c.expected);
  }
  // Read-only properties refuse to be set.
  EXPECT_FALSE(setProperty(dest, "PlaybackStatus", "<'Playing'>"));
}

}  // namespace
