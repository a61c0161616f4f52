// sonvia-cli info and decode, run as a user would.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/s/sound/SoundFixtures.h"
#include "tests/support/CliRun.h"
#include "tests/support/Signals.h"
#include "tests/support/TempDir.h"

namespace {

using namespace testing_support;

using Result = CliResult;

Result cli(const std::string& args) { return runCli(args); }

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
      std::to_string(size) + ", \"tagKind\": \"none\", \"xing\": null, \"tags\": {}},\n";
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

TEST(SourceCliTest, InfoShowsTagsInTheChosenCodePages) {
  testing_support::TempDir dir;
  const std::string wav = dir.file("tone.wav");
  const std::string mp3 = dir.file("tagged.mp3");
  ASSERT_TRUE(testing_support::writeWave16(wav, testing_support::sine16(440, 0.5, 22050, 1),
                                           22050, 1));
  ASSERT_TRUE(shell("lame --quiet --tt Plain --ta Band " + q(wav) + " " + q(mp3)));

  Result plain = cli("info " + q(mp3));
  EXPECT_EQ(plain.status, 0);
  EXPECT_NE(plain.out.find("\"title\": {\"text\": \"Plain\", \"encoding\": "), std::string::npos)
      << plain.out;
  EXPECT_NE(plain.out.find("\"artist\": {\"text\": \"Band\""), std::string::npos) << plain.out;

  Result chosen = cli("info " + q(mp3) + " --tag-codepage title=1251");
  EXPECT_EQ(chosen.status, 0);
  const std::size_t title = chosen.out.find("\"title\"");
  ASSERT_NE(title, std::string::npos);
  EXPECT_EQ(chosen.out.find("\"codePage\": {\"number\": 1251", title),
            chosen.out.find("\"codePage\"", title))
      << chosen.out;

  EXPECT_EQ(cli("info " + q(mp3) + " --codepage no-such-page").status, 2);
  EXPECT_EQ(cli("info " + q(mp3) + " --codepage").status, 2);
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

// Paths that name no regular file (a FIFO, a device, a link to one) are turned away at once:
// opening a FIFO used to wait for a writer forever and a link to /dev/zero was read forever.
TEST(SourceCliTest, FilesThatAreNotFilesAreRefusedWithoutWaiting) {
  TempDir dir;
  const std::string fifo = dir.file("y.mp3"), zero = dir.file("x.mp3"),
                    random = dir.file("r.wav");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
  ASSERT_EQ(symlink("/dev/urandom", random.c_str()), 0);
  const std::chrono::seconds bound(30);
  for (const std::string& path : {fifo, zero, random}) {
    SCOPED_TRACE(path);
    CliResult info = runCli("info " + q(path), "", bound);
    EXPECT_FALSE(info.hung);
    EXPECT_EQ(info.status, 1) << info.all();
    EXPECT_NE(info.all().find("not a regular file"), std::string::npos) << info.all();

    CliResult play = runCli("play --device null " + q(path), "", bound);
    EXPECT_FALSE(play.hung);
    EXPECT_EQ(play.status, 1) << play.all();
    EXPECT_NE(play.all().find("not a regular file"), std::string::npos) << play.all();

    CliResult tags = runCli("tag show " + q(path), "", bound);
    EXPECT_FALSE(tags.hung);
    EXPECT_NE(tags.status, 0) << tags.all();
  }
}

// A termination request ends the console player promptly, its song half played.
TEST(SourceCliTest, TheConsolePlayerEndsOnATerminationRequest) {
  TempDir dir;
  const std::string wav = dir.file("long.wav");
  ASSERT_TRUE(writeWave16(wav, sine16(440, 30.0, 8000, 1), 8000, 1));
  for (int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    CliResult played = runShell(std::string("exec ") + SONVIA_CLI_PATH + " play --device null " +
                                    q(wav),
                                std::chrono::seconds(20), 500, signal);
    EXPECT_FALSE(played.hung) << played.all();
    EXPECT_TRUE(played.status == 130 || played.signal == signal) << played.all();
  }
}

}  // namespace
