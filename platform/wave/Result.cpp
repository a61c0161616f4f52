#include "platform/wave/Result.h"

namespace platform::wave {

const char* toString(Result result) {
  switch (result) {
    case Result::Ok: return "ok";
    case Result::InvalidHeader: return "buffer without data";
    case Result::NotPrepared: return "buffer not prepared";
    case Result::StillPlaying: return "buffer still queued on the device";
    case Result::Closed: return "device closed";
    case Result::WrongThread: return "device cannot be closed from its own callback";
    case Result::TimedOut: return "device did not answer in time";
  }
  return "unknown result";
}

}  // namespace platform::wave
