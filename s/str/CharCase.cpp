#include "s/str/CharCase.h"

namespace s::str {

char16_t CharCase::toLower(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  if (c >= 0x100 && c <= 0x137) return (c & 1) ? c : static_cast<char16_t>(c + 1);
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? static_cast<char16_t>(c + 1) : c;
  if (c >= 0x14A && c <= 0x177) return (c & 1) ? c : static_cast<char16_t>(c + 1);
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? static_cast<char16_t>(c + 1) : c;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<char16_t>(c + 32);
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return static_cast<char16_t>(c + 37);
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return static_cast<char16_t>(c + 63);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 80);
  if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 32);
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF))
    return (c & 1) ? c : static_cast<char16_t>(c + 1);
  if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<char16_t>(c + 32);
  return c;
}

char16_t CharCase::toUpper(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x137) return (c & 1) ? static_cast<char16_t>(c - 1) : c;
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? c : static_cast<char16_t>(c - 1);
  if (c >= 0x14A && c <= 0x177) return (c & 1) ? static_cast<char16_t>(c - 1) : c;
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c : static_cast<char16_t>(c - 1);
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return static_cast<char16_t>(c - 32);
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return static_cast<char16_t>(c - 37);
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return static_cast<char16_t>(c - 63);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 80);
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 32);
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF))
    return (c & 1) ? static_cast<char16_t>(c - 1) : c;
  if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 32);
  return c;
}

}  // namespace s::str
