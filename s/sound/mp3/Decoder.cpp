#include "s/sound/mp3/Decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>

namespace s::sound::mp3 {

bool Decoder::prepare(int channels) {
  exit();
  int error = MPG123_OK;
  mpg123_handle* handle = mpg123_new(nullptr, &error);
  if (!handle) return false;
  // IGNORE_INFOFRAME: the Xing/Info frame is decoded like any other frame instead of being
  //   swallowed, so delivered PCM starts at the first frame the source counts.
  // No GAPLESS: encoder delay and padding stay in, or the PCM would be shorter than the frame
  //   arithmetic says and seek positions would drift by the delay.
  // FORCE_ENDIAN (without BIG_ENDIAN): little-endian samples whatever the machine.
  // SKIP_ID3V2: tags are the record's business; the decoder only needs to step over them.
  // QUIET: a library never prints.
  const long flags = MPG123_QUIET | MPG123_IGNORE_INFOFRAME | MPG123_FORCE_ENDIAN |
                     MPG123_SKIP_ID3V2;
  bool ok = mpg123_param(handle, MPG123_FLAGS, flags, 0) == MPG123_OK;
  // Junk and damaged stretches of any length are skipped rather than ending the stream.
  ok = ok && mpg123_param(handle, MPG123_RESYNC_LIMIT, -1, 0) == MPG123_OK;
  ok = ok && mpg123_format_none(handle) == MPG123_OK;
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  const int channelFlag = channels == 1 ? MPG123_MONO : MPG123_STEREO;
  for (size_t i = 0; ok && i < rateCount; ++i)
    ok = mpg123_format(handle, rates[i], channelFlag, MPG123_ENC_SIGNED_16) == MPG123_OK;
  ok = ok && mpg123_open_feed(handle) == MPG123_OK;
  if (!ok) {
    mpg123_delete(handle);
    return false;
  }
  handle_ = handle;
  return true;
}

Decoder::Result Decoder::decode(const uint8_t* in, uint32_t inLength, uint8_t* out,
                                uint32_t outCapacity, uint32_t* outLength) {
  if (outLength) *outLength = 0;
  if (!handle_) return kError;
  if (in && inLength > 0 && mpg123_feed(handle_, in, inLength) != MPG123_OK) return kError;
  for (;;) {
    off_t frameNumber = 0;
    unsigned char* audio = nullptr;
    size_t bytes = 0;
    const int rc = mpg123_decode_frame(handle_, &frameNumber, &audio, &bytes);
    if (rc == MPG123_NEW_FORMAT) continue;  // the format is fixed by prepare(); nothing to do
    if (rc == MPG123_OK) {
      const uint32_t n = static_cast<uint32_t>(std::min<size_t>(bytes, outCapacity));
      if (n > 0 && audio) std::memcpy(out, audio, n);
      if (outLength) *outLength = n;
      return kFrame;
    }
    if (rc == MPG123_NEED_MORE || rc == MPG123_DONE) return kNeedMore;
    return kError;
  }
}

void Decoder::restart() {
  if (handle_) mpg123_open_feed(handle_);
}

void Decoder::exit() {
  if (!handle_) return;
  mpg123_delete(handle_);
  handle_ = nullptr;
}

}  // namespace s::sound::mp3
