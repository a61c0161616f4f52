#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform::registry {

// The value types of the hive. The numbers are the ones the settings format has always used, so
// that a dump reads the same as on the system the format comes from.
enum class ValueType : std::uint32_t {
  None = 0,
  String = 1,        // REG_SZ: UTF-16LE characters and a terminating NUL
  ExpandString = 2,  // REG_EXPAND_SZ: as String; %NAME% is expanded on request
  Binary = 3,        // REG_BINARY: any bytes
  Dword = 4,         // REG_DWORD: 4 bytes, little-endian
  Qword = 11,        // REG_QWORD: 8 bytes, little-endian
};

// One named value of a key. The empty name is the key's default value.
struct Value {
  std::string name;  // UTF-8, as first written
  ValueType type = ValueType::None;
  std::vector<std::uint8_t> data;
};

// Typed views of the raw data, in the layouts the hive uses.
std::vector<std::uint8_t> stringData(std::u16string_view text);  // with the terminating NUL
std::u16string dataAsString(const std::vector<std::uint8_t>& data);  // up to the first NUL
std::vector<std::uint8_t> dwordData(std::uint32_t v);
std::vector<std::uint8_t> qwordData(std::uint64_t v);
// The bytes read as a little-endian number (DWORD and QWORD data; extra bytes beyond 8 ignored).
std::uint64_t dataAsNumber(const std::vector<std::uint8_t>& data);

const char* typeName(ValueType type);  // "dword", "qword", "string", "expand", "binary"

}  // namespace platform::registry
