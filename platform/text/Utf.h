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

}  // namespace platform::text
