#pragma once
#include <string_view>

namespace s::str {

// Simple one-to-one case mapping for the scripts the player's texts and file names use (Latin,
// Greek, Cyrillic, full-width Latin). Characters without a case map to themselves.
class CharCase {
 public:
  static char16_t toLower(char16_t c);
  static char16_t toUpper(char16_t c);
  static bool equalIgnoringCase(char16_t a, char16_t b) {
    return a == b || toLower(a) == toLower(b);
  }
  static bool equalIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (!equalIgnoringCase(a[i], b[i])) return false;
    return true;
  }
};

}  // namespace s::str
