#pragma once
#include <cstdint>
#include <string_view>

namespace s::xml {

// Names of the dialect are compared ignoring the case of A-Z only, as the C library's wide
// comparison does in the "C" locale; other letters must match exactly.
inline char16_t foldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? c - 32 : c; }

inline bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && foldAscii(a[i]) != foldAscii(b[i])) return false;
  return true;
}

inline std::u16string_view viewOf(const char16_t* text, std::int32_t length = -1) {
  if (!text) return {};
  if (length >= 0) return std::u16string_view(text, static_cast<std::size_t>(length));
  return std::u16string_view(text);
}

}  // namespace s::xml
