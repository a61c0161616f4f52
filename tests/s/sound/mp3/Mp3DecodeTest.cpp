// The MP3 source on files made by LAME and ffmpeg, against libmpg123 decoding the same frames
// on its own.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <string>
#include <vector>

#include "s/sound/SourceFactory.h"
#include "s/sound/mp3/win/Mp3.h"
#include "tests/s/sound/SoundFixtures.h"
#include "tests/support/TempDir.h"
#include "s/thread/Pooled.h"

namespace {

using s::sound::mp3::Id3Tag;
using s::sound::mp3::win::Mp3;
using namespace testing_support;

s::thread::Pooled<Mp3> openMp3(const std::string& path) {
  std::string reason;
  auto source = s::thread::holdPooled(s::sound::SourceFactory::open(u16(path), &reason));
  EXPECT_NE(source, nullptr) << reason;
  if (!dynamic_cast<Mp3*>(source.get())) return nullptr;
  return s::thread::Pooled<Mp3>(static_cast<Mp3*>(source.release()));
}

struct Encoding {
  const char* name;
  int rate, channels;
  double seconds;
  std::string command;  // IN and OUT stand for the files
  Id3Tag::Kind tag = Id3Tag::kNone;
  std::size_t junk = 0;    // bytes of junk put before the file
  bool damage = false;     // overwrite a stretch in the middle
  int kbps = 0;            // the header's rate when there is no Xing header, else 0
};

std::string substitute(std::string command, const std::string& in, const std::string& out) {
  command.replace(command.find("IN"), 2, "'" + in + "'");
  command.replace(command.find("OUT"), 3, "'" + out + "'");
  return command;
}

int samplesPerFrame(int rate) { return rate >= 32000 ? 1152 : 576; }

TEST(Mp3DecodeTest, LengthsFollowTheFramesAndPcmMatchesTheReferenceDecoder) {
  const std::string lame = "lame --quiet ";
  const std::string ffmpeg = "ffmpeg -loglevel error -y -i IN ";
  // LAME would pick a lower sample rate for low bit rates; --resample keeps the input's.
  const std::vector<Encoding> encodings = {
      {"LAME CBR 32k", 44100, 2, 1.5, lame + "--resample 44.1 -b 32 IN OUT", Id3Tag::kNone, 0, false, 32},
      {"LAME CBR 128k without Info frame", 44100, 2, 1.5, lame + "-t -b 128 IN OUT", Id3Tag::kNone, 0, false, 128},
      {"LAME CBR 320k 48000", 48000, 2, 1.0, lame + "-b 320 IN OUT", Id3Tag::kNone, 0, false, 320},
      {"LAME VBR", 44100, 2, 2.0, lame + "--resample 44.1 -V 4 IN OUT"},
      {"LAME mono", 44100, 1, 1.5, lame + "--resample 44.1 -m m -b 64 IN OUT", Id3Tag::kNone, 0, false, 64},
      {"LAME MPEG-2 22050", 22050, 2, 1.5, lame + "--resample 22.05 -b 64 IN OUT", Id3Tag::kNone, 0, false, 64},
      {"LAME MPEG-2 24000 mono", 24000, 1, 1.5, lame + "--resample 24 -b 32 IN OUT", Id3Tag::kNone, 0, false, 32},
      {"LAME MPEG-2 16000", 16000, 2, 1.5, lame + "--resample 16 -b 48 IN OUT", Id3Tag::kNone, 0, false, 48},
      {"LAME MPEG-2.5 11025", 11025, 1, 2.0, lame + "--resample 11.025 -b 16 IN OUT", Id3Tag::kNone, 0, false, 16},
      {"LAME MPEG-2.5 8000", 8000, 1, 2.0, lame + "--resample 8 -b 8 IN OUT", Id3Tag::kNone, 0, false, 8},
      {"ffmpeg 8k at 16000, Info frame larger than the audio frames", 16000, 1, 4.08,
       ffmpeg + "-b:a 8k OUT", Id3Tag::kVersion2, 0, false, 8},
      {"ffmpeg 128k with ID3v2", 44100, 2, 1.5, ffmpeg + "-b:a 128k OUT", Id3Tag::kVersion2, 0, false, 128},
      {"LAME with ID3v1", 44100, 2, 1.0, lame + "--resample 44.1 -b 96 --id3v1-only --tt Tone IN OUT", Id3Tag::kVersion1, 0, false, 96},
      {"leading junk", 44100, 2, 1.0, lame + "-b 128 IN OUT", Id3Tag::kNone, 1000, false, 128},
      {"damaged frames", 44100, 2, 2.0, lame + "-b 128 IN OUT", Id3Tag::kNone, 0, true, 128},
  };
  TempDir dir;
  for (const Encoding& e : encodings) {
    SCOPED_TRACE(e.name);
    const std::string wav = dir.file("in.wav"), mp3 = dir.file("out.mp3");
    ASSERT_TRUE(makeTone(wav, e.rate, e.channels, e.seconds));
    ASSERT_TRUE(shell(substitute(e.command, wav, mp3)));
    std::vector<uint8_t> bytes = readBytes(mp3);
    if (e.junk) {
      std::vector<uint8_t> junk(e.junk);
      for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<uint8_t>(i % 200);
      bytes.insert(bytes.begin(), junk.begin(), junk.end());
    }
    if (e.damage)
      for (std::size_t i = bytes.size() / 2; i < bytes.size() / 2 + 300; ++i)
        bytes[i] = static_cast<uint8_t>(i * 37);
    writeBytes(mp3, bytes);

    auto source = openMp3(mp3);
    ASSERT_NE(source, nullptr);
    ASSERT_TRUE(source->hasFirstFrame());
    const int spf = samplesPerFrame(e.rate);
    EXPECT_EQ(source->getSampleRate(), e.rate);
    EXPECT_EQ(source->isStereo(), e.channels == 2);
    EXPECT_EQ(source->getTagKind(), e.tag);
    if (e.junk) {
      EXPECT_EQ(source->firstFrame().position, static_cast<int64_t>(e.junk));
    }

    const std::vector<uint8_t> reference =
        referenceDecode(bytes, e.channels, static_cast<std::size_t>(e.junk));
    const std::vector<uint8_t> pcm = drain(source.get());
    EXPECT_EQ(pcm.size(), reference.size());
    EXPECT_TRUE(pcm == reference) << "PCM differs from the reference decoder";

    const int64_t frameBytes = int64_t{spf} * e.channels * 2;
    const int64_t decodedFrames = static_cast<int64_t>(reference.size()) / frameBytes;
    const int32_t frames = source->getFrameCount();
    if (source->firstFrame().xing) {
      // The encoders count the audio frames; their Xing/Info frame decodes as one frame more.
      if (!e.damage) {
        EXPECT_EQ(frames, decodedFrames - 1);
      }
    } else {
      EXPECT_NEAR(frames, decodedFrames, 1);
      EXPECT_EQ(source->getFrameLength(), source->firstFrame().frameLength);
      EXPECT_EQ(source->getBitRateKbps(), e.kbps);
    }
    EXPECT_EQ(source->getDurationMs(), int64_t{frames} * spf * 1000 / e.rate);
    // Encoder delay and padding add up to about three frames and 1200 samples.
    EXPECT_NEAR(source->getDurationMs(), e.seconds * 1000, (3.0 * spf + 1200) * 1000 / e.rate);
    EXPECT_EQ(source->getDataSize(), int64_t{e.channels} * spf * frames * 2);
  }
}

}  // namespace

namespace {

// 128 kbit/s at 48000 Hz without an Info frame: every frame is 384 bytes, so frame n lies at
// first + n x 384.
struct SeekFile {
  TempDir dir;
  std::string path = dir.file("seek.mp3");
  std::vector<uint8_t> bytes;
  SeekFile() {
    const std::string wav = dir.file("in.wav");
    if (makeTone(wav, 48000, 2, 2.0) && shell("lame --quiet -t -b 128 '" + wav + "' '" + path + "'"))
      bytes = readBytes(path);
  }
};

TEST(Mp3DecodeTest, SeekingLandsOnTheFirstByteOfTheTargetFrame) {
  SeekFile file;
  ASSERT_FALSE(file.bytes.empty());
  const std::vector<uint8_t> whole = referenceDecode(file.bytes, 2);
  auto source = openMp3(file.path);
  ASSERT_NE(source, nullptr);
  ASSERT_EQ(source->getFrameLength(), 384);
  const int32_t frames = source->getFrameCount();
  std::vector<uint8_t> chunk(8192);
  uint32_t count = 0;
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(source->read(chunk.data(), 8192, &count));

  // Back to the start: the first frame again, nothing of the old position left over.
  int64_t position = -1;
  source->seekPercent(0, &position);
  EXPECT_EQ(position, 0);
  EXPECT_TRUE(drain(source.get()) == whole);

  const struct { float percent; } cases[] = {{50}, {33.3f}, {99}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.percent);
    source->seekPercent(10, nullptr);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(source->read(chunk.data(), 1000, &count));
    source->seekPercent(c.percent, &position);
    const int64_t target = static_cast<int64_t>(c.percent / 100.0 * frames);
    EXPECT_EQ(position, 2 * 1152 * target * 2);
    const std::vector<uint8_t> expected =
        referenceDecode(file.bytes, 2, static_cast<std::size_t>(target * 384));
    const std::vector<uint8_t> got = drain(source.get());
    EXPECT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected);
  }

  source->seekPercent(100, &position);
  EXPECT_EQ(position, 2 * 1152 * int64_t{frames} * 2);
  EXPECT_FALSE(source->read(chunk.data(), 8192, &count));
}

TEST(Mp3DecodeTest, LeftoversOfOneReadComeFirstInTheNext) {
  SeekFile file;
  ASSERT_FALSE(file.bytes.empty());
  auto source = openMp3(file.path);
  ASSERT_NE(source, nullptr);
  const std::vector<uint8_t> whole = drain(source.get(), 8192);
  ASSERT_FALSE(whole.empty());
  const uint32_t requests[] = {4, 3, 1001, 4102, 9000};
  for (uint32_t request : requests) {
    SCOPED_TRACE(request);
    source->seekPercent(0, nullptr);
    std::vector<uint8_t> chunk(request);
    uint32_t count = 0;
    ASSERT_TRUE(source->read(chunk.data(), request, &count));
    EXPECT_EQ(count, request > 4 ? request / 4 * 4 : request);
    source->seekPercent(0, nullptr);
    EXPECT_TRUE(drain(source.get(), request) == whole);
  }
}

}  // namespace

namespace {

// The engine reads on its fill thread while the play process seeks from another.
TEST(Mp3DecodeTest, SeeksFromAnotherThreadInterleaveWithReadsSafely) {
  SeekFile file;
  ASSERT_FALSE(file.bytes.empty());
  auto source = openMp3(file.path);
  ASSERT_NE(source, nullptr);
  std::atomic<bool> done{false};
  std::thread reader([&] {
    std::vector<uint8_t> chunk(8192);
    uint32_t count = 0;
    while (!done.load()) {
      count = 0;
      source->read(chunk.data(), 8192, &count);
      EXPECT_LE(count, 8192u);
    }
  });
  for (int i = 0; i < 200; ++i) {
    int64_t position = -1;
    source->seekPercent(static_cast<float>(i % 101), &position);
    EXPECT_EQ(position % 4608, 0);
  }
  done.store(true);
  reader.join();
}

}  // namespace
