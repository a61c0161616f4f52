#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/Value.h"
#include "s/map/IMappedData.h"

namespace platform::registry {
class Hive;
}

namespace s::reg {

// The settings store over the current user's registry hive: one key per path below the store's
// root key, values as typed registry values (numbers of up to 32 bits as REG_DWORD, 64-bit and
// floating-point numbers as REG_BINARY, strings as REG_SZ or REG_EXPAND_SZ). Every change is in
// the hive when the call returns, so flush() has nothing to do.
class MappedData : public map::IMappedData {
 public:
  MappedData() = default;
  ~MappedData() override = default;

  // The root key, a path below the top of the current user's hive; selects it.
  void setRoot(const char16_t* keyPath);
  bool hasRoot() const { return hasRoot_; }

  const char16_t* typeName() const override { return u"s_reg_MappedData"; }
  base::IObject* newInstance() const override;
  void release() override;
  void reset() override;

  void flush() override {}
  bool openPath(const char16_t* path) override;
  void removePath(const char16_t* path) override;
  bool selectPath(const char16_t* path) override;
  bool hasValue(const char16_t* path, const char16_t* name) override;

  std::uint8_t getU08(const char16_t* path, const char16_t* name, std::uint8_t def) override;
  std::uint16_t getU16(const char16_t* path, const char16_t* name, std::uint16_t def) override;
  std::uint32_t getU32(const char16_t* path, const char16_t* name, std::uint32_t def) override;
  std::uint64_t getU64(const char16_t* path, const char16_t* name, std::uint64_t def) override;
  std::int8_t getS08(const char16_t* path, const char16_t* name, std::int8_t def) override;
  std::int16_t getS16(const char16_t* path, const char16_t* name, std::int16_t def) override;
  std::int32_t getS32(const char16_t* path, const char16_t* name, std::int32_t def) override;
  std::int64_t getS64(const char16_t* path, const char16_t* name, std::int64_t def) override;
  float getF32(const char16_t* path, const char16_t* name, float def) override;
  double getF64(const char16_t* path, const char16_t* name, double def) override;
  bool getBool(const char16_t* path, const char16_t* name, bool def) override;
  const char16_t* getString(const char16_t* path, const char16_t* name, const char16_t* def,
                            bool* outExpandable = nullptr, bool expand = false) override;
  str::strarray::StrArray* getStrings(const char16_t*, const char16_t*,
                                      str::strarray::StrArray*) override {
    return nullptr;
  }
  col::_array::ArrayU08* getBytes(const char16_t* path, const char16_t* name,
                                  col::_array::ArrayU08* array) override;
  void removeValue(const char16_t* path, const char16_t* name) override;

  void setU08(const char16_t* path, const char16_t* name, std::uint8_t value) override;
  void setU16(const char16_t* path, const char16_t* name, std::uint16_t value) override;
  void setU32(const char16_t* path, const char16_t* name, std::uint32_t value) override;
  void setU64(const char16_t* path, const char16_t* name, std::uint64_t value) override;
  void setS08(const char16_t* path, const char16_t* name, std::int8_t value) override;
  void setS16(const char16_t* path, const char16_t* name, std::int16_t value) override;
  void setS32(const char16_t* path, const char16_t* name, std::int32_t value) override;
  void setS64(const char16_t* path, const char16_t* name, std::int64_t value) override;
  void setF32(const char16_t* path, const char16_t* name, float value) override;
  void setF64(const char16_t* path, const char16_t* name, double value) override;
  void setBool(const char16_t* path, const char16_t* name, bool value) override;
  void setString(const char16_t* path, const char16_t* name, const char16_t* value) override;
  void setExpandString(const char16_t* path, const char16_t* name,
                       const char16_t* value) override;
  void setStrings(const char16_t*, const char16_t*, const str::strarray::StrArray*) override {
    changed();
  }
  void setBytes(const char16_t* path, const char16_t* name,
                const col::_array::ArrayU08* bytes) override;

  bool isAutoFlush() const override { return autoFlush_; }
  void setAutoFlush(bool flag) override { autoFlush_ = flag; }

 private:
  std::string keyOf(const char16_t* path) const;
  std::optional<platform::registry::Value> read(const char16_t* path, const char16_t* name);
  // The value's data when it has exactly `size` bytes.
  std::optional<std::uint64_t> readSized(const char16_t* path, const char16_t* name,
                                         std::size_t size);
  void write(const char16_t* path, const char16_t* name, platform::registry::ValueType type,
             const std::vector<std::uint8_t>& data);
  void changed() {
    if (autoFlush_) flush();
  }

  std::shared_ptr<platform::registry::Hive> hive_;
  std::string root_;  // UTF-8 key path of the root
  bool hasRoot_ = false;
  bool autoFlush_ = false;
  // The last selected path and its key, reused for a path equal to it ignoring case.
  std::u16string lastPath_;
  std::string lastKey_;
  bool hasLast_ = false;
  std::u16string scratch_;
};

// Takes a store from the pool; a store without a root gets HKEY_CURRENT_USER\keyPath as root,
// selected. Give it back with release().
MappedData* openRegistryStore(const char16_t* keyPath);

}  // namespace s::reg
