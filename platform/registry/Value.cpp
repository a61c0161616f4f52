#include "platform/registry/Value.h"

namespace platform::registry {

std::vector<std::uint8_t> stringData(std::u16string_view text) {
  std::vector<std::uint8_t> out;
  out.reserve(2 * (text.size() + 1));
  for (char16_t c : text) {
    out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  out.push_back(0);
  out.push_back(0);
  return out;
}

std::u16string dataAsString(const std::vector<std::uint8_t>& data) {
  std::u16string out;
  // An odd trailing byte cannot be half a character; it is ignored rather than read past.
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (c == 0) break;
    out.push_back(c);
  }
  return out;
}

std::vector<std::uint8_t> dwordData(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

std::vector<std::uint8_t> qwordData(std::uint64_t v) {
  std::vector<std::uint8_t> out(8);
  for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(v >> (8 * i));
  return out;
}

std::uint64_t dataAsNumber(const std::vector<std::uint8_t>& data) {
  std::uint64_t v = 0;
  for (std::size_t i = data.size(); i-- > 0;) v = (v << 8) | data[i];
  return v;
}

const char* typeName(ValueType type) {
  switch (type) {
    case ValueType::String: return "string";
    case ValueType::ExpandString: return "expand";
    case ValueType::Binary: return "binary";
    case ValueType::Dword: return "dword";
    case ValueType::Qword: return "qword";
    case ValueType::None: break;
  }
  return "none";
}

}  // namespace platform::registry
