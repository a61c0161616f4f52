#include <cstring>
#include <thread>

#include "platform/wave/WaveOut.h"
#include "tests/platform/wave/WaveTestSupport.h"

using namespace platform::wave;
using namespace wavetest;

namespace {

std::unique_ptr<WaveOut> openOk(const std::string& device, const Format& format, Completions* completions) {
  std::string error;
  auto out = WaveOut::open(device, format, completions ? Completions::callback : nullptr, completions, error);
  EXPECT_TRUE(out) << error;
  return out;
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint32_t le16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

}  // namespace

TEST(WaveOut, NullDevicePlaysOneSecondInAboutOneSecond) {
  Completions completions;
  Format format{2, 44100, 16};
  auto out = openOk("null", format, &completions);
  ASSERT_TRUE(out);
  auto start = Clock::now();
  playThroughRing(*out, pattern(static_cast<std::size_t>(format.bytesPerSecond())), completions);
  double seconds = secondsSince(start);
  EXPECT_GE(seconds, 0.97);
  // Not much more either; the margin is for a loaded machine, not for the device.
  EXPECT_LT(seconds, 2.5);
  EXPECT_EQ(out->error(), "");
}

TEST(WaveOut, NullDeviceDoesNotRushABufferWrittenAfterAGap) {
  Completions completions;
  Format format{1, 8000, 8};
  Buffers first(pattern(800), {800}), second(pattern(800), {800});
  auto out = openOk("null", format, &completions);
  ASSERT_TRUE(out);
  first.writeAll(*out);
  ASSERT_TRUE(completions.waitFor(1));
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  auto start = Clock::now();
  second.writeAll(*out);
  ASSERT_TRUE(completions.waitFor(2));
  EXPECT_GE(secondsSince(start), 0.095);
}

struct FileCase {
  int channels;
  int bits;
  int rate;
  std::vector<std::size_t> sizes;
  friend void PrintTo(const FileCase& c, std::ostream* os) { *os << c.channels << " ch, " << c.bits << " bit"; }
};

class WaveFileOutput : public testing::TestWithParam<FileCase> {};

TEST_P(WaveFileOutput, HoldsExactlyTheBytesWrittenUnderACanonicalHeader) {
  const FileCase& c = GetParam();
  TempDir dir;
  std::string path = dir.file("out.wav");
  Format format{c.channels, c.rate, c.bits};
  std::size_t total = 0;
  for (auto s : c.sizes) total += s;
  Buffers buffers(pattern(total, static_cast<std::uint32_t>(c.channels * 100 + c.bits)), c.sizes);
  Completions completions;
  {
    auto out = openOk("file-fast:" + path, format, &completions);
    ASSERT_TRUE(out);
    buffers.writeAll(*out);
    ASSERT_TRUE(completions.waitFor(buffers.headers.size()));
    EXPECT_EQ(out->close(), Result::Ok);
  }
  auto file = readFile(path);
  std::size_t pad = total & 1;
  ASSERT_EQ(file.size(), 44 + total + pad);
  EXPECT_EQ(std::memcmp(file.data(), "RIFF", 4), 0);
  EXPECT_EQ(le32(file, 4), 36 + total + pad);
  EXPECT_EQ(std::memcmp(file.data() + 8, "WAVEfmt ", 8), 0);
  EXPECT_EQ(le32(file, 16), 16u);
  EXPECT_EQ(le16(file, 20), 1u);
  EXPECT_EQ(le16(file, 22), static_cast<std::uint32_t>(c.channels));
  EXPECT_EQ(le32(file, 24), static_cast<std::uint32_t>(c.rate));
  EXPECT_EQ(le32(file, 28), static_cast<std::uint32_t>(c.rate * c.channels * c.bits / 8));
  EXPECT_EQ(le16(file, 32), static_cast<std::uint32_t>(c.channels * c.bits / 8));
  EXPECT_EQ(le16(file, 34), static_cast<std::uint32_t>(c.bits));
  EXPECT_EQ(std::memcmp(file.data() + 36, "data", 4), 0);
  EXPECT_EQ(le32(file, 40), total);
  EXPECT_TRUE(std::equal(buffers.stream.begin(), buffers.stream.end(), file.begin() + 44));
  if (pad) {
    EXPECT_EQ(file.back(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, WaveFileOutput,
                         testing::Values(FileCase{1, 8, 8000, {8192, 0, 1001, 3}},  // odd length: pad byte
                                         FileCase{2, 8, 22050, {8192, 8192, 100}},
                                         FileCase{1, 16, 44100, {8192, 2, 4096}},
                                         FileCase{2, 16, 48000, {8192, 8192, 8192, 1000, 4}}),
                         [](const testing::TestParamInfo<FileCase>& info) {
                           return std::string(info.param.channels == 1 ? "Mono" : "Stereo") +
                                  std::to_string(info.param.bits) + "Bit";
                         });

TEST(WaveOut, WaveFileBeingWrittenIsValidUpToItsLastWholeSecond) {
  TempDir dir;
  std::string path = dir.file("growing.wav");
  Buffers buffers(pattern(20000), sizesSummingTo(20000, 4096));  // 2.5 s of 8 kHz mono 8-bit
  Completions completions;
  auto out = openOk("file-fast:" + path, Format{1, 8000, 8}, &completions);
  ASSERT_TRUE(out);
  buffers.writeAll(*out);
  ASSERT_TRUE(completions.waitFor(buffers.headers.size()));
  // Read while the device is still open, as after a crash.
  auto file = readFile(path);
  ASSERT_GE(file.size(), 44u);
  std::uint32_t stated = le32(file, 40);
  EXPECT_GE(stated, 16000u);
  ASSERT_LE(44 + stated, file.size());
  EXPECT_EQ(le32(file, 4), 36 + stated);
  EXPECT_TRUE(std::equal(file.begin() + 44, file.begin() + 44 + stated, buffers.stream.begin()));
}

TEST(WaveOut, PacedFileTakesRealTimeAndUnpacedFileDoesNot) {
  TempDir dir;
  Format format{2, 44100, 16};
  auto stream = pattern(static_cast<std::size_t>(format.bytesPerSecond()) / 2);
  for (std::string kind : {"file:", "file-fast:"}) {
    Completions completions;
    auto out = openOk(kind + dir.file("paced.wav"), format, &completions);
    ASSERT_TRUE(out);
    auto start = Clock::now();
    playThroughRing(*out, stream, completions);
    double seconds = secondsSince(start);
    out.reset();
    if (kind == "file:") {
      EXPECT_GE(seconds, 0.48) << kind;
      EXPECT_LT(seconds, 2.0) << kind;
    } else {
      EXPECT_LT(seconds, 0.4) << kind;
    }
    auto file = readFile(dir.file("paced.wav"));
    ASSERT_EQ(file.size(), 44 + stream.size()) << kind;
    EXPECT_TRUE(std::equal(stream.begin(), stream.end(), file.begin() + 44)) << kind;
  }
}

TEST(WaveOut, CompletesBuffersInWriteOrderWithDoneSetAndUserKept) {
  Completions completions;
  Buffers buffers(pattern(20000), {4, 0, 8192, 3, 100, 0, 4000, 7701});
  auto out = openOk("null", Format{2, 44100, 16}, &completions);
  ASSERT_TRUE(out);
  buffers.writeAll(*out);
  ASSERT_TRUE(completions.waitFor(buffers.headers.size()));
  std::lock_guard lock(completions.mutex);
  ASSERT_EQ(completions.order.size(), buffers.headers.size());
  for (std::size_t i = 0; i < buffers.headers.size(); ++i) {
    EXPECT_EQ(completions.order[i], buffers.headers[i].get()) << i;
    EXPECT_TRUE(completions.doneWhenCalled[i]) << i;
    EXPECT_EQ(completions.order[i]->user, reinterpret_cast<void*>(i));
    EXPECT_TRUE(completions.order[i]->has(kHeaderPrepared));
  }
}

TEST(WaveOut, ResetReturnsEveryQueuedBufferBeforeItReturns) {
  Completions completions;
  Format format{2, 44100, 16};
  Buffers buffers(pattern(12 * 8192), sizesSummingTo(12 * 8192, 8192));  // about 0.56 s of sound
  Buffers more(pattern(4410), {4410});
  auto out = openOk("null", format, &completions);
  ASSERT_TRUE(out);
  buffers.writeAll(*out);
  // Reset in mid-play, when the device has taken more bytes than it has played.
  ASSERT_TRUE(completions.waitFor(1));
  auto start = Clock::now();
  ASSERT_EQ(out->reset(), Result::Ok);
  // Well before the half second the queue would take to play.
  EXPECT_LT(secondsSince(start), 0.4);
  {
    std::lock_guard lock(completions.mutex);
    ASSERT_EQ(completions.order.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i) {
      EXPECT_EQ(completions.order[i], buffers.headers[i].get());
      EXPECT_TRUE(completions.doneWhenCalled[i]);
      EXPECT_EQ(out->unprepare(*buffers.headers[i]), Result::Ok);
    }
  }
  // The device goes on working, from a fresh start.
  start = Clock::now();
  more.writeAll(*out);
  ASSERT_TRUE(completions.waitFor(13));
  EXPECT_GE(secondsSince(start), 0.02);
}

TEST(WaveOut, PauseHoldsTheQueueAndRestartPlaysTheRest) {
  Completions completions;
  Format format{1, 8000, 8};
  Buffers buffers(pattern(9600), {2400, 2400, 2400, 2400});  // four buffers of 300 ms
  auto out = openOk("null", format, &completions);
  ASSERT_TRUE(out);
  auto start = Clock::now();
  buffers.writeAll(*out);
  ASSERT_TRUE(completions.waitFor(1));
  ASSERT_EQ(out->pause(), Result::Ok);
  const auto pausedAt = Clock::now();
  std::size_t atPause = completions.count();
  // Held: at most the buffer that ended as the pause arrived completes while paused. Waiting for
  // one more returns early should the pause not hold.
  EXPECT_FALSE(completions.waitFor(atPause + 2, std::chrono::milliseconds(400)));
  EXPECT_LT(completions.count(), 4u);
  const double paused = secondsSince(pausedAt);
  ASSERT_EQ(out->restart(), Result::Ok);
  ASSERT_TRUE(completions.waitFor(4));
  EXPECT_GE(secondsSince(start), 1.2 + paused - 0.02);
}

TEST(WaveOut, CloseReturnsBuffersInFlightAndRefusesLaterWrites) {
  TempDir dir;
  for (std::string device : {std::string("null"), "file:" + dir.file("inflight.wav")}) {
    Completions completions;
    Buffers buffers(pattern(12 * 8192), sizesSummingTo(12 * 8192, 8192));
    auto out = openOk(device, Format{2, 44100, 16}, &completions);
    ASSERT_TRUE(out);
    buffers.writeAll(*out);
    auto start = Clock::now();
    EXPECT_EQ(out->close(), Result::Ok) << device;
    // Well before the half second the queue would take to play.
    EXPECT_LT(secondsSince(start), 0.4) << device;
    EXPECT_EQ(completions.count(), 12u) << device;
    for (auto& header : buffers.headers) {
      EXPECT_TRUE(header->has(kHeaderDone));
      EXPECT_FALSE(header->has(kHeaderInQueue));
    }
    EXPECT_EQ(out->write(*buffers.headers[0]), Result::Closed);
    EXPECT_EQ(out->reset(), Result::Closed);
    EXPECT_EQ(out->close(), Result::Ok);
  }
  // What the file device was given before the close is a complete, playable file.
  auto file = readFile(dir.file("inflight.wav"));
  ASSERT_GE(file.size(), 44u);
  EXPECT_EQ(le32(file, 40), file.size() - 44);
}

TEST(WaveOut, RefusesMisusedBuffers) {
  Completions completions;
  std::vector<std::uint8_t> data(800);
  Header header;
  auto out = openOk("null", Format{1, 8000, 8}, &completions);
  ASSERT_TRUE(out);
  header.data = data.data();
  header.length = 800;
  EXPECT_EQ(out->write(header), Result::NotPrepared);
  ASSERT_EQ(out->prepare(header), Result::Ok);
  ASSERT_EQ(out->write(header), Result::Ok);
  EXPECT_EQ(out->write(header), Result::StillPlaying);
  EXPECT_EQ(out->unprepare(header), Result::StillPlaying);
  EXPECT_EQ(out->prepare(header), Result::StillPlaying);
  ASSERT_TRUE(completions.waitFor(1));
  EXPECT_EQ(out->unprepare(header), Result::Ok);
  EXPECT_FALSE(header.has(kHeaderPrepared));
  Header empty;
  empty.length = 10;
  EXPECT_EQ(out->prepare(empty), Result::InvalidHeader);
}

namespace {
struct SelfClosing {
  WaveOut* out = nullptr;
  std::atomic<int> closeResult{-1};
  std::atomic<int> resetResult{-1};
  static void callback(Header&, void* instance) {
    auto* self = static_cast<SelfClosing*>(instance);
    if (self->closeResult.load() != -1) return;
    self->closeResult = static_cast<int>(self->out->close());
    self->resetResult = static_cast<int>(self->out->reset());
  }
};
}  // namespace

TEST(WaveOut, CloseFromItsOwnCallbackIsRefusedInsteadOfDeadlocking) {
  SelfClosing self;
  Buffers buffers(pattern(80), {40, 40});
  std::string error;
  auto out = WaveOut::open("null", Format{1, 8000, 8}, SelfClosing::callback, &self, error);
  ASSERT_TRUE(out) << error;
  self.out = out.get();
  buffers.writeAll(*out);
  auto deadline = Clock::now() + std::chrono::seconds(2);
  while (self.resetResult.load() == -1 && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(self.closeResult.load(), static_cast<int>(Result::WrongThread));
  EXPECT_EQ(self.resetResult.load(), static_cast<int>(Result::Ok));
  EXPECT_EQ(out->close(), Result::Ok);
}

namespace {
struct SelfDestroying {
  std::unique_ptr<WaveOut> out;
  std::atomic<bool> destroyed{false};
  static void callback(Header&, void* instance) {
    auto* self = static_cast<SelfDestroying*>(instance);
    if (self->destroyed.load()) return;
    self->out.reset();
    self->destroyed = true;
  }
};
}  // namespace

TEST(WaveOut, MayBeDestroyedFromItsOwnCallback) {
  SelfDestroying self;
  Buffers buffers(pattern(80), {40, 40});
  std::string error;
  self.out = WaveOut::open("null", Format{1, 8000, 8}, SelfDestroying::callback, &self, error);
  ASSERT_TRUE(self.out) << error;
  buffers.writeAll(*self.out);
  auto deadline = Clock::now() + std::chrono::seconds(2);
  while (!self.destroyed.load() && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_TRUE(self.destroyed.load());
}

struct OpenFailure {
  const char* name;
  const char* device;
  Format format;
  const char* expected;
  friend void PrintTo(const OpenFailure& c, std::ostream* os) { *os << c.name; }
};

class WaveOutOpenFailure : public testing::TestWithParam<OpenFailure> {};

TEST_P(WaveOutOpenFailure, ReportsTheReasonAtOnce) {
  const OpenFailure& c = GetParam();
  std::string device = c.device;
  if (device.starts_with("file:")) device = "file:/nonexistent-sonvia-dir/" + device.substr(5);
  std::string error;
  auto start = Clock::now();
  auto out = WaveOut::open(device, c.format, nullptr, nullptr, error);
  EXPECT_FALSE(out);
  EXPECT_LT(secondsSince(start), 2.5);  // never the open limit of 3 s
  EXPECT_NE(error.find(c.expected), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WaveOutOpenFailure,
    testing::Values(OpenFailure{"ThreeChannels", "null", Format{3, 44100, 16}, "channel count 3"},
                    OpenFailure{"TwentyFourBits", "null", Format{2, 44100, 24}, "24 bits"},
                    OpenFailure{"ZeroRate", "null", Format{2, 0, 16}, "sample rate 0"},
                    OpenFailure{"FileInMissingFolder", "file:x.wav", Format{2, 44100, 16}, "No such file or directory"},
                    OpenFailure{"FileWithoutName", "file-fast:", Format{2, 44100, 16}, "no file name"},
                    OpenFailure{"EmptyName", "", Format{2, 44100, 16}, "no output device"},
                    OpenFailure{"UnknownAlsaDevice", "sonvia_no_such_pcm", Format{2, 44100, 16},
                                "sonvia_no_such_pcm"}),
    [](const testing::TestParamInfo<OpenFailure>& info) { return std::string(info.param.name); });

TEST(WaveOut, OpeningAnUnknownDeviceNumberFails) {
  std::string error;
  EXPECT_FALSE(WaveOut::open(std::size_t{100000}, Format{}, nullptr, nullptr, error));
  EXPECT_NE(error.find("100000"), std::string::npos) << error;
}
