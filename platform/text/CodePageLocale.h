#pragma once
#include <cstdint>
#include <string_view>

namespace platform::text {

// Linux has no OEM code page. What plays its part is the legacy Windows code page of the user's
// locale language: the code page in which old tags from that part of the world were written.
//
// The code page for a locale name such as "ja_JP.UTF-8" or "sr_RS@latin": 932 for Japanese,
// 936 for Chinese (950 in Taiwan, Hong Kong and Macao), 949 Korean, 1251 Cyrillic languages,
// 1253 Greek, 1254 Turkish, 1255 Hebrew, 1256 Arabic and Persian, 1257 Baltic, 1258 Vietnamese,
// 874 Thai, 1250 Central European (and Serbian in Latin script), 1252 for everything else,
// the C and POSIX locales included.
uint32_t legacyCodePageOfLocale(std::string_view locale);

// The same for the locale that decides the character type of this process: LC_ALL, then
// LC_CTYPE, then LANG (the first one set and not empty).
uint32_t userLegacyCodePage();

}  // namespace platform::text
