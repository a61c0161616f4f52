#pragma once
#include <string>
#include <string_view>

namespace s::xml {

// UTF-8 <-> UTF-16 for whole documents. Documents are mostly ASCII markup, so ASCII runs are
// copied directly and only the runs between them go through the platform's converter; an ASCII
// byte is never part of a longer sequence, so the result is the converter's, byte for byte
// (including its U+FFFD for damaged sequences).
void appendUtf8AsUtf16(std::u16string& out, std::string_view utf8);
void appendUtf16AsUtf8(std::string& out, std::u16string_view utf16);

}  // namespace s::xml
