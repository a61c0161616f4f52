// The console player (sonvia-cli play, and sonvia with files), run as a user would: without a
// terminal, on a pseudo-terminal with keys and Ctrl-C, and through ALSA into its file plugin.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/wavefile/WaveFileWriter.h"
#include "tests/s/sound/SoundFixtures.h"
#include "tests/s/system/audio/CliRun.h"
#include "tests/s/system/audio/TestSource.h"
#include "tests/support/Signals.h"
#include "tests/support/TempDir.h"

using namespace enginetest;
using namespace testing_support;
using Clock = std::chrono::steady_clock;

namespace {

double secondsSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// One status line: "NAME  M:SS / M:SS  PCT%  DEVICE  vol V.VV[  [paused]]", ended by
// "erase to end of line".
struct Status {
  std::string name, total, device, volume;
  int percent = -1;
  bool paused = false;
};

bool parseStatus(const std::string& line, Status* out) {
  const auto end = line.find("\x1b[K");
  if (end == std::string::npos) return false;
  const std::string text = line.substr(0, end);
  const auto slash = text.find(" / ");
  const auto pct = text.find('%', slash == std::string::npos ? 0 : slash);
  const auto vol = text.find("  vol ", pct == std::string::npos ? 0 : pct);
  if (slash == std::string::npos || pct == std::string::npos || vol == std::string::npos) return false;
  const auto nameEnd = text.rfind("  ", slash);
  if (nameEnd == std::string::npos) return false;
  out->name = text.substr(0, nameEnd);
  const auto totalEnd = text.find(' ', slash + 3);
  out->total = text.substr(slash + 3, totalEnd - slash - 3);
  auto digits = pct;
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(text[digits - 1]))) --digits;
  if (digits == pct) return false;
  out->percent = std::stoi(text.substr(digits, pct - digits));
  out->device = text.substr(pct + 3, vol - pct - 3);
  out->volume = text.substr(vol + 6, 4);
  out->paused = text.find("[paused]", vol) != std::string::npos;
  return true;
}

bool lastStatus(const std::string& text, Status* out) {
  std::size_t end = text.size();
  while (end > 0) {
    const auto start = text.rfind('\r', end - 1);
    const std::size_t from = start == std::string::npos ? 0 : start + 1;
    if (parseStatus(text.substr(from, end - from), out)) return true;
    if (start == std::string::npos) break;
    end = start;
  }
  return false;
}

// The console player on a pseudo-terminal, as in a terminal window.
class PtyPlayer {
 public:
  explicit PtyPlayer(const std::vector<std::string>& args) {
    struct winsize size = {24, 160, 0, 0};
    pid_ = forkpty(&master_, nullptr, nullptr, &size);
    if (pid_ == 0) {
      std::vector<char*> argv;
      argv.push_back(const_cast<char*>(SONVIA_CLI_PATH));
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(SONVIA_CLI_PATH, argv.data());
      _exit(127);
    }
  }
  ~PtyPlayer() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
  }
  bool started() const { return pid_ > 0; }
  void send(const std::string& keys) { (void)!write(master_, keys.data(), keys.size()); }
  // Reads output until the last status line after `from` satisfies `wanted`; false after `ms`.
  bool waitFor(const std::function<bool(const Status&)>& wanted, int ms, std::size_t from, Status* seen = nullptr) {
    const auto until = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
      Status status;
      if (lastStatus(output_.substr(std::min(from, output_.size())), &status) && wanted(status)) {
        if (seen) *seen = status;
        return true;
      }
      if (Clock::now() > until || !pump(50)) return false;
    }
  }
  std::size_t mark() const { return output_.size(); }
  // Waits for the program's end; its exit status, or -1 after `ms`.
  int waitExit(int ms) {
    const auto until = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < until) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      pump(10);
    }
    return -1;
  }
  bool terminalIsCooked() const {
    struct termios t;
    return tcgetattr(master_, &t) == 0 && (t.c_lflag & ICANON) && (t.c_lflag & ECHO);
  }
  const std::string& output() const { return output_; }

 private:
  bool pump(int ms) {
    struct pollfd p = {master_, POLLIN, 0};
    if (poll(&p, 1, ms) > 0) {
      char buffer[4096];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n <= 0) return false;
      output_.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
  }

  int master_ = -1;
  pid_t pid_ = -1;
  bool exited_ = false;
  std::string output_;
};


}  // namespace

TEST(PlayCli, PlaysOnNullInRealTimeSkippingWhatIsNotASong) {
  TempDir dir;
  const std::string tone = dir.file("tone.wav"), text = dir.file("text.mp3");
  ASSERT_TRUE(writeWave16(tone, sine16(440, 1.5, 22050, 2), 22050, 2));
  writeBytes(text, std::vector<uint8_t>(500, 'x'));
  const auto began = Clock::now();
  auto r = cli("play --device null " + q(text) + " " + q(dir.file("missing.wav")) + " " + q(tone));
  const double took = secondsSince(began);
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("skipping " + text), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("skipping " + dir.file("missing.wav")), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Finished tone.wav"), std::string::npos) << r.out;
  EXPECT_GE(took, 1.45);
  EXPECT_LT(took, 5.0);  // 1.5 s, the drain and the start-up, on a busy machine

  // The program itself, given files and no display, runs the same player.
  auto app = runProgram(SONVIA_APP_PATH, "--device null " + q(tone), "env -u DISPLAY -u WAYLAND_DISPLAY");
  EXPECT_EQ(app.status, 0) << app.out;
  EXPECT_NE(app.out.find("Playing tone.wav (0:01) on "), std::string::npos) << app.out;

  EXPECT_EQ(cli("play").status, 2);
  EXPECT_EQ(cli("play --device").status, 2);
  EXPECT_EQ(cli("play --volume loud " + q(tone)).status, 2);
  auto noDevice = cli("play --device " + q("file:" + dir.file("none/x.wav")) + " " + q(tone));
  EXPECT_EQ(noDevice.status, 1);
  EXPECT_NE(noDevice.out.find("cannot write " + dir.file("none/x.wav")), std::string::npos) << noDevice.out;
}

// Given another player's list, the console player plays the songs it names in the list's order;
// `sonvia` with the list does the same.
TEST(PlayCli, AnotherPlayersListPlaysItsSongsInOrder) {
  TempDir dir;
  for (const char* name : {"one.wav", "two.wav"})
    ASSERT_TRUE(writeWave16(dir.file(name), sine16(440, 0.2, 8000, 1), 8000, 1));
  const std::string list = dir.file("list.m3u");
  std::ofstream(list) << "#EXTM3U\ntwo.wav\nhttp://radio.example/live\none.wav\n";
  for (const std::string& program : {std::string(SONVIA_CLI_PATH) + " play", std::string(SONVIA_APP_PATH)}) {
    SCOPED_TRACE(program);
    auto r = runProgram(program, "--device null " + q(list), "env -u DISPLAY -u WAYLAND_DISPLAY");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find(list + ": skipped 1 web address"), std::string::npos) << r.out;
    const auto two = r.out.find("Finished two.wav"), one = r.out.find("Finished one.wav");
    EXPECT_NE(two, std::string::npos) << r.out;
    EXPECT_NE(one, std::string::npos) << r.out;
    EXPECT_LT(two, one) << r.out;
  }
  auto none = cli("play --device null " + q(dir.file("none.pls")));
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.out.find("skipping " + dir.file("none.pls") + ": cannot be read"), std::string::npos)
      << none.out;
  EXPECT_NE(none.out.find("nothing to play"), std::string::npos) << none.out;
}

TEST(PlayCli, OnATerminalKeysPauseAndSeekAndCtrlCStopsAtOnceRestoringTheTerminal) {
  TempDir dir;
  const std::string tone = dir.file("long.wav");
  ASSERT_TRUE(writeWave16(tone, sine16(440, 20, 44100, 2), 44100, 2));
  PtyPlayer player({"play", "--device", "null", tone});
  ASSERT_TRUE(player.started());
  Status seen;
  ASSERT_TRUE(player.waitFor([](const Status& s) { return s.name == "long.wav" && s.total == "0:20"; }, 5000, 0, &seen))
      << player.output();
  EXPECT_FALSE(seen.device.empty());
  EXPECT_EQ(seen.volume, "1.00");
  EXPECT_FALSE(player.terminalIsCooked());

  player.send(" ");
  auto paused = [](const Status& s) { return s.paused; };
  ASSERT_TRUE(player.waitFor(paused, 2000, player.mark())) << player.output();
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  ASSERT_TRUE(player.waitFor(paused, 2000, player.mark(), &seen));
  const int held = seen.percent;
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  ASSERT_TRUE(player.waitFor(paused, 2000, player.mark(), &seen));
  EXPECT_EQ(seen.percent, held);

  player.send("\x1b[C");  // right: 5 % on, still paused
  // The source lands on a whole sample frame at or before the new position.
  EXPECT_TRUE(player.waitFor([&](const Status& s) { return s.paused && (s.percent == held + 5 || s.percent == held + 4); },
                             2000, player.mark()))
      << player.output();

  player.send(" \x1b[B");  // resume, volume down
  EXPECT_TRUE(player.waitFor([](const Status& s) { return !s.paused && s.volume == "0.95"; }, 2000, player.mark()))
      << player.output();

  const auto interrupted = Clock::now();
  player.send("\x03");
  EXPECT_EQ(player.waitExit(3000), 130) << player.output();
  EXPECT_LT(secondsSince(interrupted), 1.0);
  EXPECT_TRUE(player.terminalIsCooked());
}

TEST(PlayCli, QuitAndNextKeysEndTheSongsEarly) {
  TempDir dir;
  const std::string a = dir.file("a.wav"), b = dir.file("b.wav");
  ASSERT_TRUE(writeWave16(a, sine16(440, 20, 44100, 2), 44100, 2));
  ASSERT_TRUE(writeWave16(b, sine16(660, 20, 44100, 2), 44100, 2));
  PtyPlayer player({"play", "--device", "null", a, b, a});
  ASSERT_TRUE(player.waitFor([](const Status& s) { return s.name == "a.wav"; }, 5000, 0)) << player.output();
  player.send("n");
  ASSERT_TRUE(player.waitFor([](const Status& s) { return s.name == "b.wav"; }, 3000, player.mark())) << player.output();
  const auto quitting = Clock::now();
  player.send("q");
  EXPECT_EQ(player.waitExit(3000), 0) << player.output();
  EXPECT_LT(secondsSince(quitting), 2.0);
  EXPECT_TRUE(player.terminalIsCooked());
}

// Through the ALSA output, into ALSA's own file plugin configured by the test.
TEST(PlayCli, SamplesArriveIntactThroughAlsa) {
  TempDir dir;
  const std::string conf = dir.file("asound.conf"), raw = dir.file("captured.raw"), tone = dir.file("in.wav");
  std::ofstream(conf) << "pcm.!default { type file slave.pcm \"sonvia_sink\" file \"" + raw +
                             "\" format \"raw\" }\npcm.sonvia_sink { type null }\n";
  const auto pcm = pattern(22050 * 4 / 2 + 8, 21);  // half a second and two frames
  platform::wavefile::WaveFileWriter w;
  ASSERT_TRUE(w.open(tone, 22050, 2, 16) && w.write(pcm.data(), pcm.size()) && w.close());
  auto r = cli("play --device default " + q(tone), "ALSA_CONFIG_PATH=" + q(conf) + " SONVIA_AUDIO_DEVICE=");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(readBytes(raw) == pcm);
}
