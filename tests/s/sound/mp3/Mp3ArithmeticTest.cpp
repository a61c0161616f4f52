#include <gtest/gtest.h>

#include <cstring>

#include "s/sound/mp3/win/Mp3.h"
#include "s/sound/wav/Info.h"
#include "s/thread/Pooled.h"
#include "tests/s/sound/mp3/Mp3Bytes.h"

namespace {

using s::sound::mp3::Id3Tag;
using s::sound::mp3::win::Mp3;
using namespace testing_support;

const HeaderBits k128At44100{3, 1, 9, 0, 0, 0};  // 417-byte frames

s::thread::Pooled<Mp3> mp3Over(const std::vector<uint8_t>& bytes) {
  auto mp3 = s::thread::holdPooled(Mp3::create());
  mp3->setFileSize(static_cast<int64_t>(bytes.size()));
  mp3->setInputStream(streamOver(bytes), true);
  return mp3;
}

std::vector<uint8_t> id3v2(std::size_t bodySize) {
  std::vector<uint8_t> tag = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0};
  tag[8] = static_cast<uint8_t>(bodySize >> 7);
  tag[9] = static_cast<uint8_t>(bodySize & 0x7F);
  tag.resize(10 + bodySize, 0);
  return tag;
}

std::vector<uint8_t> id3v1() {
  std::vector<uint8_t> tag(128, ' ');
  std::memcpy(tag.data(), "TAG", 3);
  return tag;
}

TEST(Mp3ArithmeticTest, TagsDecideWhichBytesCountAsAudio) {
  std::vector<uint8_t> frames;
  for (int i = 0; i < 20; ++i) append(frames, frame(k128At44100, 417));
  const struct {
    const char* name;
    bool v2, v1;
    Id3Tag::Kind kind;
    int64_t firstFrame, audioBytes;
  } cases[] = {
      {"no tag", false, false, Id3Tag::kNone, 0, 20 * 417},
      {"ID3v1 only", false, true, Id3Tag::kVersion1, 0, 20 * 417},
      {"ID3v2 only", true, false, Id3Tag::kVersion2, 310, 20 * 417},
      // Only the version 2 tag is detected, so the 128 bytes at the end count as audio.
      {"both", true, true, Id3Tag::kVersion2, 310, 20 * 417 + 128},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes;
    if (c.v2) append(bytes, id3v2(300));
    append(bytes, frames);
    if (c.v1) append(bytes, id3v1());
    auto mp3 = mp3Over(bytes);
    EXPECT_EQ(mp3->getTagKind(), c.kind);
    EXPECT_EQ(mp3->firstFrame().position, c.firstFrame);
    EXPECT_EQ(mp3->getAudioBytes(), c.audioBytes);
    EXPECT_EQ(mp3->getFrameLength(), 417);
    EXPECT_EQ(mp3->getFrameCount(), c.audioBytes / 417);
    EXPECT_EQ(mp3->getBitRateKbps(), 128);
    EXPECT_EQ(mp3->getDurationMs(), 20 * 1152 * 1000 / 44100);
    EXPECT_EQ(mp3->getDataSize(), 2 * 1152 * 20 * 2);
    EXPECT_TRUE(mp3->isStereo());
    EXPECT_EQ(mp3->getBitsPerSample(), 16);
    // Attaching leaves the stream at the first frame.
    EXPECT_EQ(mp3->getInputStream()->getPosition(), c.firstFrame);
  }
}

TEST(Mp3ArithmeticTest, XingCountsGiveLengthAndAverageBitRate) {
  // The Info frame is larger than the audio frames, as ffmpeg writes it at low bit rates; the
  // length must come from its frame count, not from its own size.
  const HeaderBits audio{2, 1, 1, 2, 0, 3};  // MPEG-2 8k at 16000 mono: 36-byte frames
  const HeaderBits info{2, 1, 5, 2, 0, 3};   // 40k: 180 bytes
  std::vector<uint8_t> bytes = frame(info, 180);
  std::memcpy(bytes.data() + 13, "Info", 4);
  putBe32(bytes, 17, 0x03);
  putBe32(bytes, 21, 500);
  putBe32(bytes, 25, 180 + 500 * 36);
  for (int i = 0; i < 500; ++i) append(bytes, frame(audio, 36));
  auto mp3 = mp3Over(bytes);
  EXPECT_EQ(mp3->getFrameCount(), 500);
  EXPECT_EQ(mp3->getDurationMs(), 500 * 576 * 1000 / 16000);
  EXPECT_EQ(mp3->getDurationSeconds(), 18);
  EXPECT_EQ(mp3->getFrameLength(), static_cast<int32_t>((180.0 + 500 * 36) / 500));
  EXPECT_EQ(mp3->getBitRateKbps(), (180 + 500 * 36) * 8 / (18 * 1000));
  EXPECT_FALSE(mp3->isStereo());
  EXPECT_EQ(mp3->getDataSize(), 1 * 576 * 500 * 2);

  // Without the frame-count flag there is no usable length at all.
  putBe32(bytes, 17, 0x02);
  mp3 = mp3Over(bytes);
  EXPECT_EQ(mp3->getFrameCount(), -1);
  EXPECT_EQ(mp3->getFrameLength(), -1);
  EXPECT_EQ(mp3->getDurationMs(), -1);
  EXPECT_EQ(mp3->getDurationSeconds(), -1);
  EXPECT_EQ(mp3->getDataSize(), -1);
  EXPECT_EQ(mp3->getBitRateKbps(), -1);
  int64_t position = 9;
  mp3->seekPercent(50, &position);
  EXPECT_EQ(position, 0);
}

TEST(Mp3ArithmeticTest, AFileWithoutFramesStaysDefined) {
  // Plenty of 0xFF bytes, none followed by the rest of a sync word.
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 600; ++i) append(bytes, {0xFF, 0x00, 0x12, 0xFF, 0x1F});
  auto mp3 = mp3Over(bytes);
  EXPECT_FALSE(mp3->hasFirstFrame());
  EXPECT_EQ(mp3->getDurationMs(), -1);
  EXPECT_EQ(mp3->getDataSize(), -1);
  EXPECT_EQ(mp3->getBitRateKbps(), 192);  // the default, as nothing says otherwise
  std::vector<uint8_t> out(8192);
  uint32_t count = 0;
  int reads = 0;
  while (mp3->read(out.data(), 8192, &count) && reads < 100) ++reads;
  EXPECT_LT(reads, 100);

  // A header with the reserved sampling index is no frame: the source keeps its default rate
  // and has no length.
  auto empty = s::thread::holdPooled(Mp3::create());
  empty->setSampleRate(0);
  empty->setFileSize(1000);
  EXPECT_EQ(empty->getSampleRate(), 44100);
  auto* in = streamOver(frame({3, 1, 9, 3, 0, 0}, 500));
  empty->setInputStream(in, true);
  EXPECT_FALSE(empty->hasFirstFrame());
  EXPECT_EQ(empty->getSampleRate(), 44100);
  EXPECT_EQ(empty->getDurationMs(), -1);
  EXPECT_EQ(empty->getDurationSeconds(), -1);
}

TEST(Mp3ArithmeticTest, AHeaderLeftByAFailedSearchGivesNoLengthAndNoFormat) {
  // One header at a 32 kHz mono rate whose next frame never comes: the search parses it, finds
  // no second header after it and fails at the end of the file.
  std::vector<uint8_t> bytes = frame({3, 1, 9, 2, 0, 3}, 576);
  bytes.resize(bytes.size() + 4000, 0);
  auto mp3 = mp3Over(bytes);
  ASSERT_FALSE(mp3->hasFirstFrame());
  EXPECT_EQ(mp3->getFrameCount(), -1);
  EXPECT_EQ(mp3->getFrameLength(), -1);
  EXPECT_EQ(mp3->getDurationMs(), -1);
  EXPECT_EQ(mp3->getDurationSeconds(), -1);
  EXPECT_EQ(mp3->getDataSize(), -1);
  EXPECT_EQ(mp3->getSampleRate(), 44100);
  EXPECT_TRUE(mp3->isStereo());
  auto info = s::thread::holdPooled(mp3->createInfo(u"/m/not-really.mp3"));
  EXPECT_EQ(info->getPlayTimeMs(), -1);
  EXPECT_EQ(info->getSampleRate(), 44100);
}

TEST(Mp3ArithmeticTest, AReleasedSourceComesBackFresh) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 4; ++i) append(bytes, frame({2, 1, 8, 0, 0, 3}, 208));
  auto mp3 = mp3Over(bytes);
  EXPECT_EQ(mp3->getSampleRate(), 22050);
  mp3.reset();  // back to the pool, to be handed out again
  mp3 = s::thread::holdPooled(Mp3::create());
  EXPECT_EQ(mp3->getSampleRate(), 44100);
  EXPECT_EQ(mp3->firstFrame().bitRateKbps(), 192);
  EXPECT_EQ(mp3->getFileSize(), -1);
  EXPECT_EQ(mp3->getAudioBytes(), -1);
  EXPECT_EQ(mp3->getInputStream(), nullptr);
  EXPECT_EQ(mp3->outputBitsPerSample(), 16);
}

}  // namespace

namespace {

TEST(Mp3ArithmeticTest, TheRecordIsAnMp3RecordFilledFromTheSource) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 50; ++i) append(bytes, frame({2, 1, 8, 0, 0, 3}, 208));
  auto mp3 = mp3Over(bytes);
  auto info = s::thread::holdPooled(mp3->createInfo(u"/m/a.mp3"));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->getFileType(), u"mp3");
  EXPECT_EQ(info->getPath(), u"/m/a.mp3");
  EXPECT_EQ(info->getSampleRate(), 22050);
  EXPECT_FALSE(info->isStereo());
  EXPECT_TRUE(info->hasBitRate());
  EXPECT_EQ(info->getPlayTimeMs(), 50 * 576 * 1000 / 22050);
}

}  // namespace

namespace {

TEST(Mp3ArithmeticTest, FrameLookalikesInsideAnId3v2TagAreNotTheFirstFrame) {
  // Picture data in a tag can hold two frame headers in a row by chance.
  std::vector<uint8_t> body;
  append(body, frame({3, 1, 9, 1, 0, 0}, 384));
  append(body, frame({3, 1, 9, 1, 0, 0}, 384));
  std::vector<uint8_t> bytes = id3v2(body.size() + 50);
  std::copy(body.begin(), body.end(), bytes.begin() + 20);
  const int64_t tagEnd = static_cast<int64_t>(bytes.size());
  for (int i = 0; i < 10; ++i) append(bytes, frame(k128At44100, 417));

  auto mp3 = mp3Over(bytes);
  EXPECT_EQ(mp3->firstFrame().position, tagEnd);
  EXPECT_EQ(mp3->getSampleRate(), 44100);
  EXPECT_EQ(mp3->getFrameCount(), 10);

  // A tag whose size runs past the end of the file is scanned through instead.
  bytes[6] = 0x7F;
  mp3 = mp3Over(bytes);
  EXPECT_TRUE(mp3->hasFirstFrame());
  EXPECT_EQ(mp3->firstFrame().position, 20);
}

}  // namespace
