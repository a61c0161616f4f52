// sonvia-cli info: what the audio source and its record report about song files, as JSON.
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/text/Utf.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/SourceFactory.h"
#include "s/sound/mp3/win/Mp3.h"
#include "tools/cli/Command.h"

namespace {

using s::sound::IEncodedAudio;
using s::sound::mp3::Id3Tag;
using s::sound::mp3::win::Mp3;

std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

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
bool describe(const std::string& path, std::string* json) {
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
  }
  out += "}";
  source->release();
  *json = out;
  return true;
}

int run(int argc, char** argv);

const cli::Command kInfo = {
    "info",
    "info FILE...    format, length and frame facts of .mp3 and .wav files as JSON",
    run,
};
const cli::Registration registration(kInfo);

int run(int argc, char** argv) {
  if (argc < 1) return cli::usageError(kInfo, "no file given");
  bool allGood = true;
  if (argc > 1) std::printf("[\n");
  for (int i = 0; i < argc; ++i) {
    std::string json;
    allGood = describe(argv[i], &json) && allGood;
    std::printf("%s%s%s\n", argc > 1 ? "  " : "", json.c_str(), argc > 1 && i + 1 < argc ? "," : "");
  }
  if (argc > 1) std::printf("]\n");
  return allGood ? 0 : 1;
}

}  // namespace
