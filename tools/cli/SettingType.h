#pragma once
#include <string>

namespace s::map {
class IMappedData;
}

namespace cli {

// One type of setting as the program keeps it, read and written through the settings store:
// what `settings set NAME u64 5` writes is what the program's getU64 reads back, and
// `settings get NAME f32` prints what the program's getF32 sees.
class SettingType {
 public:
  enum Written { kWritten, kRefused, kFailed };

  // "bool", "s32", "u32" ("dword"), "s64", "u64" ("qword"), "f32", "f64", "string", "expand",
  // "bytes" ("binary-hex"); null for any other name.
  static const SettingType* named(const std::string& name);

  // The value as text; false when there is no value of this type (missing, or of a size the
  // type cannot be).
  bool read(s::map::IMappedData& store, const std::u16string& path, const char* name,
            std::string* text) const;
  // kRefused (with `why`) when `text` is no value of this type; kFailed when the store did not
  // take it.
  Written write(s::map::IMappedData& store, const std::u16string& path, const char* name,
                const char* text, std::string* why) const;

  enum Kind { kBool, kS32, kU32, kS64, kU64, kF32, kF64, kString, kExpand, kBytes };
  const char* label;
  Kind kind;
};

}  // namespace cli
