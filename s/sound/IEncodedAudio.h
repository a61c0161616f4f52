#pragma once
#include <cstdint>
#include <string_view>

#include "s/base/IObject.h"
#include "s/io/IInputStream.h"
#include "s/thread/IPoolable.h"

namespace s::sound {

class IInfo;

// A decodable audio file: tells its PCM format, size and duration, hands out PCM on request and
// moves to a position. The engine pulls from it on its fill thread while the play process seeks
// from another, so read and seekPercent serialise on the source's own lock.
class IEncodedAudio : public base::IObject, public thread::IPoolable {
 public:
  virtual void setSampleRate(int32_t rate) = 0;
  virtual int32_t getSampleRate() = 0;
  virtual void setStereo(bool stereo) = 0;
  virtual bool isStereo() = 0;
  virtual void setBitsPerSample(int32_t bits) = 0;
  virtual int32_t getBitsPerSample() = 0;
  // -1 until set.
  virtual int64_t getFileSize() = 0;
  virtual void setFileSize(int64_t size) = 0;
  // PCM bytes of the whole song.
  virtual int64_t getDataSize() = 0;
  // Moves the read position and stores the PCM byte offset of the new position in *bytePosition.
  virtual void seekPercent(float percent, int64_t* bytePosition) = 0;
  virtual int32_t outputSampleRate() = 0;
  virtual bool outputStereo() = 0;
  virtual int32_t outputBitsPerSample() = 0;
  // Delivers PCM into dst; *count receives the bytes delivered. False at the end of the data or
  // on an error.
  virtual bool read(void* dst, uint32_t capacity, uint32_t* count) = 0;
  // Attaches the file. The stream's current position becomes the start offset of the header.
  virtual void setInputStream(io::IInputStream* stream, bool own) = 0;
  virtual io::IInputStream* getInputStream() = 0;
  // Drops the stream, closing it when the source owns it.
  virtual void close() = 0;
  void release() override = 0;
  virtual void readHeader() = 0;
  // A new record for this file; the caller releases it.
  virtual IInfo* createInfo(std::u16string_view path) = 0;
  // Copies sample rate, stereo flag and duration (and, for MP3, the bit rate) into a record.
  virtual void fillInfo(IInfo* info) = 0;
  virtual int32_t getDurationSeconds() = 0;
  virtual int32_t getDurationMs() = 0;
};

}  // namespace s::sound
