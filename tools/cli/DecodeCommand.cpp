// sonvia-cli decode: the PCM an audio source delivers, as the player's engine would pull it,
// written to a canonical WAVE file.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "platform/wavefile/WaveFileWriter.h"
#include "s/app/console/NumberArgument.h"
#include "s/file/StagedOutput.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/SourceFactory.h"
#include "s/sound/mp3/win/Mp3.h"
#include "tools/cli/Command.h"

namespace {

using s::sound::IEncodedAudio;

int run(int argc, char** argv);

const cli::Command kDecode = {
    "decode",
    "decode [--seek PERCENT] FILE OUT.wav    the PCM a song's source delivers, as a WAVE file",
    run,
};
const cli::Registration registration(kDecode);

// The engine's request size.
constexpr uint32_t kChunk = 8192;

int run(int argc, char** argv) {
  std::vector<std::string> files;
  bool seek = false;
  float percent = 0;
  for (int i = 0; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--seek") {
      if (i + 1 >= argc) return cli::usageError(kDecode, "--seek needs a percentage");
      double value = 0;
      if (!s::app::console::NumberArgument::real(argv[++i], 0, 100, &value))
        return cli::usageError(kDecode, "--seek takes a percentage from 0 to 100");
      seek = true;
      percent = static_cast<float>(value);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return cli::usageError(kDecode, ("unknown option " + arg).c_str());
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) return cli::usageError(kDecode, "give one song file and one output file");

  std::string reason;
  IEncodedAudio* source =
      s::sound::SourceFactory::open(platform::text::fileNameToUtf16(files[0]), &reason);
  if (!source) {
    std::fprintf(stderr, "sonvia-cli decode: %s: %s\n", files[0].c_str(), reason.c_str());
    return 1;
  }
  auto* mp3 = dynamic_cast<s::sound::mp3::win::Mp3*>(source);
  if (mp3 && !mp3->hasFirstFrame()) {
    std::fprintf(stderr, "sonvia-cli decode: %s: not an MP3 file: no MPEG audio frame found\n",
                 files[0].c_str());
    source->release();
    return 1;
  }
  if (seek) {
    int64_t position = 0;
    source->seekPercent(percent, &position);
  }

  s::file::StagedOutput output(files[1]);
  platform::wavefile::WaveFileWriter writer;
  const auto channels = static_cast<uint16_t>(source->outputStereo() ? 2 : 1);
  const auto bits = static_cast<uint16_t>(source->outputBitsPerSample());
  if (!writer.open(output.writePath(), static_cast<uint32_t>(source->outputSampleRate()), channels, bits)) {
    std::fprintf(stderr, "sonvia-cli decode: cannot write %s\n", files[1].c_str());
    source->release();
    return 1;
  }
  std::vector<uint8_t> chunk(kChunk);
  uint32_t count = 0;
  bool written = true;
  while (written && source->read(chunk.data(), kChunk, &count)) {
    if (count > 0) written = writer.write(chunk.data(), count);
    count = 0;
  }
  source->release();
  if (!writer.close() || !written) {
    std::fprintf(stderr, "sonvia-cli decode: writing %s failed\n", files[1].c_str());
    output.discard();
    return 1;
  }
  if (!output.commit()) {
    std::fprintf(stderr, "sonvia-cli decode: cannot write %s\n", files[1].c_str());
    return 1;
  }
  return 0;
}

}  // namespace
