// sonvia-cli render, run as a user would, against the input PCM, `filter` and `decode`.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/wavefile/WaveFileWriter.h"
#include "tests/s/sound/SoundFixtures.h"
#include "tests/s/system/audio/CliRun.h"
#include "tests/s/system/audio/TestSource.h"
#include "tests/support/Signals.h"
#include "tests/support/TempDir.h"

using namespace enginetest;
using namespace testing_support;

namespace {

constexpr std::size_t kHeader = 44;

std::vector<uint8_t> samplesOf(const std::string& path) {
  auto bytes = readBytes(path);
  return bytes.size() < kHeader ? std::vector<uint8_t>{} : std::vector<uint8_t>(bytes.begin() + kHeader, bytes.end());
}

bool writeWave(const std::string& path, const std::vector<uint8_t>& pcm, uint32_t rate, uint16_t channels, uint16_t bits) {
  platform::wavefile::WaveFileWriter w;
  return w.open(path, rate, channels, bits) && w.write(pcm.data(), pcm.size()) && w.close();
}

}  // namespace

TEST(RenderCli, SixteenBitAtVolumeOneIsBitForBitAndHalfVolumeTruncatesAQuarter) {
  TempDir dir;
  struct Case {
    uint32_t rate;
    uint16_t channels;
    std::size_t bytes;
  };
  for (const Case& c : {Case{44100, 2, 700001 * 4}, Case{22050, 1, 8192 * 5 + 2}}) {
    SCOPED_TRACE(c.rate);
    const auto pcm = pattern(c.bytes, c.rate);
    const std::string in = dir.file("in.wav"), out = dir.file("out.wav");
    ASSERT_TRUE(writeWave(in, pcm, c.rate, c.channels, 16));
    auto r = cli("render " + q(in) + " " + q(out));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(readBytes(out) == readBytes(in));

    r = cli("render " + q(in) + " " + q(out) + " --volume 0.5");
    ASSERT_EQ(r.status, 0) << r.out;
    const auto half = samplesOf(out);
    ASSERT_EQ(half.size(), pcm.size());
    std::size_t wrong = 0;
    for (std::size_t i = 0; i + 1 < pcm.size(); i += 2) {
      const auto s = static_cast<int16_t>(pcm[i] | (pcm[i + 1] << 8));
      const auto expected = static_cast<int16_t>(std::trunc(static_cast<float>(s) * 0.25f));
      if (static_cast<int16_t>(half[i] | (half[i + 1] << 8)) != expected) ++wrong;
    }
    EXPECT_EQ(wrong, 0u);
  }
}

TEST(RenderCli, EightBitSamplesRoundHalvesAwayFromZero) {
  TempDir dir;
  std::vector<uint8_t> pcm(256 * 100);
  for (std::size_t i = 0; i < pcm.size(); ++i) pcm[i] = static_cast<uint8_t>(i);
  const std::string in = dir.file("in8.wav"), out = dir.file("out8.wav");
  ASSERT_TRUE(writeWave(in, pcm, 8000, 1, 8));
  auto r = cli("render " + q(in) + " " + q(out) + " --volume 0.5");
  ASSERT_EQ(r.status, 0) << r.out;
  const auto got = samplesOf(out);
  ASSERT_EQ(got.size(), pcm.size());
  for (int b = 0; b < 256; ++b) {
    const long expected = std::lround((b - 128) * 0.25 + 128);
    ASSERT_EQ(got[static_cast<std::size_t>(b)], expected) << "byte " << b;
  }
  EXPECT_EQ(got[130], 129);  // 128.5
  EXPECT_EQ(got[126], 128);  // 127.5
}

// The engine runs the same filters in the same chunks as `filter`, so the files are identical.
TEST(RenderCli, EffectsAndPitchMatchTheFilterCommand) {
  TempDir dir;
  const std::string in = dir.file("tone.wav");
  ASSERT_TRUE(writeWave16(in, sine16(330, 2.5, 44100, 2), 44100, 2));
  struct Case {
    const char* effect;
    int semitones;
  };
  for (const Case& c : {Case{"Open Air", 0}, Case{"Vocal Main", 0}, Case{"Bass Boost", 3}, Case{"Studio Original", -5}}) {
    SCOPED_TRACE(c.effect);
    const std::string pitch = std::to_string(c.semitones);
    const std::string filtered = dir.file("filtered.wav"), rendered = dir.file("rendered.wav");
    auto f = cli(std::string("filter '") + c.effect + "' " + q(in) + " " + q(filtered) + " --pitch " + pitch);
    ASSERT_EQ(f.status, 0) << f.out;
    auto r = cli("render " + q(in) + " " + q(rendered) + " --effect '" + c.effect + "' --pitch " + pitch);
    ASSERT_EQ(r.status, 0) << r.out;
    const auto a = readBytes(filtered), b = readBytes(rendered);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_TRUE(a == b);
  }
}

TEST(RenderCli, AnMp3RendersAsItsSourceDecodesFromTheStartAndFromASeek) {
  TempDir dir;
  const std::string tone = dir.file("tone.wav"), mp3 = dir.file("tone.mp3");
  ASSERT_TRUE(makeTone(tone, 44100, 2, 4));
  ASSERT_TRUE(shell("lame --quiet -b 128 " + q(tone) + " " + q(mp3)));
  for (const std::string& seek : {std::string(), std::string(" --seek 40")}) {
    SCOPED_TRACE(seek);
    const std::string decoded = dir.file("decoded.wav"), rendered = dir.file("rendered.wav");
    ASSERT_EQ(cli("decode" + seek + " " + q(mp3) + " " + q(decoded)).status, 0);
    auto r = cli("render " + q(mp3) + " " + q(rendered) + seek);
    ASSERT_EQ(r.status, 0) << r.out;
    const auto a = readBytes(decoded), b = readBytes(rendered);
    EXPECT_GT(a.size(), 100000u);
    EXPECT_TRUE(a == b);
  }
}

TEST(RenderCli, RefusesWhatItCannotPlayAndLeavesNoFileBehind) {
  TempDir dir;
  const std::string text = dir.file("notes.wav"), out = dir.file("out.wav");
  writeBytes(text, std::vector<uint8_t>(300, 'x'));
  auto r = cli("render " + q(text) + " " + q(out));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("notes.wav"), std::string::npos) << r.out;
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_FALSE(std::filesystem::exists(out + ".part"));

  const std::string in = dir.file("in.wav");
  ASSERT_TRUE(writeWave16(in, sine16(440, 0.2, 8000, 1), 8000, 1));
  r = cli("render " + q(in) + " " + q(dir.file("no-such-folder/out.wav")));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("cannot"), std::string::npos) << r.out;

  for (const std::string& args : std::vector<std::string>{"", q(in), q(in) + " " + q(out) + " --volume -1", q(in) + " " + q(out) + " --pitch 13",
                                 q(in) + " " + q(out) + " --effect Loud", q(in) + " " + q(out) + " --seek 101"}) {
    SCOPED_TRACE(args);
    EXPECT_EQ(cli("render " + args).status, 2);
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}
