#include "s/sound/mp3/TagJson.h"

#include <cstdio>

#include "platform/text/Utf.h"
#include "s/sound/mp3/win/Info.h"

namespace s::sound::mp3 {

std::string TagJson::quote(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string TagJson::of(win::Info& info) {
  std::string json = "{";
  bool first = true;
  for (int field = 0; field < TagFields::kCount; ++field) {
    // A record restored from a play list has its texts and bytes but no frame encoding.
    int encoding = info.getTagEncoding(field);
    if (encoding < 0 && !info.hasTag(field) && info.getTagBytes(field).size() == 0) continue;
    const system::codepage::CodePage* codePage = info.getTagCodePage(field);
    std::string hex;
    for (uint8_t b : info.getTagBytes(field)) {
      char digits[3];
      std::snprintf(digits, sizeof digits, "%02x", b);
      hex += digits;
    }
    json += first ? "" : ", ";
    first = false;
    json += quote(TagFields::name(field)) + ": {\"text\": " +
            quote(platform::text::utf16ToUtf8(info.getTag(field).view())) +
            ", \"encoding\": " + (encoding < 0 ? std::string("null") : std::to_string(encoding)) +
            ", \"codePage\": {\"number\": " +
            std::to_string(codePage ? codePage->getNumber() : 0) + ", \"name\": " +
            quote(codePage ? platform::text::utf16ToUtf8(codePage->getName()) : "") +
            "}, \"bytes\": \"" + hex + "\"}";
  }
  return json + "}";
}

}  // namespace s::sound::mp3
