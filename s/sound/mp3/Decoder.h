#pragma once
#include <cstdint>

#include "s/base/IObject.h"

struct mpg123_handle_struct;

namespace s::sound::mp3 {

// The MPEG audio decoder behind the MP3 source: prepare a state, decode a block of input one
// frame at a time, release. It keeps input across calls and finds frame syncs by itself.
//
// Every frame is decoded as it stands, the Xing/Info frame included (as one frame of silence) and
// without gapless trimming, so that what comes out follows the source's frame arithmetic: frame n
// of the file is bytes n x samples per frame x channels x 2 of the PCM.
class Decoder final : public base::IObject {
 public:
  enum Result : int { kFrame = 0, kNeedMore = 1, kError = -1 };
  // The largest frame: 1152 samples of 16-bit stereo.
  static constexpr uint32_t kMinOutput = 4608;

  Decoder() = default;
  ~Decoder() override { exit(); }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  // Makes the state; output is 16-bit little-endian at the stream's own rate with `channels`
  // channels (1 or 2), whatever the frames say, so that the PCM always matches what the source
  // reports. False when the library can't make a state.
  bool prepare(int channels);
  bool isPrepared() const { return handle_ != nullptr; }
  // Adds `inLength` bytes of input (none when `in` is null) and decodes at most one frame into
  // `out`, which must hold kMinOutput bytes; *outLength receives the bytes written.
  Result decode(const uint8_t* in, uint32_t inLength, uint8_t* out, uint32_t outCapacity,
                uint32_t* outLength);
  // Forgets buffered input and decoder history, as before the first byte of a stream.
  void restart();
  void exit();

  const char16_t* typeName() const override { return u"s_sound_mp3_Decoder"; }
  IObject* newInstance() const override { return new Decoder; }

 private:
  mpg123_handle_struct* handle_ = nullptr;
};

}  // namespace s::sound::mp3
