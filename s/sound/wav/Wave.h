#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "s/sound/IEncodedAudio.h"
#include "s/sound/InputHolder.h"
#include "s/sound/wav/WaveHeader.h"
#include "s/thread/EasyPooler.h"
#include "s/thread/ObjLocker.h"

namespace s::sound::wav {

// The source of a WAVE file: hands out the PCM bytes of its data chunk unchanged when they are
// 8- or 16-bit samples; 24- and 32-bit integer and 32-bit floating-point samples are turned into
// 16-bit ones, and sizes and positions are then counted in those.
class Wave final : public IEncodedAudio {
 public:
  static Wave* create() { return thread::PoolOf<Wave>::acquire(); }
  Wave() = default;
  ~Wave() override { close(); }

  void setSampleRate(int32_t rate) override;
  int32_t getSampleRate() override;
  void setStereo(bool stereo) override;
  bool isStereo() override;
  void setBitsPerSample(int32_t bits) override;
  int32_t getBitsPerSample() override;
  int64_t getFileSize() override { return fileSize_; }
  void setFileSize(int64_t size) override { fileSize_ = size; }
  int64_t getDataSize() override;
  void seekPercent(float percent, int64_t* bytePosition) override;
  int32_t outputSampleRate() override { return getSampleRate(); }
  bool outputStereo() override { return isStereo(); }
  int32_t outputBitsPerSample() override { return getBitsPerSample(); }
  bool read(void* dst, uint32_t capacity, uint32_t* count) override;
  void setInputStream(io::IInputStream* stream, bool own) override;
  io::IInputStream* getInputStream() override { return input_.get(); }
  void close() override;
  void release() override { thread::PoolOf<Wave>::release(this); }
  void reset() override;
  void readHeader() override;
  IInfo* createInfo(std::u16string_view path) override;
  void fillInfo(IInfo* info) override;
  int32_t getDurationSeconds() override { return getDurationMs() / 1000; }
  int32_t getDurationMs() override;

  // Why the attached file can't be played; empty when it can.
  std::string formatError();

  const char16_t* typeName() const override { return u"s_sound_wav_Wave"; }
  IObject* newInstance() const override { return create(); }

 private:
  thread::ObjLocker lock_;
  // PCM bytes as delivered: after conversion when there is one.
  int64_t outputDataSize() const;
  bool readConverted(uint8_t* dst, uint32_t capacity, uint32_t* count);

  WaveHeader header_;
  std::vector<uint8_t> scratch_;
  bool headerRead_ = false;
  int64_t fileSize_ = -1;
  int64_t startOffset_ = 0;
  InputHolder input_;
};

}  // namespace s::sound::wav
