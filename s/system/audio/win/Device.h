#pragma once
#include <cstdint>
#include <string>

#include "s/system/audio/IDevice.h"

namespace s::system::audio::win {

// An output device record: its number in the output list, the name the wave output opens and
// the product name.
class Device final : public IDevice {
 public:
  Device(int32_t id, std::string name, std::string productName)
      : id_(id), name_(std::move(name)), productName_(std::move(productName)) {}

  int32_t getId() const override { return id_; }
  const std::string& getName() const override { return name_; }
  const std::string& getProductName() const override { return productName_; }

  const char16_t* typeName() const override { return u"s_system_audio_win_Device"; }
  base::IObject* newInstance() const override { return new Device(id_, name_, productName_); }

 private:
  int32_t id_;
  std::string name_;
  std::string productName_;
};

}  // namespace s::system::audio::win
