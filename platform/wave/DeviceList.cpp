#include "platform/wave/DeviceList.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "platform/wave/AlsaDevices.h"

namespace platform::wave {

namespace {

struct Devices {
  std::mutex mutex;
  bool scanned = false;
  std::vector<DeviceInfo> list;
  std::string problem;
};

Devices& devices() {
  static Devices instance;
  return instance;
}

void scanLocked(Devices& d) {
  std::string alsaProblem;
  d.list = AlsaDevices::scan(alsaProblem);
  d.problem = d.list.empty() ? "no ALSA output device can be opened: " + alsaProblem : std::string();
  d.list.push_back({"null", DeviceList::productNameFor("null")});
  const char* chosen = std::getenv("SONVIA_AUDIO_DEVICE");
  if (chosen && *chosen) {
    std::string name = chosen;
    auto match = std::find_if(d.list.begin(), d.list.end(), [&](const DeviceInfo& info) {
      return info.name == name || info.productName == name;
    });
    DeviceInfo first = match != d.list.end() ? *match : DeviceInfo{name, DeviceList::productNameFor(name)};
    if (match != d.list.end()) d.list.erase(match);
    d.list.insert(d.list.begin(), first);
  }
  d.scanned = true;
}

Devices& scanned() {
  Devices& d = devices();
  if (!d.scanned) scanLocked(d);
  return d;
}

}  // namespace

std::size_t DeviceList::count() {
  std::lock_guard lock(devices().mutex);
  return scanned().list.size();
}

bool DeviceList::get(std::size_t index, DeviceInfo& out) {
  std::lock_guard lock(devices().mutex);
  Devices& d = scanned();
  if (index >= d.list.size()) return false;
  out = d.list[index];
  return true;
}

std::vector<DeviceInfo> DeviceList::all() {
  std::lock_guard lock(devices().mutex);
  return scanned().list;
}

std::string DeviceList::problem() {
  std::lock_guard lock(devices().mutex);
  return scanned().problem;
}

void DeviceList::rescan() {
  std::lock_guard lock(devices().mutex);
  scanLocked(devices());
}

std::string DeviceList::productNameFor(const std::string& name) {
  if (name == "null") return "No sound (null output)";
  if (name.starts_with("file:")) return "WAVE file " + name.substr(5);
  if (name.starts_with("file-fast:")) return "WAVE file " + name.substr(10) + " (unpaced)";
  return "ALSA " + name;
}

}  // namespace platform::wave
