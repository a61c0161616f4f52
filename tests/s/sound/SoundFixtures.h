#pragma once
#include <mpg123.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "s/sound/IEncodedAudio.h"

namespace testing_support {

inline bool shell(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

inline std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::u16string u16(const std::string& path) { return platform::text::fileNameToUtf16(path); }

// A sine tone as a WAVE file made by sox, the input of the encoders.
inline bool makeTone(const std::string& wav, int rate, int channels, double seconds) {
  return shell("sox -n -r " + std::to_string(rate) + " -c " + std::to_string(channels) +
               " -b 16 '" + wav + "' synth " + std::to_string(seconds) + " sine 440 sine 660");
}

// Everything a source delivers from its current position, in requests of `request` bytes.
inline std::vector<uint8_t> drain(s::sound::IEncodedAudio* source, uint32_t request = 8192) {
  std::vector<uint8_t> out, chunk(request);
  uint32_t count = 0;
  for (int guard = 0; guard < 1000000 && source->read(chunk.data(), request, &count); ++guard) {
    out.insert(out.end(), chunk.begin(), chunk.begin() + count);
    count = 0;
  }
  return out;
}

// libmpg123 on its own decoding `bytes` as one stream from the start: every frame as it stands
// (the Xing/Info frame included, nothing trimmed), 16-bit little-endian with `channels` channels.
inline std::vector<uint8_t> referenceDecode(const std::vector<uint8_t>& bytes, int channels,
                                            std::size_t from = 0) {
  std::vector<uint8_t> pcm;
  mpg123_handle* mh = mpg123_new(nullptr, nullptr);
  if (!mh) return pcm;
  mpg123_param(mh, MPG123_FLAGS,
               MPG123_QUIET | MPG123_IGNORE_INFOFRAME | MPG123_FORCE_ENDIAN | MPG123_SKIP_ID3V2, 0);
  mpg123_param(mh, MPG123_RESYNC_LIMIT, -1, 0);
  mpg123_format_none(mh);
  const long* rates = nullptr;
  size_t count = 0;
  mpg123_rates(&rates, &count);
  for (size_t i = 0; i < count; ++i)
    mpg123_format(mh, rates[i], channels == 1 ? MPG123_MONO : MPG123_STEREO, MPG123_ENC_SIGNED_16);
  mpg123_open_feed(mh);
  if (from < bytes.size()) mpg123_feed(mh, bytes.data() + from, bytes.size() - from);
  std::vector<unsigned char> out(65536);
  for (;;) {
    size_t done = 0;
    const int rc = mpg123_read(mh, out.data(), out.size(), &done);
    pcm.insert(pcm.end(), out.begin(), out.begin() + static_cast<std::ptrdiff_t>(done));
    if (rc == MPG123_OK || rc == MPG123_NEW_FORMAT || (rc == MPG123_ERR && done > 0)) continue;
    break;
  }
  mpg123_delete(mh);
  return pcm;
}

}  // namespace testing_support
