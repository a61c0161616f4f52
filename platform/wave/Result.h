#pragma once

namespace platform::wave {

enum class Result {
  Ok,
  InvalidHeader,   // no data for a non-empty buffer
  NotPrepared,     // write() of a buffer that was not prepared
  StillPlaying,    // the buffer is still queued on the device
  Closed,          // the device was closed
  WrongThread,     // close() from the device's own callback
  TimedOut,        // the device did not answer in time; it has been given up
};

const char* toString(Result result);

}  // namespace platform::wave
