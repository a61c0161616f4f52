#include "platform/wave/Sink.h"

#include "platform/wave/AlsaSink.h"
#include "platform/wave/FileSink.h"
#include "platform/wave/NullSink.h"

namespace platform::wave {

std::unique_ptr<Sink> Sink::open(std::string_view device, const Format& format, std::string& error) {
  constexpr std::string_view file = "file:";
  constexpr std::string_view fileFast = "file-fast:";
  if (device == "null") return std::make_unique<NullSink>(format);
  if (device.starts_with(file)) return FileSink::create(std::string(device.substr(file.size())), format, true, error);
  if (device.starts_with(fileFast))
    return FileSink::create(std::string(device.substr(fileFast.size())), format, false, error);
  if (device.empty()) {
    error = "no output device named";
    return nullptr;
  }
  return AlsaSink::open(std::string(device), format, error);
}

}  // namespace platform::wave
