#pragma once
#include <cstdint>

#include "s/col/_array/ArrayU08.h"
#include "s/sound/InputHolder.h"
#include "s/sound/mp3/Decoder.h"
#include "s/sound/mp3/FrameHeader.h"
#include "s/sound/mp3/IMp3.h"
#include "s/sound/mp3/Id3Tag.h"
#include "s/thread/EasyPooler.h"
#include "s/thread/ObjLocker.h"

namespace s::sound::mp3::win {

// The source of an MPEG audio file. It finds the first frame and works out format, length and
// bit rate from its header (and Xing header); the decoder does all bit-stream work, fed with
// file blocks. Seeking is by frame arithmetic.
class Mp3 final : public IMp3 {
 public:
  static constexpr uint32_t kInputBlock = 40960;
  static constexpr uint32_t kOutputBuffer = 8192;

  static Mp3* create() { return thread::PoolOf<Mp3>::acquire(); }

  // The MP3 song record belongs with the tag code, which hands its maker in here, so that the
  // source itself does not depend on the tag library. Without a maker there is no record.
  using RecordMaker = IInfo* (*)();
  static void setRecordMaker(RecordMaker make);
  Mp3();
  ~Mp3() override;

  void setSampleRate(int32_t rate) override;
  int32_t getSampleRate() override;
  void setStereo(bool stereo) override;
  bool isStereo() override;
  void setBitsPerSample(int32_t bits) override { bitsPerSample_ = bits; }
  int32_t getBitsPerSample() override { return bitsPerSample_; }
  int64_t getFileSize() override { return fileSize_; }
  void setFileSize(int64_t size) override { fileSize_ = size; }
  int64_t getDataSize() override;
  void seekPercent(float percent, int64_t* bytePosition) override;
  int32_t outputSampleRate() override { return getSampleRate(); }
  bool outputStereo() override { return isStereo(); }
  int32_t outputBitsPerSample() override { return 16; }
  bool read(void* dst, uint32_t capacity, uint32_t* count) override;
  void setInputStream(io::IInputStream* stream, bool own) override;
  io::IInputStream* getInputStream() override { return input_.get(); }
  void close() override;
  void release() override { thread::PoolOf<Mp3>::release(this); }
  void reset() override;
  void readHeader() override;
  IInfo* createInfo(std::u16string_view path) override;
  void fillInfo(IInfo* info) override;
  int32_t getDurationSeconds() override;
  int32_t getDurationMs() override;

  void setBitRateKbps(int32_t kbps) override;
  int32_t getBitRateKbps() override;
  int32_t getFrameLength() override;
  int32_t getFrameCount() override;

  // What the examination found, for information tools.
  bool hasFirstFrame();
  FrameHeader firstFrame();
  int64_t getAudioBytes();
  Id3Tag::Kind getTagKind();

  const char16_t* typeName() const override { return u"s_sound_mp3_win_Mp3"; }
  IObject* newInstance() const override { return create(); }

 private:
  int channels() { return isStereo() ? 2 : 1; }
  // Keeps the part of a decoded frame that did not fit the caller's buffer for the next read.
  void keepForLater(const uint8_t* pcm, uint32_t length);

  thread::ObjLocker lock_;
  Decoder* decoder_ = nullptr;
  Decoder::Result lastResult_ = Decoder::kNeedMore;
  col::_array::ArrayU08 inputBuffer_;
  col::_array::ArrayU08 outputBuffer_;
  int64_t fileSize_ = -1;
  int64_t audioBytes_ = -1;
  Id3Tag tag_;
  FrameHeader firstFrame_;
  bool frameFound_ = false;
  bool headerRead_ = false;
  int64_t startOffset_ = 0;
  int32_t bitsPerSample_ = 16;
  InputHolder input_;
};

}  // namespace s::sound::mp3::win
