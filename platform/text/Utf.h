#pragma once
#include <string>
#include <string_view>

namespace platform::text {

// UTF-8 to UTF-16. Malformed bytes become U+FFFD, one per bad sequence, so that a damaged file
// name or tag still shows where it is damaged instead of vanishing.
std::u16string utf8ToUtf16(std::string_view utf8);
void appendUtf8AsUtf16(std::u16string& out, std::string_view utf8);

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);

// File names are bytes on Linux and need not be valid UTF-8. These two keep such names intact
// through the program's UTF-16 strings: a byte that is not part of valid UTF-8 becomes the lone
// surrogate U+DC80 + (byte - 0x80) and turns back into that byte on the way out.
std::u16string fileNameToUtf16(std::string_view name);
std::string fileNameFromUtf16(std::u16string_view name);

// True when every byte belongs to well-formed UTF-8 (shortest forms, no surrogates).
bool isValidUtf8(std::string_view bytes);

}  // namespace platform::text
