// End-to-end: sonvia-cli filter against the outside reference implementation of the filters.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "s/sound/Effect.h"
#include "s/sound/EffectChoice.h"
#include "tests/s/sound/filter/FilterTestSupport.h"
#include "tests/support/CliRun.h"
#include "tests/support/Signals.h"
#include "tests/support/TempDir.h"

namespace {

struct Result {
  int status;
  std::string output;
};

using testing_support::quoted;

Result runShell(const std::string& command) {
  const testing_support::CliResult r = testing_support::runShell(command);
  return {r.status, r.all()};
}

Result cli(const std::vector<std::string>& args) {
  std::string command = SONVIA_CLI_PATH;
  command += " filter";
  for (const std::string& a : args) command += " " + quoted(a);
  return runShell(command);
}

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void spit(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The samples of a 16-bit WAVE file written by the reference (canonical 44-byte header).
std::vector<int16_t> samplesOf(const std::string& path) {
  const std::string bytes = slurp(path);
  std::vector<int16_t> pcm(bytes.size() > 44 ? (bytes.size() - 44) / 2 : 0);
  if (!pcm.empty()) std::memcpy(pcm.data(), bytes.data() + 44, pcm.size() * 2);
  return pcm;
}

// The effect of a menu choice, run in process through the holder as the engine runs it.
std::vector<int16_t> throughEffect(int32_t command, std::vector<int16_t> pcm, bool stereo,
                                   int32_t rate, uint32_t chunk) {
  // A new holder, not one from the pool: a pooled holder's standing equalisers carry the state
  // of whatever ran through them before, as they do from song to song.
  auto effect = std::make_unique<s::sound::Effect>();
  effect->buildPresets();
  s::sound::EffectChoice choice;
  s::sound::EffectChoice::fromCommand(command, &choice);
  const s::sound::EffectSettings settings = choice.settingsFor(0);
  effect->stereoEnhancer().setEnabled(settings.stereoEnhancerOn);
  effect->equalizer().setEnabled(settings.equalizerOn);
  effect->vocalInstrument().setEnabled(settings.vocalInstrumentOn);
  effect->prepare(stereo, rate, 16);
  auto* bytes = reinterpret_cast<uint8_t*>(pcm.data());
  for (std::size_t at = 0; at < pcm.size() * 2; at += chunk) {
    const auto n = static_cast<uint32_t>(std::min<std::size_t>(chunk, pcm.size() * 2 - at));
    effect->processBeforeGain(bytes + at, n, stereo, rate, 16);
    effect->processAfterGain(bytes + at, n, stereo, rate, 16, settings.presetIndex);
  }
  return pcm;
}

std::string referenceScript() {
  return std::string(SONVIA_SOURCE_DIR) + "/scripts/effects/reference_filters.py";
}

}  // namespace

TEST(FilterCommandTest, EveryChoiceMatchesTheReferenceSampleForSample) {
  testing_support::TempDir dir;
  struct Input {
    const char* name;
    int channels;
    uint32_t rate;
    uint32_t chunk;
  };
  // Mono at another rate, and a chunk size that cuts frames of the stereo file mid-way through
  // the equalisers' history.
  for (const Input in : {Input{"stereo", 2, 44100, 8192}, Input{"mono", 1, 22050, 8192},
                         Input{"stereo", 2, 48000, 1000}}) {
    const std::string src = dir.file(std::string(in.name) + ".wav");
    const std::vector<int16_t> pcm = filter_test::mixedSignal(6000, in.channels);
    ASSERT_TRUE(testing_support::writeWave16(src, pcm, in.rate, in.channels));
    const Result ref = runShell("python3 " + quoted(referenceScript()) + " --all " + quoted(src) +
                                " " + quoted(dir.path()) + " --chunk " + std::to_string(in.chunk));
    ASSERT_EQ(ref.status, 0) << ref.output;
    for (int32_t command = s::sound::EffectChoice::kStudioOriginal;
         command <= s::sound::EffectChoice::kLastCommand; ++command) {
      const char* choice = s::sound::EffectChoice::englishText(command);
      const std::vector<int16_t> ours =
          throughEffect(command, pcm, in.channels == 2, static_cast<int32_t>(in.rate), in.chunk);
      const std::vector<int16_t> theirs = samplesOf(dir.file(std::string(choice) + ".wav"));
      ASSERT_EQ(ours.size(), theirs.size()) << choice;
      std::size_t firstDifference = ours.size();
      for (std::size_t i = 0; i < ours.size() && firstDifference == ours.size(); ++i)
        if (ours[i] != theirs[i]) firstDifference = i;
      EXPECT_EQ(firstDifference, ours.size())
          << choice << " on " << in.name << " at " << in.rate << " Hz differs first at sample "
          << firstDifference;
      if (command != s::sound::EffectChoice::kStudioOriginal) {
        EXPECT_NE(ours, pcm) << choice;
      }
    }
  }
}

TEST(FilterCommandTest, CommandGivesTheSameResultAsTheReference) {
  testing_support::TempDir dir;
  const std::string src = dir.file("in.wav");
  ASSERT_TRUE(testing_support::writeWave16(src, filter_test::mixedSignal(6000, 2), 44100, 2));
  for (const char* choice : {"Soft Breeze", "Open Air", "Vocal Main"}) {
    const Result r = cli({choice, src, dir.file("ours.wav"), "--chunk", "4096"});
    ASSERT_EQ(r.status, 0) << choice << ": " << r.output;
    const Result ref = runShell("python3 " + quoted(referenceScript()) + " " + quoted(choice) + " " +
                                quoted(src) + " " + quoted(dir.file("theirs.wav")) + " --chunk 4096");
    ASSERT_EQ(ref.status, 0) << ref.output;
    EXPECT_TRUE(slurp(dir.file("ours.wav")) == slurp(dir.file("theirs.wav"))) << choice;
  }
}

TEST(FilterCommandTest, PitchAndSingleFiltersOnChunkedAndEightBitFiles) {
  testing_support::TempDir dir;
  // An 8-bit mono file with a LIST chunk before and an odd-sized chunk after the samples.
  const std::vector<int16_t> tone = testing_support::sine16(440, 0.4, 22050, 1, 100);  // even length: no pad byte
  std::string samples;
  for (int16_t v : tone) samples += static_cast<char>(v + 128);
  auto le32 = [](uint32_t v) {
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
  };
  std::string fmt = std::string("fmt ") + le32(16) + std::string("\x01\x00\x01\x00", 4) + le32(22050) +
                    le32(22050) + std::string("\x01\x00\x08\x00", 4);
  std::string body = "WAVE" + fmt + "LIST" + le32(4) + "INFO" + "data" + le32(static_cast<uint32_t>(samples.size())) +
                     samples + "junk" + le32(3) + std::string("abc\0", 4);
  spit(dir.file("eight.wav"), "RIFF" + le32(static_cast<uint32_t>(body.size())) + body);

  const Result r = cli({"Studio Original", dir.file("eight.wav"), dir.file("up.wav"), "--pitch", "12"});
  ASSERT_EQ(r.status, 0) << r.output;
  const std::string out = slurp(dir.file("up.wav"));
  ASSERT_EQ(out.size(), 44 + samples.size());
  std::vector<int16_t> centred;
  for (std::size_t i = 44; i < out.size(); ++i)
    centred.push_back(static_cast<int16_t>(static_cast<uint8_t>(out[i]) - 128));
  EXPECT_NEAR(filter_test::zeroCrossingHz(centred, 4096, centred.size(), 22050), 880, 9);

  // A lone filter by its class name, with its pool defaults.
  const std::string stereo = dir.file("stereo.wav");
  ASSERT_TRUE(testing_support::writeWave16(stereo, testing_support::sine16(440, 0.3, 44100, 2), 44100, 2));
  for (const char* name : {"Equalizer", "EqualizerEx", "StereoEnhancer", "VocalInstrument", "Octave"}) {
    const Result one = cli({name, stereo, dir.file("one.wav"), "--pitch", "-5"});
    EXPECT_EQ(one.status, 0) << name << ": " << one.output;
    EXPECT_EQ(slurp(dir.file("one.wav")).size(), slurp(stereo).size()) << name;
  }

  // The output may replace the input.
  const std::string before = slurp(stereo);
  ASSERT_EQ(cli({"Open Air", stereo, stereo}).status, 0);
  EXPECT_EQ(slurp(stereo).size(), before.size());
  EXPECT_NE(slurp(stereo), before);
}

TEST(FilterCommandTest, BadCommandLinesAndFilesGetClearMessagesAndLoseNothing) {
  testing_support::TempDir dir;
  const std::string src = dir.file("in.wav"), out = dir.file("out.wav");
  ASSERT_TRUE(testing_support::writeWave16(src, testing_support::sine16(440, 0.1, 44100, 2), 44100, 2));
  spit(out, "precious");
  spit(dir.file("text.wav"), "this is not audio at all");
  std::string float32 = slurp(src);
  float32[20] = 3;  // IEEE float format tag
  spit(dir.file("float.wav"), float32);

  struct Case {
    std::vector<std::string> args;
    int status;
    const char* message;
  };
  const std::vector<Case> cases = {
      {{"Open Air", src}, 2, "expected NAME, IN.wav and OUT.wav"},
      {{"Loud Air", src, out}, 2, "unknown effect or filter 'Loud Air'"},
      {{"Open Air", src, out, "--pitch", "13"}, 2, "--pitch must be between -12 and 12"},
      {{"Open Air", src, out, "--pitch", "two"}, 2, "--pitch needs a whole number"},
      {{"Open Air", src, out, "--chunk", "0"}, 2, "--chunk must be between 1 and 1048576"},
      {{"Open Air", src, out, "--chunk", "8191"}, 2, "whole number of sample frames (4 bytes"},
      {{"Open Air", src, out, "--speed", "2"}, 2, "unknown option --speed"},
      {{"Open Air", dir.file("missing.wav"), out}, 1, "No such file or directory"},
      {{"Open Air", dir.file("text.wav"), out}, 1, "not a WAVE file: no RIFF/WAVE header"},
      {{"Open Air", dir.file("float.wav"), out}, 1, "unsupported WAVE format: 16-bit floating point"},
      {{"Open Air", src, dir.file("no/such/folder/out.wav")}, 1, "cannot write"},
  };
  for (const Case& c : cases) {
    const Result r = cli(c.args);
    EXPECT_EQ(r.status, c.status) << r.output;
    EXPECT_NE(r.output.find(c.message), std::string::npos) << r.output;
    EXPECT_EQ(slurp(out), "precious");
  }
}
