// The program started as a user (or a file manager) starts it, with private runtime, settings
// and data folders: who becomes the running instance and what reaches it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "s/map/IMappedData.h"
#include "s/reg/MappedData.h"
#include "tests/support/Signals.h"
#include "tests/support/FileText.h"
#include "tests/support/TempDir.h"

using namespace testing_support;
using namespace std::chrono_literals;

namespace {

// A private desktop session for the program: its own runtime, settings and data folders.
struct Session {
  TempDir dir;
  Session() {
    mkdir(dir.file("run").c_str(), 0700);
    mkdir(dir.file("config").c_str(), 0700);
    mkdir(dir.file("data").c_str(), 0700);
  }
  // Starts `sonvia ARGS...` with its output to `outFile`; returns its process id. `env` sets
  // variables for it (an empty value removes the variable). It starts without a display: the
  // console player then answers in text these tests read (the window's side of a hand-over is
  // tested with the window).
  pid_t start(const std::vector<std::string>& args, const std::string& outFile,
              const std::vector<std::pair<std::string, std::string>>& env = {}) const {
    const pid_t pid = fork();
    if (pid == 0) {
      unsetenv("DISPLAY");
      unsetenv("WAYLAND_DISPLAY");
      for (const auto& [name, value] : env)
        value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
      setenv("XDG_RUNTIME_DIR", dir.file("run").c_str(), 1);
      setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
      setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
      setenv("LANGUAGE", "de", 1);
      freopen(outFile.c_str(), "w", stdout);
      dup2(fileno(stdout), 2);
      freopen("/dev/null", "r", stdin);
      std::vector<char*> argv{const_cast<char*>(SONVIA_APP_PATH)};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(SONVIA_APP_PATH, argv.data());
      _exit(127);
    }
    return pid;
  }
  static int wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  int run(const std::vector<std::string>& args, std::string* out = nullptr) const {
    const std::string file = dir.file("out-" + std::to_string(counter++));
    const int status = wait(start(args, file));
    if (out) *out = readText(file);
    return status;
  }
  // Waits until `file` contains `text` (bounded); false when it never did.
  static bool waitForText(const std::string& file, const std::string& text, int times = 1) {
    for (auto end = std::chrono::steady_clock::now() + 60s; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(10ms)) {
      const std::string s = readText(file);
      int found = 0;
      for (auto at = s.find(text); at != std::string::npos; at = s.find(text, at + 1)) ++found;
      if (found >= times) return true;
    }
    return false;
  }
  mutable int counter = 0;
};

// The base names that follow `prefix` at the start of lines, in order.
std::vector<std::string> linesAfter(const std::string& text, const std::string& prefix) {
  std::vector<std::string> names;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(prefix, 0) == 0) names.push_back(line.substr(line.rfind('/') == std::string::npos ? prefix.size() : line.rfind('/') + 1));
  return names;
}

std::string silence(const TempDir& dir, const std::string& name) {
  const std::string path = dir.file(name);
  EXPECT_TRUE(writeWave16(path, std::vector<int16_t>(8000 * 60), 8000, 1));  // 60 s
  return path;
}

}  // namespace

TEST(StartUp, SecondStartHandsItsFileToTheRunningInstanceAndEndsWithZero) {
  Session s;
  const std::string a = silence(s.dir, "a.wav"), b = silence(s.dir, "b b.wav");
  const std::string instanceOut = s.dir.file("instance");
  const pid_t instance = s.start({"--device", "null", a}, instanceOut);
  ASSERT_TRUE(Session::waitForText(instanceOut, "Playing a.wav")) << readText(instanceOut);

  std::string out;
  EXPECT_EQ(s.run({"file://" + s.dir.file("b%20b.wav")}, &out), 0) << out;
  EXPECT_EQ(out, "");
  ASSERT_TRUE(Session::waitForText(instanceOut, "Queued b b.wav")) << readText(instanceOut);
  EXPECT_EQ(s.run({}, &out), 0) << "a start without files only raises the window: " << out;

  // The settings of every start, and the record the last hand-over left.
  setenv("XDG_CONFIG_HOME", s.dir.file("config").c_str(), 1);
  s::map::IMappedData* store = s::reg::openRegistryStore(u"Software\\Pruv\\Pruv Sonvia\\SaveData");
  EXPECT_EQ(std::u16string(store->getString(u"SoftwareID", u"", u"")), u"Pruv Sonvia");
  EXPECT_NE(std::u16string(store->getString(u"Version", u"", u"")), u"");
  EXPECT_EQ(std::u16string(store->getString(u"InterProcess", u"message", u"")), u"StartNew");
  EXPECT_EQ(std::u16string(store->getString(u"InterProcess", u"param1", u"")),
            std::u16string(b.begin(), b.end()));
  store->release();
  unsetenv("XDG_CONFIG_HOME");

  kill(instance, SIGINT);
  EXPECT_EQ(Session::wait(instance), 130);
  EXPECT_NE(readText(instanceOut).find("Not played: " + b), std::string::npos) << readText(instanceOut);
}

TEST(StartUp, TenStartsAtOnceLeaveOneInstanceHoldingAllTenFilesOnce) {
  Session s;
  std::vector<std::string> names;
  for (int i = 0; i < 10; ++i) names.push_back(silence(s.dir, "song" + std::to_string(i) + ".wav"));
  std::vector<pid_t> pids;
  for (int i = 0; i < 10; ++i)
    pids.push_back(s.start({"--device", "null", names[i]}, s.dir.file("out" + std::to_string(i))));

  // Nine hand over and end with 0; the tenth keeps playing.
  std::vector<int> statuses(10, -1);
  int ended = 0;
  for (auto end = std::chrono::steady_clock::now() + 60s; ended < 9 && std::chrono::steady_clock::now() < end;
       std::this_thread::sleep_for(10ms)) {
    for (int i = 0; i < 10; ++i) {
      int status = 0;
      if (statuses[i] == -1 && waitpid(pids[i], &status, WNOHANG) == pids[i]) {
        statuses[i] = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        ++ended;
      }
    }
  }
  ASSERT_EQ(ended, 9) << "exactly one start keeps running";
  int instanceIndex = -1;
  for (int i = 0; i < 10; ++i) {
    if (statuses[i] == -1) instanceIndex = i;
    else EXPECT_EQ(statuses[i], 0) << readText(s.dir.file("out" + std::to_string(i)));
  }
  const std::string out = s.dir.file("out" + std::to_string(instanceIndex));
  ASSERT_TRUE(Session::waitForText(out, "Queued song", 9)) << readText(out);
  const std::string text = readText(out);
  for (int i = 0; i < 10; ++i) {
    const std::string name = "song" + std::to_string(i) + ".wav";
    const std::string mark = i == instanceIndex ? "Playing " + name : "Queued " + name;
    const auto at = text.find(mark);
    EXPECT_NE(at, std::string::npos) << mark << "\n" << text;
    EXPECT_EQ(text.find(mark, at + 1), std::string::npos) << "twice: " << mark;
  }
  kill(pids[instanceIndex], SIGINT);
  EXPECT_EQ(Session::wait(pids[instanceIndex]), 130);
  // Every queued file is still held, in the order it was queued.
  const std::string after = readText(out);
  EXPECT_EQ(linesAfter(after, "Not played: "), linesAfter(after, "Queued ")) << after;
}

TEST(StartUp, AKilledInstanceDoesNotBlockTheNextStart) {
  Session s;
  const std::string a = silence(s.dir, "a.wav");
  const std::string firstOut = s.dir.file("first");
  const pid_t first = s.start({"--device", "null", a}, firstOut);
  ASSERT_TRUE(Session::waitForText(firstOut, "Playing a.wav"));
  kill(first, SIGKILL);
  Session::wait(first);

  const std::string nextOut = s.dir.file("next");
  const pid_t next = s.start({"--device", "null", a}, nextOut);
  EXPECT_TRUE(Session::waitForText(nextOut, "Playing a.wav")) << readText(nextOut);
  kill(next, SIGINT);
  EXPECT_EQ(Session::wait(next), 130);
}

TEST(StartUp, BadCommandLinesAreExplainedAndChangeNothing) {
  Session s;
  std::string out;
  EXPECT_EQ(s.run({"--bogus", "x.mp3"}, &out), 2);
  EXPECT_NE(out.find("unknown option -bogus"), std::string::npos) << out;
  EXPECT_EQ(s.run({"-associate"}, &out), 2);
  EXPECT_NE(out.find("-associate needs the extensions"), std::string::npos) << out;
  EXPECT_EQ(s.run({}, &out), 2) << "no files and no instance: the usage";
  EXPECT_NE(out.find("Usage: sonvia FILE..."), std::string::npos) << out;
}

// Without a display the start says so once and plays its files in the console, to the end.
TEST(StartUp, WithoutADisplayTheFilesPlayInTheConsoleAfterOneLineSayingSo) {
  Session s;
  const std::string song = s.dir.file("tone.wav"), rendered = s.dir.file("out.wav");
  ASSERT_TRUE(writeWave16(song, sine16(440, 0.5, 8000, 1), 8000, 1));
  const std::string outFile = s.dir.file("console");
  const pid_t player = s.start({song}, outFile,
                               {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""},
                                {"SONVIA_AUDIO_DEVICE", "file-fast:" + rendered}});
  EXPECT_EQ(Session::wait(player), 0) << readText(outFile);
  const std::string out = readText(outFile);
  EXPECT_EQ(out.rfind("Sonvia: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); playing in "
                      "the console.\n", 0), 0u) << out;
  EXPECT_EQ(out.find("display", out.find('\n')), std::string::npos) << "said once: " << out;
  EXPECT_NE(out.find("Playing tone.wav"), std::string::npos) << out;
  const std::string wave = readText(rendered);
  ASSERT_GE(wave.size(), 44u + 8000u) << "the whole half second reached the device";
  EXPECT_EQ(wave.compare(0, 4, "RIFF"), 0);

  // A start that only changes the file associations has nothing to play and says nothing of it.
  const pid_t deassociate = s.start({"-deassociate", "mp3"}, s.dir.file("assoc"),
                                    {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
  Session::wait(deassociate);
  EXPECT_EQ(readText(s.dir.file("assoc")).find("display"), std::string::npos);
}
