#include "platform/ui/desktop/UriList.h"

#include <cctype>

namespace platform::ui::desktop {

namespace {

bool keptAsIs(unsigned char c) {
  return std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
  return true;
}

}  // namespace

std::string UriList::fileUri(const std::string& path) {
  if (path.empty() || path[0] != '/') return {};
  static const char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : path) {
    if (keptAsIs(c)) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 0xF];
    }
  }
  return uri;
}

std::string UriList::encode(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& p : paths) {
    std::string uri = fileUri(p);
    if (!uri.empty()) list += uri + "\r\n";
  }
  return list;
}

std::string UriList::filePath(std::string_view uri) {
  if (!startsWithNoCase(uri, "file:")) return {};
  std::string_view rest = uri.substr(5);
  if (rest.starts_with("//")) {
    rest.remove_prefix(2);
    std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return {};
    std::string_view host = rest.substr(0, slash);
    if (!host.empty() && !(host.size() == 9 && startsWithNoCase(host, "localhost"))) return {};
    rest.remove_prefix(slash);
  }
  if (rest.empty() || rest[0] != '/') return {};
  std::string path;
  path.reserve(rest.size());
  for (std::size_t i = 0; i < rest.size(); ++i) {
    char c = rest[i];
    if (c == '?' || c == '#') break;  // a query or fragment is no part of a file name
    if (c != '%') {
      path += c;
      continue;
    }
    if (i + 2 >= rest.size()) return {};
    int hi = hexValue(rest[i + 1]), lo = hexValue(rest[i + 2]);
    if (hi < 0 || lo < 0) return {};
    char byte = static_cast<char>(hi * 16 + lo);
    if (byte == '/' || byte == '\0') return {};  // would name another file than the sender meant
    path += byte;
    i += 2;
  }
  return path;
}

std::vector<std::string> UriList::decode(std::string_view list) {
  std::vector<std::string> paths;
  while (!list.empty()) {
    std::size_t end = list.find('\n');
    std::string_view line = list.substr(0, end);
    list = end == std::string_view::npos ? std::string_view{} : list.substr(end + 1);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\0'))
      line.remove_suffix(1);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    if (line.empty() || line[0] == '#') continue;
    std::string path = filePath(line);
    if (!path.empty()) paths.push_back(std::move(path));
  }
  return paths;
}

}  // namespace platform::ui::desktop
