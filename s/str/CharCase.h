#pragma once

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
};

}  // namespace s::str
