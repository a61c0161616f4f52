#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/wave/DeviceList.h"
#include "platform/wave/WaveOut.h"
#include "tests/platform/wave/WaveTestSupport.h"

using namespace platform::wave;
using namespace wavetest;

namespace {

// Points ALSA at a configuration of the test's own (ALSA's `file` plugin writing to files in the
// test's folder, its `null` plugin behind it), so no sound card is needed, and restores the
// environment afterwards.
class AlsaConfig {
 public:
  AlsaConfig(const TempDir& dir, const std::string& text, const char* chosenDevice = nullptr) {
    std::string path = dir.file("asound.conf");
    std::ofstream(path) << text;
    saveEnv("ALSA_CONFIG_PATH", savedConfig_);
    saveEnv("SONVIA_AUDIO_DEVICE", savedChoice_);
    setenv("ALSA_CONFIG_PATH", path.c_str(), 1);
    if (chosenDevice) setenv("SONVIA_AUDIO_DEVICE", chosenDevice, 1);
    else unsetenv("SONVIA_AUDIO_DEVICE");
    DeviceList::rescan();
  }
  ~AlsaConfig() {
    restoreEnv("ALSA_CONFIG_PATH", savedConfig_);
    restoreEnv("SONVIA_AUDIO_DEVICE", savedChoice_);
  }

 private:
  static void saveEnv(const char* name, std::unique_ptr<std::string>& saved) {
    if (const char* value = std::getenv(name)) saved = std::make_unique<std::string>(value);
  }
  static void restoreEnv(const char* name, const std::unique_ptr<std::string>& saved) {
    if (saved) setenv(name, saved->c_str(), 1);
    else unsetenv(name);
  }
  std::unique_ptr<std::string> savedConfig_, savedChoice_;
};

std::string fileCapture(const std::string& pcm, const std::string& path, const std::string& description) {
  return "pcm." + pcm + " { type file slave.pcm \"sonvia_sink\" file \"" + path +
         "\" format \"raw\" hint { show on description \"" + description + "\" } }\n";
}

std::string workingConfig(const TempDir& dir) {
  return fileCapture("!default", dir.file("default.raw"), "Test capture") +
         fileCapture("sonvia_second", dir.file("second.raw"), "Second capture") +
         "pcm.sonvia_sink { type null hint { show on description \"Test sink\" } }\n"
         "pcm.sonvia_broken { type hw card 7 hint { show on description \"Broken\" } }\n"
         "pcm.null { type null hint { show on description \"ALSA null\" } }\n";
}

std::vector<std::string> names() {
  std::vector<std::string> list;
  for (const DeviceInfo& info : DeviceList::all()) list.push_back(info.name);
  return list;
}

}  // namespace

TEST(WaveAlsa, ListsDefaultFirstThenOtherWorkingPlaybackDevicesThenNull) {
  TempDir dir;
  AlsaConfig config(dir, workingConfig(dir));
  EXPECT_EQ(names(), (std::vector<std::string>{"default", "sonvia_second", "sonvia_sink", "null"}));
  DeviceInfo first;
  ASSERT_TRUE(DeviceList::get(0, first));
  EXPECT_EQ(first.productName, "Test capture");
  EXPECT_EQ(DeviceList::count(), 4u);
  EXPECT_EQ(DeviceList::problem(), "");
}

struct AlsaCase {
  const char* name;
  Format format;
  std::vector<std::size_t> sizes;
  friend void PrintTo(const AlsaCase& c, std::ostream* os) { *os << c.name; }
};

class WaveAlsaSamples : public testing::TestWithParam<AlsaCase> {};

// Buffers that split frames in two must still reach ALSA as whole, unshifted frames.
TEST_P(WaveAlsaSamples, ArriveIntactInAlsasFilePlugin) {
  const AlsaCase& c = GetParam();
  TempDir dir;
  AlsaConfig config(dir, workingConfig(dir));
  std::size_t total = 0;
  for (auto s : c.sizes) total += s;
  Buffers buffers(pattern(total, 7), c.sizes);
  Completions completions;
  std::string error;
  auto out = WaveOut::open(std::size_t{0}, c.format, Completions::callback, &completions, error);
  ASSERT_TRUE(out) << error;
  EXPECT_EQ(out->deviceName(), "default");
  // One buffer at a time, so the device sees each split frame on its own.
  for (std::size_t i = 0; i < buffers.headers.size(); ++i) {
    ASSERT_EQ(out->prepare(*buffers.headers[i]), Result::Ok);
    ASSERT_EQ(out->write(*buffers.headers[i]), Result::Ok);
    ASSERT_TRUE(completions.waitFor(i + 1));
  }
  EXPECT_EQ(out->close(), Result::Ok);
  EXPECT_EQ(out->error(), "");
  auto captured = readFile(dir.file("default.raw"));
  ASSERT_EQ(captured.size(), total);
  EXPECT_TRUE(captured == buffers.stream);
}

INSTANTIATE_TEST_SUITE_P(Formats, WaveAlsaSamples,
                         testing::Values(AlsaCase{"Stereo16Bit", Format{2, 44100, 16}, {8192, 6, 8190, 4096, 0, 1, 3}},
                                         AlsaCase{"Mono16Bit", Format{1, 48000, 16}, {8192, 8192, 1, 8191}},
                                         AlsaCase{"Stereo8Bit", Format{2, 22050, 8}, {8192, 8191, 1}},
                                         AlsaCase{"Mono8Bit", Format{1, 8000, 8}, {8192, 4000, 3, 1}}),
                         [](const testing::TestParamInfo<AlsaCase>& info) { return std::string(info.param.name); });

TEST(WaveAlsa, WithoutAnyWorkingAlsaDeviceNullComesFirstAndTheReasonIsKept) {
  TempDir dir;
  AlsaConfig config(dir,
                    "pcm.sonvia_broken { type hw card 7 hint { show on description \"Broken\" } }\n"
                    "pcm.null { type null hint { show on description \"ALSA null\" } }\n");
  EXPECT_EQ(names(), std::vector<std::string>{"null"});
  std::string problem = DeviceList::problem();
  EXPECT_NE(problem.find("cannot open ALSA device \"default\""), std::string::npos) << problem;
  // ALSA's own diagnostic, which it would otherwise have printed to stderr.
  EXPECT_NE(problem.find("Unknown PCM default"), std::string::npos) << problem;

  std::string error;
  auto start = Clock::now();
  EXPECT_FALSE(WaveOut::open("default", Format{}, nullptr, nullptr, error));
  EXPECT_LT(secondsSince(start), 1.0);
  EXPECT_NE(error.find("cannot open ALSA device \"default\""), std::string::npos) << error;
  EXPECT_FALSE(WaveOut::open("sonvia_broken", Format{}, nullptr, nullptr, error));
  EXPECT_NE(error.find("sonvia_broken"), std::string::npos) << error;
}

// ALSA's file plugin opens its file when the PCM is opened; on a FIFO without a reader that open
// never returns, which stands in for a sound server that accepts a connection and then hangs.
TEST(WaveAlsa, ADeviceThatHangsInOpenIsGivenUpInsteadOfWaitedOn) {
  TempDir dir;
  std::string fifo = dir.file("hang.fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  auto start = Clock::now();
  AlsaConfig config(dir, fileCapture("!default", fifo, "Hanging device") + "pcm.sonvia_sink { type null }\n");
  EXPECT_LT(secondsSince(start), 5.0);
  EXPECT_EQ(names(), std::vector<std::string>{"null"});
  EXPECT_NE(DeviceList::problem().find("did not answer"), std::string::npos) << DeviceList::problem();

  std::string error;
  start = Clock::now();
  EXPECT_FALSE(WaveOut::open("default", Format{}, nullptr, nullptr, error));
  EXPECT_LT(secondsSince(start), 5.0);
  EXPECT_NE(error.find("did not answer"), std::string::npos) << error;

  // Let the abandoned opens finish so that their threads end before the folder goes.
  int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  close(reader);
}

// With a reader that never reads, the file plugin's writes block once the pipe is full: the device
// thread is stuck inside ALSA, as with a driver that hangs.
TEST(WaveAlsa, ADeviceStuckInItsDriverIsClosedWithinBoundedTime) {
  TempDir dir;
  std::string fifo = dir.file("stuck.fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  AlsaConfig config(dir, fileCapture("sonvia_stuck", fifo, "Stuck device") + "pcm.sonvia_sink { type null }\n");
  Buffers buffers(pattern(32 * 8192), sizesSummingTo(32 * 8192, 8192));  // four times what a pipe holds
  Completions completions;
  std::string error;
  auto out = WaveOut::open("sonvia_stuck", Format{2, 44100, 16}, Completions::callback, &completions, error);
  ASSERT_TRUE(out) << error;
  buffers.writeAll(*out);
  EXPECT_FALSE(completions.waitFor(buffers.headers.size(), std::chrono::milliseconds(300)));

  auto start = Clock::now();
  EXPECT_EQ(out->close(), Result::TimedOut);
  EXPECT_LT(secondsSince(start), 3.0);
  for (auto& header : buffers.headers) EXPECT_FALSE(header->has(kHeaderInQueue));

  // Drain the pipe until the abandoned thread has closed its end, so that it never writes to a pipe
  // without a reader.
  char sink[65536];
  auto deadline = Clock::now() + std::chrono::seconds(5);
  while (Clock::now() < deadline) {
    ssize_t n = read(reader, sink, sizeof sink);
    if (n == 0) break;
    if (n < 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  close(reader);
}

TEST(WaveAlsa, ADeviceThatBreaksDownGoesOnSilentlyAtRealTimePaceAndSaysWhy) {
  TempDir dir;
  AlsaConfig config(dir, fileCapture("sonvia_full", "/dev/full", "Full disk") + "pcm.sonvia_sink { type null }\n");
  Format format{2, 44100, 16};
  Completions completions;
  std::string error;
  auto out = WaveOut::open("sonvia_full", format, Completions::callback, &completions, error);
  ASSERT_TRUE(out) << error;
  auto start = Clock::now();
  playThroughRing(*out, pattern(static_cast<std::size_t>(format.bytesPerSecond()) / 2), completions);
  // ALSA takes the first bytes at once, before its plugin meets the error; the rest is paced.
  EXPECT_GE(secondsSince(start), 0.25);
  EXPECT_LT(secondsSince(start), 1.0);
  EXPECT_NE(out->error().find("sonvia_full"), std::string::npos) << out->error();
  EXPECT_EQ(out->close(), Result::Ok);
}

struct ChoiceCase {
  const char* name;
  const char* chosen;
  DeviceInfo expectedFirst;
  std::size_t expectedCount;
  friend void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.chosen; }
};

class WaveDeviceChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(WaveDeviceChoice, ComesFirstWithoutDuplicates) {
  const ChoiceCase& c = GetParam();
  TempDir dir;
  AlsaConfig config(dir, workingConfig(dir), c.chosen);
  auto list = DeviceList::all();
  ASSERT_EQ(list.size(), c.expectedCount);
  EXPECT_EQ(list[0].name, c.expectedFirst.name);
  EXPECT_EQ(list[0].productName, c.expectedFirst.productName);
  auto all = names();
  for (const char* name : {"default", "sonvia_second", "sonvia_sink", "null"})
    EXPECT_EQ(std::count(all.begin(), all.end(), name), 1) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Choices, WaveDeviceChoice,
    testing::Values(ChoiceCase{"AlsaName", "sonvia_sink", {"sonvia_sink", "Test sink"}, 4},
                    ChoiceCase{"ProductName", "Second capture", {"sonvia_second", "Second capture"}, 4},
                    ChoiceCase{"Null", "null", {"null", "No sound (null output)"}, 4},
                    ChoiceCase{"File", "file:/tmp/x.wav", {"file:/tmp/x.wav", "WAVE file /tmp/x.wav"}, 5},
                    ChoiceCase{"FastFile", "file-fast:out.wav",
                               {"file-fast:out.wav", "WAVE file out.wav (unpaced)"}, 5},
                    ChoiceCase{"UnlistedAlsaName", "hw:3,0", {"hw:3,0", "ALSA hw:3,0"}, 5}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return std::string(info.param.name); });
