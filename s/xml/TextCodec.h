#pragma once
#include <string>
#include <string_view>

namespace s::xml {

// The two contexts of the dialect: a named attribute's value, or element text (stored as an
// attribute with the empty name). They escape different characters.
enum class TextContext { Attribute, Text };

// Appends `text` to `out` in the escaped form that is stored and written.
void escapeInto(std::u16string& out, std::u16string_view text, TextContext context);

// Appends the decoded form of a stored value to `out`. In the Text context leading white space
// is dropped and trailing white space is trimmed, but never past a character that came from an
// entity, so spaces and line breaks the writer encoded survive while a hand-formatted file's
// indentation does not.
void decodeInto(std::u16string& out, std::u16string_view stored, TextContext context);

}  // namespace s::xml
