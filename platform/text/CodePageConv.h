#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::text {

// Conversion between 8-bit text in a Windows code page number and UTF-16. UTF-8 (65001),
// ISO-8859-1 (28591), UTF-16LE (1200) and UTF-16BE (1201) are converted here directly;
// every other code page goes through iconv under its real name.

// The iconv name a code page is converted with, or empty when iconv on this system offers none
// of the names we know for it.
std::string iconvName(uint32_t codePage);

// True when text in the code page can be decoded and encoded here.
bool isSupported(uint32_t codePage);

// Appends the decoded text to `out`. Bytes that are invalid in the code page become U+FFFD.
// Returns false (appending nothing) when the code page is not supported.
bool decode(uint32_t codePage, std::string_view bytes, std::u16string& out);

// Appends the encoded text to `out`. Returns false when the code page is not supported or when
// some character has no representation in it (then `out` is left as it was).
bool encode(uint32_t codePage, std::u16string_view text, std::string& out);

}  // namespace platform::text
