#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/io/IInputStream.h"
#include "s/thread/EasyPooler.h"
#include "s/thread/IPoolable.h"

namespace s::sound::mp3 {

// The ID3 tag of an MP3 file, as far as the source needs it: where it is and which kind.
class Id3Tag final : public base::IObject, public thread::IPoolable {
 public:
  enum Kind : int32_t { kNone = 0, kVersion1 = 1, kVersion2 = 2 };

  static Id3Tag* create() { return thread::PoolOf<Id3Tag>::acquire(); }

  // "ID3" at `start` is a version 2 tag; otherwise "TAG" 128 bytes before the end of a file of
  // at least 129 bytes is a version 1 tag. The stream is left wherever the probe ended.
  void detect(io::IInputStream& in, int64_t start, int64_t fileSize);
  // Bytes of a version 2 tag at `start` (header, frames and footer), 0 when there is none or
  // its header is damaged.
  static int64_t version2Size(io::IInputStream& in, int64_t start);

  Kind kind() const { return kind_; }
  int64_t position() const { return position_; }

  const char16_t* typeName() const override { return u"s_sound_mp3_Id3Tag"; }
  IObject* newInstance() const override { return create(); }
  void release() override { thread::PoolOf<Id3Tag>::release(this); }
  void reset() override {
    kind_ = kNone;
    position_ = 0;
  }

 private:
  Kind kind_ = kNone;
  int64_t position_ = 0;
};

}  // namespace s::sound::mp3
