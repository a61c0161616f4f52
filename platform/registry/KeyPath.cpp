#include "platform/registry/KeyPath.h"

#include <glib.h>

namespace platform::registry {

std::string foldName(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  if (!g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr)) {
    // Names come from our own UTF-16 text, so this is only reached by damaged input; folding
    // ASCII keeps such names usable without guessing at the rest.
    for (char c : utf8) out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c);
    return out;
  }
  const char* p = utf8.data();
  const char* end = p + utf8.size();
  while (p < end) {
    gunichar c = g_unichar_toupper(g_utf8_get_char(p));
    char buf[6];
    out.append(buf, static_cast<std::size_t>(g_unichar_to_utf8(c, buf)));
    p = g_utf8_next_char(p);
  }
  return out;
}

bool splitKeyPath(std::string_view path, std::vector<std::string>& components) {
  components.clear();
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  if (path.empty()) return true;
  std::size_t start = 0;
  for (;;) {
    std::size_t sep = path.find('\\', start);
    std::string_view part = path.substr(start, sep == std::string_view::npos ? sep : sep - start);
    if (part.empty()) return false;
    components.emplace_back(part);
    if (sep == std::string_view::npos) return true;
    start = sep + 1;
  }
}

}  // namespace platform::registry
