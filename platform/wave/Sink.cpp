#include "platform/wave/Sink.h"

#include <mutex>
#include <utility>
#include <vector>

#include "platform/wave/AlsaSink.h"
#include "platform/wave/FileSink.h"
#include "platform/wave/NullSink.h"

namespace platform::wave {

namespace {

struct Kinds {
  std::mutex lock;
  std::vector<std::pair<std::string, Sink::Factory>> factories;
};

Kinds& kinds() {
  static Kinds instance;
  return instance;
}

}  // namespace

void Sink::addKind(std::string prefix, Factory factory) {
  Kinds& k = kinds();
  std::lock_guard hold(k.lock);
  k.factories.emplace_back(std::move(prefix), factory);
}

std::unique_ptr<Sink> Sink::open(std::string_view device, const Format& format, std::string& error) {
  Factory added = nullptr;
  std::size_t prefixLength = 0;
  {
    Kinds& k = kinds();
    std::lock_guard hold(k.lock);
    for (const auto& [prefix, factory] : k.factories)
      if (device.starts_with(prefix)) {
        added = factory;
        prefixLength = prefix.size();
      }
  }
  if (added) return added(device.substr(prefixLength), format, error);
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
