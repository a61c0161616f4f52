// sonvia-cli info: what the audio source and its record report about song files, as JSON.
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/text/Utf.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/SourceFactory.h"
#include "s/sound/mp3/TagCodePageChoice.h"
#include "s/sound/mp3/TagJson.h"
#include "s/sound/mp3/win/Info.h"
#include "s/sound/mp3/win/Mp3.h"
#include "tools/cli/Command.h"

namespace {

using s::sound::IEncodedAudio;
using s::sound::mp3::Id3Tag;
using s::sound::mp3::win::Mp3;

std::string jsonString(const std::string& text) { return s::sound::mp3::TagJson::quote(text); }

// The code page choices of the command line, in the order given.
using Choices = std::vector<std::pair<std::string, std::string>>;

const char* tagKindName(Id3Tag::Kind kind) {
  switch (kind) {
    case Id3Tag::kVersion1: return "id3v1";
    case Id3Tag::kVersion2: return "id3v2";
    default: return "none";
  }
}

std::string errorObject(const std::string& path, const std::string& error) {
  return "{\"path\": " + jsonString(path) + ", \"error\": " + jsonString(error) + "}";
}

// The JSON object for one file; false (with an error object) when it is no playable song.
bool describe(const std::string& path, const Choices& choices, std::string* json) {
  std::string reason;
  IEncodedAudio* source =
      s::sound::SourceFactory::open(platform::text::fileNameToUtf16(path), &reason);
  if (!source) {
    *json = errorObject(path, reason);
    return false;
  }
  auto* mp3 = dynamic_cast<Mp3*>(source);
  if (mp3 && !mp3->hasFirstFrame()) {
    source->release();
    *json = errorObject(path, "not an MP3 file: no MPEG audio frame found");
    return false;
  }
  auto num = [](int64_t v) { return std::to_string(v); };
  std::string out = "{\"path\": " + jsonString(path);
  out += ", \"type\": " + jsonString(mp3 ? "mp3" : "wav");
  out += ", \"sampleRate\": " + num(source->getSampleRate());
  out += ", \"channels\": " + num(source->isStereo() ? 2 : 1);
  out += ", \"bitsPerSample\": " + num(source->getBitsPerSample());
  out += ", \"dataSize\": " + num(source->getDataSize());
  out += ", \"durationMs\": " + num(source->getDurationMs());
  if (mp3) {
    const s::sound::mp3::FrameHeader first = mp3->firstFrame();
    out += ", \"bitRateKbps\": " + num(mp3->getBitRateKbps());
    out += ", \"frameCount\": " + num(mp3->getFrameCount());
    out += ", \"frameLength\": " + num(mp3->getFrameLength());
    out += ", \"firstFramePosition\": " + num(first.position);
    out += ", \"audioBytes\": " + num(mp3->getAudioBytes());
    out += ", \"tagKind\": " + jsonString(tagKindName(mp3->getTagKind()));
    if (first.xing)
      out += ", \"xing\": {\"frames\": " + num(first.xingFrames) + ", \"bytes\": " +
             num(first.xingBytes) + ", \"flags\": " + num(first.xingFlags) + "}";
    else
      out += ", \"xing\": null";
    s::sound::IInfo* record = mp3->createInfo(platform::text::fileNameToUtf16(path));
    if (auto* info = dynamic_cast<s::sound::mp3::win::Info*>(record)) {
      for (const auto& [option, value] : choices)
        s::sound::mp3::TagCodePageChoice::apply(*info, option, value, nullptr);
      out += ", \"tags\": " + s::sound::mp3::TagJson::of(*info);
    }
    if (record) record->release();
  }
  out += "}";
  source->release();
  *json = out;
  return true;
}

int run(int argc, char** argv);

const cli::Command kInfo = {
    "info",
    "info FILE... [--codepage NAME] [--tag-codepage TAG=NAME]...\n"
    "    format, length and frame facts of .mp3 and .wav files as JSON, with the MP3 tags\n"
    "    decoded in the code page chosen for the song (--codepage) or for one tag",
    run,
};
const cli::Registration registration(kInfo);

int run(int argc, char** argv) {
  std::vector<std::string> files;
  Choices choices;
  for (int i = 0; i < argc; ++i) {
    std::string arg = argv[i];
    if (s::sound::mp3::TagCodePageChoice::isOption(arg)) {
      if (i + 1 >= argc) return cli::usageError(kInfo, (arg + " needs a value").c_str());
      // Checked once on an empty record, so a wrong name stops before any file is read.
      s::sound::mp3::win::Info probe;
      std::string error;
      if (!s::sound::mp3::TagCodePageChoice::apply(probe, arg, argv[i + 1], &error))
        return cli::usageError(kInfo, error.c_str());
      choices.emplace_back(arg, argv[++i]);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return cli::usageError(kInfo, ("unknown option " + arg).c_str());
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) return cli::usageError(kInfo, "no file given");
  bool allGood = true;
  const bool several = files.size() > 1;
  if (several) std::printf("[\n");
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::string json;
    allGood = describe(files[i], choices, &json) && allGood;
    std::printf("%s%s%s\n", several ? "  " : "", json.c_str(),
                several && i + 1 < files.size() ? "," : "");
  }
  if (several) std::printf("]\n");
  return allGood ? 0 : 1;
}

}  // namespace
