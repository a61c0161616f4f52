#include "s/system/audio/win/DeviceList.h"

#include <memory>
#include <mutex>
#include <vector>

#include "platform/wave/DeviceList.h"

namespace s::system::audio::win {

namespace {

const std::vector<std::unique_ptr<Device>>& outputs() {
  static std::once_flag built;
  static std::vector<std::unique_ptr<Device>> list;
  std::call_once(built, [] {
    const auto all = platform::wave::DeviceList::all();
    for (std::size_t i = 0; i < all.size(); ++i)
      list.push_back(std::make_unique<Device>(static_cast<int32_t>(i), all[i].name, all[i].productName));
  });
  return list;
}

}  // namespace

std::size_t DeviceList::outputCount() { return outputs().size(); }

const Device* DeviceList::output(std::size_t index) {
  const auto& list = outputs();
  return index < list.size() ? list[index].get() : nullptr;
}

const Device* DeviceList::find(const std::string& name) {
  for (const auto& device : outputs())
    if (device->getName() == name) return device.get();
  for (const auto& device : outputs())
    if (device->getProductName() == name) return device.get();
  return nullptr;
}

std::string DeviceList::problem() { return platform::wave::DeviceList::problem(); }

}  // namespace s::system::audio::win
