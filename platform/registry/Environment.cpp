#include "platform/registry/Environment.h"

#include <cstdlib>

#include "platform/text/Utf.h"

namespace platform::registry {

std::u16string expandEnvironment(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != u'%') {
      out.push_back(text[i++]);
      continue;
    }
    std::size_t close = text.find(u'%', i + 1);
    if (close == std::u16string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    std::u16string_view name = text.substr(i + 1, close - i - 1);
    const char* value = name.empty() ? nullptr : std::getenv(text::utf16ToUtf8(name).c_str());
    if (value) {
      text::appendUtf8AsUtf16(out, value);
    } else {
      out.append(text.substr(i, close - i + 1));
    }
    i = close + 1;
  }
  return out;
}

}  // namespace platform::registry
