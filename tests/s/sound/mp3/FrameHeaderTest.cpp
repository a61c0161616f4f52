#include "s/sound/mp3/FrameHeader.h"

#include <gtest/gtest.h>

#include <vector>

#include "s/io/IInputStream.h"
#include "tests/s/sound/mp3/Mp3Bytes.h"

namespace {

using s::sound::mp3::FrameHeader;
using namespace testing_support;

TEST(FrameHeaderTest, ParsesEachVersionAndLayer) {
  const struct {
    const char* name;
    HeaderBits bits;
    int32_t rate, kbps, length, samples;
    double version;
  } cases[] = {
      {"MPEG-1 layer 3 128k 44100", {3, 1, 9, 0, 0, 0}, 44100, 128, 417, 1152, 1.0},
      {"same, padded", {3, 1, 9, 0, 1, 0}, 44100, 128, 418, 1152, 1.0},
      {"MPEG-1 layer 3 320k 48000", {3, 1, 14, 1, 0, 0}, 48000, 320, 960, 1152, 1.0},
      {"MPEG-2 layer 3 64k 22050", {2, 1, 8, 0, 0, 3}, 22050, 64, 208, 576, 2.0},
      {"MPEG-2.5 layer 3 8k 8000", {0, 1, 1, 2, 0, 3}, 8000, 8, 72, 576, 2.5},
      {"MPEG-1 layer 1 128k 44100", {3, 3, 4, 0, 0, 0}, 44100, 128, 136, 384, 1.0},
      {"MPEG-1 layer 2 128k 48000", {3, 2, 8, 1, 0, 0}, 48000, 128, 384, 1152, 1.0},
      {"MPEG-2 layer 1 128k 24000", {2, 3, 8, 1, 1, 0}, 24000, 128, 260, 384, 2.0},
      {"MPEG-2 layer 2 64k 16000", {2, 2, 8, 2, 0, 0}, 16000, 64, 576, 1152, 2.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto* in = streamOver(frame(c.bits, 1000));
    FrameHeader h;
    EXPECT_TRUE(h.parse(*in));
    EXPECT_EQ(h.sampleRate(), c.rate);
    EXPECT_EQ(h.bitRateKbps(), c.kbps);
    EXPECT_EQ(h.frameLength, c.length);
    EXPECT_EQ(h.samplesPerFrame(), c.samples);
    EXPECT_EQ(h.version(), c.version);
    EXPECT_EQ(h.singleChannel(), c.bits.mode == 3);
    EXPECT_FALSE(h.xing);
    in->release();
  }
}

TEST(FrameHeaderTest, RejectsReservedAndFreeFormatCodes) {
  const struct {
    const char* name;
    HeaderBits bits;
  } cases[] = {
      {"bit rate index 15", {3, 1, 15, 0, 0, 0}},
      {"free format", {3, 1, 0, 0, 0, 0}},
      {"sampling index 3", {3, 1, 9, 3, 0, 0}},
      {"reserved layer", {3, 0, 9, 0, 0, 0}},
      {"reserved version", {1, 1, 9, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto* in = streamOver(frame(c.bits, 1000));
    FrameHeader h;
    EXPECT_FALSE(h.parse(*in));
    in->release();
  }
  auto* shortStream = streamOver({0xFF, 0xFB, 0x90});
  FrameHeader h;
  EXPECT_FALSE(h.parse(*shortStream));
  shortStream->release();
}

TEST(FrameHeaderTest, ReadsXingAndInfoHeadersAtTheSideInfoOffset) {
  const struct {
    const char* word;
    HeaderBits bits;
    std::size_t offset;
  } cases[] = {
      {"Xing", {3, 1, 9, 0, 0, 0}, 36},
      {"Info", {3, 1, 9, 0, 0, 0}, 36},
      {"Xing", {3, 1, 9, 0, 0, 3}, 21},
      {"Info", {2, 1, 8, 0, 0, 1}, 21},
      {"Xing", {0, 1, 8, 2, 0, 3}, 13},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.word) + " at " + std::to_string(c.offset));
    std::vector<uint8_t> f = frame(c.bits, 400);
    std::memcpy(f.data() + c.offset, c.word, 4);
    putBe32(f, c.offset + 4, 0x0F);
    putBe32(f, c.offset + 8, 1234);
    putBe32(f, c.offset + 12, 567890);
    for (int i = 0; i < 100; ++i) f[c.offset + 16 + i] = static_cast<uint8_t>(i * 2);
    putBe32(f, c.offset + 116, 77);
    auto* in = streamOver(f);
    FrameHeader h;
    EXPECT_TRUE(h.parse(*in));
    EXPECT_TRUE(h.xing);
    EXPECT_EQ(h.xingFlags, 0x0Fu);
    EXPECT_EQ(h.xingFrames, 1234u);
    EXPECT_EQ(h.xingBytes, 567890u);
    EXPECT_EQ(h.xingToc[99], 198);
    EXPECT_EQ(h.xingScale, 77u);
    in->release();
  }
  // Absent fields are 0: only the byte count here, right after the flags.
  std::vector<uint8_t> f = frame({3, 1, 9, 0, 0, 0}, 400);
  std::memcpy(f.data() + 36, "Xing", 4);
  putBe32(f, 40, 0x02);
  putBe32(f, 44, 999);
  auto* in = streamOver(f);
  FrameHeader h;
  EXPECT_TRUE(h.parse(*in));
  EXPECT_EQ(h.xingFrames, 0u);
  EXPECT_EQ(h.xingBytes, 999u);
  in->release();
}

TEST(FrameHeaderTest, SearchSkipsFalseSyncsAndStopsAtTheFrame) {
  const HeaderBits kind{3, 1, 9, 1, 0, 0};  // 128k at 48000: 384-byte frames, never padded
  std::vector<uint8_t> bytes = {0x00, 0xFF, 0x12, 0xFF, 0xFF};
  // A valid-looking header whose successor is not a frame.
  append(bytes, frame(kind, 100));
  // A valid header followed by a header of another sample rate.
  append(bytes, frame(kind, 384));
  append(bytes, frame({3, 1, 9, 0, 0, 0}, 417));
  const std::size_t first = bytes.size();
  for (int i = 0; i < 3; ++i) append(bytes, frame(kind, 384));
  auto* in = streamOver(bytes);
  FrameHeader h;
  ASSERT_TRUE(h.search(*in));
  EXPECT_EQ(h.position, static_cast<int64_t>(first));
  // Decoding resumes at the first byte of the frame, not after the headers that were examined.
  EXPECT_EQ(in->getPosition(), static_cast<int64_t>(first));
  EXPECT_EQ(h.sampleRate(), 48000);

  // From inside a frame the search moves on to the next one.
  in->seek(static_cast<int64_t>(first) + 10);
  ASSERT_TRUE(h.search(*in));
  EXPECT_EQ(h.position, static_cast<int64_t>(first + 384));
  in->release();
}

TEST(FrameHeaderTest, SearchAcceptsAFrameThatEndsTheFileAndFailsWithoutFrames) {
  std::vector<uint8_t> bytes = {1, 2, 3};
  append(bytes, frame({3, 1, 9, 1, 0, 0}, 384));
  auto* in = streamOver(bytes);
  FrameHeader h;
  EXPECT_TRUE(h.search(*in));
  EXPECT_EQ(h.position, 3);
  in->release();

  std::vector<uint8_t> junk(5000, 0xFF);
  junk[100] = 0;
  in = streamOver(junk);
  EXPECT_FALSE(h.search(*in));
  EXPECT_EQ(in->getPosition(), 5000);
  in->release();
}

// Counts the reads a search makes of the stream beneath.
class CountedReads final : public s::io::IInputStream {
 public:
  explicit CountedReads(s::io::IInputStream& in) : in_(in) {}
  bool read(void* dst, uint32_t capacity, uint32_t* got) override {
    ++reads;
    return in_.read(dst, capacity, got);
  }
  int64_t getPosition() const override { return in_.getPosition(); }
  bool seek(int64_t position) override { return in_.seek(position); }
  int64_t getSize() const override { return in_.getSize(); }
  int reads = 0;

 private:
  s::io::IInputStream& in_;
};

// A long run of 0xFF bytes before the audio (a damaged or padded file) is stepped over a block
// at a time: reading the stream again for every byte of it made such a file take seconds to
// open. Runs ending on either side of a block's end still find the frame right after them.
TEST(FrameHeaderTest, ARunOfFfBytesIsSearchedABlockAtATime) {
  for (std::size_t run : {std::size_t{4093}, std::size_t{4094}, std::size_t{4096},
                          std::size_t{4097}, std::size_t{1} << 16}) {
    SCOPED_TRACE(run);
    std::vector<uint8_t> bytes(run, 0xFF);
    for (int i = 0; i < 3; ++i) append(bytes, frame({3, 1, 9, 1, 0, 0}, 384));
    auto* in = streamOver(bytes);
    CountedReads counted(*in);
    FrameHeader h;
    ASSERT_TRUE(h.search(counted));
    EXPECT_EQ(h.position, static_cast<int64_t>(run));
    EXPECT_LT(counted.reads, 64);
    in->release();
  }
}

TEST(FrameHeaderTest, SettersLookUpTheTables) {
  FrameHeader h;
  h.setSampleRate(48000);
  EXPECT_EQ(h.samplingIndex, 1);
  h.setSampleRate(12345);
  EXPECT_EQ(h.samplingIndex, 0);
  h.setBitRateKbps(320);
  EXPECT_EQ(h.bitRateIndex, 14);
  h.setBitRateKbps(100);
  EXPECT_EQ(h.bitRateIndex, 0);
  h.lsf = true;
  h.setBitRateKbps(8);
  EXPECT_EQ(h.bitRateIndex, 1);
}

}  // namespace
