// sonvia-cli info and decode, run as a user would.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "tests/s/sound/SoundFixtures.h"
#include "tests/support/Signals.h"
#include "tests/support/TempDir.h"

namespace {

using namespace testing_support;

struct Result {
  int status;
  std::string out;
};

Result cli(const std::string& args) {
  Result r{-1, ""};
  FILE* pipe = popen((std::string(SONVIA_CLI_PATH) + " " + args + " 2>/dev/null").c_str(), "r");
  if (!pipe) return r;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) r.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::string q(const std::string& path) { return "'" + path + "'"; }

TEST(SourceCliTest, InfoPrintsOneObjectPerFileAndErrorsLast) {
  TempDir dir;
  const std::string wav = dir.file("tone.wav"), mp3 = dir.file("tone.mp3");
  ASSERT_TRUE(writeWave16(wav, sine16(440, 1.0, 22050, 1), 22050, 1));
  ASSERT_TRUE(shell("lame --quiet -t -b 128 " + q(wav) + " " + q(mp3)));
  writeBytes(dir.file("text.mp3"), std::vector<uint8_t>(500, 'x'));

  Result one = cli("info " + q(wav));
  EXPECT_EQ(one.status, 0);
  EXPECT_EQ(one.out, "{\"path\": \"" + wav +
                         "\", \"type\": \"wav\", \"sampleRate\": 22050, \"channels\": 1, "
                         "\"bitsPerSample\": 16, \"dataSize\": 44100, \"durationMs\": 1000}\n");

  Result many = cli("info " + q(mp3) + " " + q(dir.file("missing.wav")) + " " +
                    q(dir.file("text.mp3")) + " " + q(wav));
  EXPECT_EQ(many.status, 1);
  ASSERT_EQ(many.out.front(), '[');
  // MPEG-2 layer 3 at 22050 Hz, 128 kbit/s, no Info frame: 417-byte frames of 576 samples.
  const int64_t size = static_cast<int64_t>(readBytes(mp3).size());
  const int64_t frames = size / 417;
  const std::string expected =
      "  {\"path\": \"" + mp3 + "\", \"type\": \"mp3\", \"sampleRate\": 22050, \"channels\": 1, "
      "\"bitsPerSample\": 16, \"dataSize\": " + std::to_string(576 * frames * 2) +
      ", \"durationMs\": " + std::to_string(frames * 576 * 1000 / 22050) +
      ", \"bitRateKbps\": 128, \"frameCount\": " + std::to_string(frames) +
      ", \"frameLength\": 417, \"firstFramePosition\": 0, \"audioBytes\": " +
      std::to_string(size) + ", \"tagKind\": \"none\", \"xing\": null},\n";
  EXPECT_EQ(many.out.substr(2, expected.size()), expected);
  EXPECT_NE(many.out.find("{\"path\": \"" + dir.file("missing.wav") +
                          "\", \"error\": \"No such file or directory\"}"),
            std::string::npos);
  EXPECT_NE(many.out.find("\"error\": \"not an MP3 file: no MPEG audio frame found\""),
            std::string::npos);
  EXPECT_NE(many.out.find("\"type\": \"wav\""), std::string::npos);
  EXPECT_EQ(many.out.substr(many.out.size() - 2), "]\n");

  EXPECT_EQ(cli("info").status, 2);
}

TEST(SourceCliTest, DecodeWritesWhatTheSourceDelivers) {
  TempDir dir;
  const std::string wav = dir.file("tone.wav"), mp3 = dir.file("tone.mp3");
  ASSERT_TRUE(makeTone(wav, 48000, 2, 1.0));
  ASSERT_TRUE(shell("lame --quiet -t -b 128 " + q(wav) + " " + q(mp3)));
  const std::vector<uint8_t> bytes = readBytes(mp3);

  // A WAVE file comes back byte for byte.
  ASSERT_EQ(cli("decode " + q(wav) + " " + q(dir.file("copy.wav"))).status, 0);
  EXPECT_TRUE(readBytes(dir.file("copy.wav")) == readBytes(wav));

  ASSERT_EQ(cli("decode " + q(mp3) + " " + q(dir.file("whole.wav"))).status, 0);
  std::vector<uint8_t> whole = readBytes(dir.file("whole.wav"));
  const std::vector<uint8_t> reference = referenceDecode(bytes, 2);
  ASSERT_GT(whole.size(), 44u);
  EXPECT_TRUE(std::vector<uint8_t>(whole.begin() + 44, whole.end()) == reference);

  // 128 kbit/s at 48000 Hz: 384-byte frames; 50 % of the frames is where decoding resumes.
  ASSERT_EQ(cli("decode --seek 50 " + q(mp3) + " " + q(dir.file("half.wav"))).status, 0);
  std::vector<uint8_t> half = readBytes(dir.file("half.wav"));
  const std::size_t frames = bytes.size() / 384;
  const std::vector<uint8_t> rest = referenceDecode(bytes, 2, frames / 2 * 384);
  EXPECT_TRUE(std::vector<uint8_t>(half.begin() + 44, half.end()) == rest);

  EXPECT_EQ(cli("decode " + q(mp3)).status, 2);
  EXPECT_EQ(cli("decode --seek abc " + q(mp3) + " " + q(dir.file("x.wav"))).status, 2);
  EXPECT_EQ(cli("decode --seek 101 " + q(mp3) + " " + q(dir.file("x.wav"))).status, 2);
  EXPECT_EQ(cli("decode " + q(dir.file("none.mp3")) + " " + q(dir.file("x.wav"))).status, 1);
  EXPECT_TRUE(readBytes(dir.file("x.wav")).empty());
}

}  // namespace
