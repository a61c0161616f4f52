// sonvia-cli filter: runs an effect over a WAVE file chunk by chunk, through the same effect holder
// the playback engine uses, so that users can hear and compare effects and tests can check them.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "platform/wavefile/WaveFileWriter.h"
#include "s/app/console/NumberArgument.h"
#include "s/file/StagedOutput.h"
#include "s/sound/Effect.h"
#include "s/sound/EffectChoice.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/SourceFactory.h"
#include "s/sound/filter/Equalizer.h"
#include "s/sound/filter/EqualizerEx.h"
#include "s/sound/filter/Octave.h"
#include "s/sound/filter/StereoEnhancer.h"
#include "s/sound/filter/VocalInstrument.h"
#include "s/thread/Pooled.h"
#include "tools/cli/Command.h"

namespace {

constexpr long kDefaultChunk = 8192;
constexpr long kMaxChunk = 1 << 20;

int run(int argc, char** argv);

const cli::Command kFilter = {
    "filter",
    "filter NAME IN.wav OUT.wav [--chunk BYTES] [--pitch N]\n"
    "    NAME is an effect menu choice (\"Studio Original\", \"Soft Breeze\", \"Open Air\",\n"
    "      \"Vocal Main\", \"Instrument Main\", \"Bass Boost\", \"Bass Suppress\", \"Bass Only\",\n"
    "      \"Middle Boost\", \"Middle Suppress\", \"Middle Only\", \"High Boost\",\n"
    "      \"High Suppress\", \"High Only\") or one filter with its defaults (Equalizer,\n"
    "      EqualizerEx, StereoEnhancer, VocalInstrument, Octave); --pitch shifts by N\n"
    "      semitones (-12..12) after it; chunks of 8192 bytes unless --chunk says otherwise",
    &run};
const cli::Registration kRegistration(kFilter);

// A lone filter taken from its pool with its defaults, or null for another name.
s::sound::IFilter* singleFilter(const std::string& name) {
  using namespace s::sound::filter;
  if (name == "Equalizer") return Equalizer::create();
  if (name == "EqualizerEx") return EqualizerEx::create();
  if (name == "StereoEnhancer") return StereoEnhancer::create();
  if (name == "VocalInstrument") return VocalInstrument::create();
  return nullptr;
}

int run(int argc, char** argv) {
  std::vector<std::string> positional;
  long chunk = kDefaultChunk;
  long semitones = 0;
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--chunk" || arg == "--pitch") {
      int64_t v;
      if (i + 1 >= argc || !s::app::console::NumberArgument::integer(argv[i + 1], INT64_MIN, INT64_MAX, &v))
        return cli::usageError(kFilter, (arg + " needs a whole number").c_str());
      ++i;
      if (arg == "--chunk") {
        if (v < 1 || v > kMaxChunk)
          return cli::usageError(kFilter, "--chunk must be between 1 and 1048576 bytes");
        chunk = v;
      } else {
        if (v < s::sound::EffectChoice::kMinSemitones || v > s::sound::EffectChoice::kMaxSemitones)
          return cli::usageError(kFilter, "--pitch must be between -12 and 12 semitones");
        semitones = v;
      }
    } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
      return cli::usageError(kFilter, ("unknown option " + arg).c_str());
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 3) return cli::usageError(kFilter, "expected NAME, IN.wav and OUT.wav");
  const std::string& name = positional[0];
  const std::string& inPath = positional[1];
  const std::string& outPath = positional[2];

  s::sound::EffectChoice choice;
  const int32_t command = s::sound::EffectChoice::commandForText(name);
  s::thread::Pooled<s::sound::IFilter> lone = s::thread::holdPooled(singleFilter(name));
  const bool octaveOnly = name == "Octave";
  if (!command && !lone && !octaveOnly)
    return cli::usageError(kFilter, ("unknown effect or filter '" + name + "'").c_str());
  if (command) s::sound::EffectChoice::fromCommand(command, &choice);

  // The song is read through the program's own source, exactly as the engine would get it.
  std::string reason;
  s::thread::Pooled<s::sound::IEncodedAudio> source =
      s::thread::holdPooled(s::sound::SourceFactory::open(platform::text::fileNameToUtf16(inPath), &reason));
  if (!source) {
    std::fprintf(stderr, "sonvia-cli filter: cannot read '%s': %s\n", inPath.c_str(),
                 reason.c_str());
    return 1;
  }
  const bool stereo = source->outputStereo();
  const int32_t rate = source->outputSampleRate();
  const int32_t bits = source->outputBitsPerSample();
  const int64_t blockAlign = (stereo ? 2 : 1) * bits / 8;
  if (blockAlign <= 0 || chunk % blockAlign != 0) {
    const std::string why = "--chunk must be a whole number of sample frames (" +
                            std::to_string(blockAlign) + " bytes in this file)";
    return cli::usageError(kFilter, why.c_str());
  }

  s::thread::Pooled<s::sound::Effect> effect = s::thread::holdPooled(s::sound::Effect::create());
  effect->buildPresets();
  // Every filter set for this file's format before the first chunk, as the engine does.
  effect->prepare(stereo, rate, bits);
  if (lone) lone->prepare(stereo, rate, bits);
  const s::sound::EffectSettings settings = choice.settingsFor(static_cast<int32_t>(semitones));
  effect->stereoEnhancer().setEnabled(settings.stereoEnhancerOn);
  effect->equalizer().setEnabled(settings.equalizerOn);
  effect->vocalInstrument().setEnabled(settings.vocalInstrumentOn);
  if (octaveOnly) {
    // The shifter itself, also at pitch 0, where the engine would switch it off.
    effect->octave().prepare(stereo, rate, bits);
    effect->octave().setPitch(settings.pitch);
    effect->octave().setEnabled(true);
  } else {
    effect->setPitch(settings.pitch);
  }

  s::file::StagedOutput output(outPath);
  platform::wavefile::WaveFileWriter writer;
  if (!writer.open(output.writePath(), static_cast<uint32_t>(rate), stereo ? 2 : 1,
                   static_cast<uint16_t>(bits))) {
    std::fprintf(stderr, "sonvia-cli filter: cannot write '%s': %s\n", outPath.c_str(),
                 std::strerror(errno));
    return 1;
  }
  std::vector<uint8_t> buffer(static_cast<std::size_t>(chunk));
  bool ok = true;
  for (;;) {
    // Whole chunks, as the engine's read-ahead hands them on; only the last may be shorter.
    std::size_t n = 0;
    uint32_t got = 0;
    while (n < buffer.size() &&
           source->read(buffer.data() + n, static_cast<uint32_t>(buffer.size() - n), &got))
      n += got;
    if (n == 0) break;
    const auto bytes = static_cast<uint32_t>(n);
    effect->processBeforeGain(buffer.data(), bytes, stereo, rate, bits);
    if (lone) lone->process(buffer.data(), bytes, stereo, rate, bits);
    effect->processAfterGain(buffer.data(), bytes, stereo, rate, bits, settings.presetIndex);
    if (!writer.write(buffer.data(), n)) {
      ok = false;
      break;
    }
  }
  if (!writer.close() || !ok) {
    output.discard();
    std::fprintf(stderr, "sonvia-cli filter: cannot write '%s'\n", outPath.c_str());
    return 1;
  }
  if (!output.commit()) {
    std::fprintf(stderr, "sonvia-cli filter: cannot write '%s'\n", outPath.c_str());
    return 1;
  }
  return 0;
}

}  // namespace
