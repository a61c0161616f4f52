#include "s/xml/Utf8Text.h"

#include "platform/text/Utf.h"

namespace s::xml {

void appendUtf8AsUtf16(std::u16string& out, std::string_view utf8) {
  out.reserve(out.size() + utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::size_t start = i;
    while (i < utf8.size() && static_cast<unsigned char>(utf8[i]) < 0x80) ++i;
    if (i > start) {
      std::size_t at = out.size();
      out.resize(at + (i - start));
      for (std::size_t k = start; k < i; ++k) out[at++] = static_cast<char16_t>(utf8[k]);
    }
    start = i;
    while (i < utf8.size() && static_cast<unsigned char>(utf8[i]) >= 0x80) ++i;
    if (i > start) platform::text::appendUtf8AsUtf16(out, utf8.substr(start, i - start));
  }
}

void appendUtf16AsUtf8(std::string& out, std::u16string_view utf16) {
  out.reserve(out.size() + utf16.size() + utf16.size() / 4);
  std::size_t i = 0;
  while (i < utf16.size()) {
    std::size_t start = i;
    while (i < utf16.size() && utf16[i] < 0x80) ++i;
    if (i > start) {
      std::size_t at = out.size();
      out.resize(at + (i - start));
      for (std::size_t k = start; k < i; ++k) out[at++] = static_cast<char>(utf16[k]);
    }
    start = i;
    while (i < utf16.size() && utf16[i] >= 0x80) ++i;
    if (i > start) out += platform::text::utf16ToUtf8(utf16.substr(start, i - start));
  }
}

}  // namespace s::xml
