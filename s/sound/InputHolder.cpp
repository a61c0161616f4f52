#include "s/sound/InputHolder.h"

#include "s/thread/IPoolable.h"

namespace s::sound {

void InputHolder::attach(io::IInputStream* stream, bool own) {
  if (stream == stream_) {
    own_ = own;
    return;
  }
  drop();
  stream_ = stream;
  own_ = stream && own;
}

void InputHolder::drop() {
  if (stream_ && own_) {
    if (auto* pooled = dynamic_cast<thread::IPoolable*>(stream_))
      pooled->release();
    else
      delete stream_;
  }
  stream_ = nullptr;
  own_ = false;
}

}  // namespace s::sound
