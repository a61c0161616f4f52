#include "s/sound/wav/Wave.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "s/col/_array/ArrayU08.h"
#include "s/sound/IInfo.h"
#include "s/sound/SourceFactory.h"
#include "tests/s/sound/SoundFixtures.h"
#include "tests/support/Signals.h"
#include "tests/support/TempDir.h"

namespace {

using s::sound::IEncodedAudio;
using s::sound::SourceFactory;
using s::sound::wav::Wave;
using namespace testing_support;

void put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
void putId(std::vector<uint8_t>& b, const char* id) { b.insert(b.end(), id, id + 4); }

std::vector<uint8_t> pcmPattern(std::size_t n) {
  std::vector<uint8_t> pcm(n);
  for (std::size_t i = 0; i < n; ++i) pcm[i] = static_cast<uint8_t>(i * 7 + i / 251);
  return pcm;
}

struct Layout {
  const char* name;
  uint32_t fmtSize;        // 16, 18 or 40
  uint16_t tag;            // 1, or 0xFFFE with the PCM sub-format
  bool listBeforeData;
  bool chunkAfterData;
};

// A RIFF WAVE file of 16-bit stereo 22050 Hz holding `pcm`, laid out as `layout` says.
std::vector<uint8_t> waveFile(const Layout& layout, const std::vector<uint8_t>& pcm,
                              uint16_t bits = 16, uint16_t channels = 2, uint16_t subTag = 1) {
  std::vector<uint8_t> b;
  putId(b, "RIFF");
  put32(b, 0);
  putId(b, "WAVE");
  if (layout.listBeforeData) {
    putId(b, "LIST");
    put32(b, 7);  // odd: a pad byte follows
    b.insert(b.end(), {'I', 'N', 'F', 'O', 'a', 'b', 'c', 0});
  }
  putId(b, "fmt ");
  put32(b, layout.fmtSize);
  put16(b, layout.tag);
  put16(b, channels);
  put32(b, 22050);
  put32(b, 22050u * channels * bits / 8);
  put16(b, static_cast<uint16_t>(channels * bits / 8));
  put16(b, bits);
  if (layout.fmtSize >= 18) put16(b, static_cast<uint16_t>(layout.fmtSize - 18));
  if (layout.fmtSize >= 40) {
    put16(b, bits);
    put32(b, 3);
    put16(b, subTag);
    const uint8_t tail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                              0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    b.insert(b.end(), tail, tail + 14);
  }
  putId(b, "data");
  put32(b, static_cast<uint32_t>(pcm.size()));
  b.insert(b.end(), pcm.begin(), pcm.end());
  if (layout.chunkAfterData) {
    if (pcm.size() & 1) b.push_back(0);
    putId(b, "id3 ");
    put32(b, 8);
    b.insert(b.end(), 8, 0xEE);
  }
  return b;
}

// A source over an in-memory file; the source owns the array.
Wave* waveOver(const std::vector<uint8_t>& bytes) {
  auto* array = s::col::_array::ArrayU08::create();
  array->copyFromRaw(bytes.data(), bytes.size());
  Wave* wave = Wave::create();
  wave->setFileSize(static_cast<int64_t>(bytes.size()));
  wave->setInputStream(array, true);
  return wave;
}

const Layout kCanonical{"canonical", 16, 1, false, false};

TEST(WaveTest, EveryChunkLayoutDeliversExactlyTheDataChunk) {
  const std::vector<uint8_t> pcm = pcmPattern(30002);  // not a multiple of 4: ends with 2 bytes
  const Layout layouts[] = {
      kCanonical,
      {"LIST before data", 16, 1, true, false},
      {"18-byte fmt", 18, 1, false, false},
      {"extensible PCM", 40, 0xFFFE, true, false},
      {"chunk after data", 16, 1, false, true},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    Wave* wave = waveOver(waveFile(layout, pcm));
    EXPECT_EQ(wave->formatError(), "");
    EXPECT_EQ(wave->getSampleRate(), 22050);
    EXPECT_TRUE(wave->isStereo());
    EXPECT_EQ(wave->getBitsPerSample(), 16);
    EXPECT_EQ(wave->getDataSize(), 30002);
    EXPECT_EQ(wave->getDurationMs(), 30002LL * 8000 / (22050 * 2 * 16));
    EXPECT_EQ(drain(wave), pcm);
    wave->release();
  }
}

TEST(WaveTest, RequestsAboveFourBytesAreRoundedDownToWholeFourByteGroups) {
  const std::vector<uint8_t> pcm = pcmPattern(31);
  Wave* wave = waveOver(waveFile(kCanonical, pcm));
  // The last read stops at the end of the data, unrounded.
  const struct { uint32_t capacity, expected; } cases[] = {
      {3, 3}, {4, 4}, {7, 4}, {1, 1}, {30, 16}, {8, 3}};
  std::vector<uint8_t> got;
  for (const auto& c : cases) {
    uint8_t buffer[32];
    uint32_t count = 0;
    ASSERT_TRUE(wave->read(buffer, c.capacity, &count));
    EXPECT_EQ(count, c.expected) << "capacity " << c.capacity;
    got.insert(got.end(), buffer, buffer + count);
  }
  uint8_t buffer[8];
  uint32_t count = 0;
  EXPECT_FALSE(wave->read(buffer, 8, &count));
  EXPECT_EQ(got, pcm);
  wave->release();
}

TEST(WaveTest, SeekingMovesWithinTheDataOnly) {
  const std::vector<uint8_t> pcm = pcmPattern(4000);
  Wave* wave = waveOver(waveFile({"LIST", 16, 1, true, true}, pcm));
  int64_t position = -7;

  wave->seekPercent(50.1f, &position);
  EXPECT_EQ(position, static_cast<int64_t>(4000 * (static_cast<double>(50.1f) / 100)) / 4 * 4);
  EXPECT_EQ(position % 4, 0);
  std::vector<uint8_t> rest = drain(wave);
  EXPECT_EQ(rest, std::vector<uint8_t>(pcm.begin() + position, pcm.end()));

  wave->seekPercent(0, &position);
  EXPECT_EQ(position, 0);
  EXPECT_EQ(drain(wave), pcm);

  const float ends[] = {100.0f, 250.0f};
  for (float percent : ends) {
    wave->seekPercent(percent, &position);
    EXPECT_EQ(position, 4000);
    uint8_t buffer[8];
    uint32_t count = 0;
    EXPECT_FALSE(wave->read(buffer, 8, &count));
  }
  // A negative percentage must not move into the header bytes.
  wave->seekPercent(-20.0f, &position);
  EXPECT_EQ(position, 0);
  EXPECT_EQ(drain(wave), pcm);
  wave->release();
}

TEST(WaveTest, WithoutAStreamNothingIsReadAndSeeksReportZero) {
  Wave* wave = Wave::create();
  uint8_t buffer[8];
  uint32_t count = 0;
  EXPECT_FALSE(wave->read(buffer, 8, &count));
  int64_t position = 5;
  wave->seekPercent(40, &position);
  EXPECT_EQ(position, 0);
  wave->setSampleRate(0);
  EXPECT_EQ(wave->getDurationMs(), 0);
  EXPECT_EQ(wave->getFileSize(), -1);
  wave->release();
}

TEST(WaveTest, UnplayableFormatsAreRefusedWithTheirReason) {
  const std::vector<uint8_t> pcm = pcmPattern(64);
  std::vector<uint8_t> notRiff = waveFile(kCanonical, pcm);
  std::memcpy(notRiff.data(), "RIFX", 4);
  std::vector<uint8_t> noData = waveFile(kCanonical, pcm);
  noData.resize(36);
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    const char* reason;
  } cases[] = {
      {"12-bit", waveFile(kCanonical, pcm, 12), "12-bit PCM"},
      {"64-bit float", waveFile({"float", 16, 3, false, false}, pcm, 64), "64-bit floating point"},
      {"extensible ADPCM", waveFile({"ext", 40, 0xFFFE, false, false}, pcm, 16, 2, 2), "ADPCM"},
      {"six channels", waveFile(kCanonical, pcm, 16, 6), "6 channels"},
      {"mu-law", waveFile({"mulaw", 16, 7, false, false}, pcm, 8), "mu-law"},
      {"not RIFF", notRiff, "no RIFF/WAVE header"},
      {"no data chunk", noData, "no data chunk"},
      {"short", std::vector<uint8_t>(notRiff.begin(), notRiff.begin() + 10), "shorter than a header"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.file("case.WAV");
    writeBytes(path, c.bytes);
    std::string reason;
    EXPECT_EQ(SourceFactory::open(u16(path), &reason), nullptr);
    EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
    // Attached directly, such a file plays nothing rather than noise.
    Wave* wave = waveOver(c.bytes);
    EXPECT_EQ(wave->getDataSize(), 0);
    uint8_t buffer[8];
    uint32_t count = 0;
    EXPECT_FALSE(wave->read(buffer, 8, &count));
    wave->release();
  }
}

TEST(WaveTest, WideAndFloatSamplesArriveAsSixteenBitOnes) {
  const int16_t expected[] = {0, 1, -1, 0x1234, -0x1235, 32767, -32768, 16384};
  // The same values in each wide format, with what lies below 16 bits rounding to nearest.
  std::vector<uint8_t> pcm24, pcm32, pcmFloat;
  const int32_t low24[] = {0x7F, 0x40, -0x80, 0x12, -0x7F, 0x7F, 0, 0};
  for (std::size_t i = 0; i < 8; ++i) {
    const int32_t v24 = expected[i] * 256 + low24[i];
    for (int b = 0; b < 3; ++b) pcm24.push_back(static_cast<uint8_t>(v24 >> (8 * b)));
    const int32_t v32 = static_cast<int32_t>(expected[i] * 65536 + (i == 1 ? 0x7FFF : 0));
    for (int b = 0; b < 4; ++b) pcm32.push_back(static_cast<uint8_t>(v32 >> (8 * b)));
    const float f = i == 5 ? 1.5f : expected[i] / 32768.0f;  // above full scale: clipped
    uint8_t raw[4];
    std::memcpy(raw, &f, 4);
    pcmFloat.insert(pcmFloat.end(), raw, raw + 4);
  }
  std::vector<uint8_t> want;
  for (int16_t v : expected) {
    want.push_back(static_cast<uint8_t>(v & 0xFF));
    want.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
  }
  const struct {
    const char* name;
    std::vector<uint8_t> file;
  } cases[] = {
      {"24-bit", waveFile(kCanonical, pcm24, 24)},
      {"32-bit", waveFile({"ext", 40, 0xFFFE, false, true}, pcm32, 32)},
      {"float", waveFile({"float", 18, 3, true, false}, pcmFloat, 32)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Wave* wave = waveOver(c.file);
    EXPECT_EQ(wave->formatError(), "");
    EXPECT_EQ(wave->getBitsPerSample(), 16);
    EXPECT_EQ(wave->outputBitsPerSample(), 16);
    EXPECT_EQ(wave->getDataSize(), 16);
    EXPECT_EQ(wave->getDurationMs(), 4 * 1000 / 22050);
    EXPECT_EQ(drain(wave, 6), want);
    int64_t position = 0;
    wave->seekPercent(50, &position);
    EXPECT_EQ(position, 8);
    EXPECT_EQ(drain(wave), std::vector<uint8_t>(want.begin() + 8, want.end()));
    wave->release();
  }
}

TEST(WaveTest, EightBitMonoIsHandedOutUnchanged) {
  const std::vector<uint8_t> pcm = pcmPattern(1001);
  Wave* wave = waveOver(waveFile(kCanonical, pcm, 8, 1));
  EXPECT_FALSE(wave->isStereo());
  EXPECT_EQ(wave->outputBitsPerSample(), 8);
  EXPECT_EQ(wave->getDurationMs(), 1001 * 1000 / 22050);
  EXPECT_EQ(drain(wave, 1000), pcm);
  wave->release();
}

TEST(WaveTest, AFileCutShortClaimsOnlyTheDataItHolds) {
  std::vector<uint8_t> bytes = waveFile(kCanonical, pcmPattern(5000));
  bytes.resize(44 + 1234);
  Wave* wave = waveOver(bytes);
  EXPECT_EQ(wave->getDataSize(), 1234);
  EXPECT_EQ(drain(wave).size(), 1234u);
  wave->release();
}

TEST(WaveTest, FactoryMakesASourceByExtensionAndItsRecord) {
  TempDir dir;
  const std::vector<int16_t> samples = sine16(440, 0.5, 8000, 1);
  const std::string path = dir.file("tone.Wav");
  ASSERT_TRUE(writeWave16(path, samples, 8000, 1));

  std::string reason;
  IEncodedAudio* source = SourceFactory::open(u16(path), &reason);
  ASSERT_NE(source, nullptr) << reason;
  EXPECT_STREQ(reinterpret_cast<const char*>(source->typeName()),
               reinterpret_cast<const char*>(u"s_sound_wav_Wave"));
  EXPECT_EQ(source->getFileSize(), 44 + 8000);
  EXPECT_EQ(source->getDurationMs(), 500);
  EXPECT_EQ(source->getDurationSeconds(), 0);

  s::sound::IInfo* info = source->createInfo(u16(path));
  EXPECT_EQ(info->getPath(), u16(path));
  EXPECT_EQ(info->getFileName(), u"tone.Wav");
  EXPECT_EQ(info->getBaseName(), u"tone");
  EXPECT_EQ(info->getPlayTimeMs(), 500);
  EXPECT_EQ(info->getSampleRate(), 8000);
  EXPECT_FALSE(info->isStereo());
  EXPECT_EQ(info->getFileType(), u"wav");
  info->release();
  source->release();

  EXPECT_EQ(SourceFactory::open(u16(dir.file("song.ogg")), &reason), nullptr);
  EXPECT_NE(reason.find("only .mp3 and .wav"), std::string::npos);
  EXPECT_EQ(SourceFactory::open(u16(dir.file("missing.wav")), &reason), nullptr);
  EXPECT_EQ(reason, "No such file or directory");
}

}  // namespace
