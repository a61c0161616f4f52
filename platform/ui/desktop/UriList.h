#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace platform::ui::desktop {

// The text/uri-list form of file lists that drag and drop carries between programs. Paths are the
// file system's bytes: every byte outside the URI's unreserved set travels as %XX, so any path
// (non-UTF-8 names included) goes through unchanged and at any length.
class UriList {
 public:
  // "file:///a%20b" for "/a b". Empty for a path that is not absolute.
  static std::string fileUri(const std::string& path);
  // Lines of fileUri(path), each ended by CR LF; relative paths are left out.
  static std::string encode(const std::vector<std::string>& paths);
  // The local paths named by a uri-list: comments and blank lines are skipped, line ends may be
  // CR LF or LF, "file:" URIs with an empty host or "localhost" are decoded byte for byte; other
  // schemes, other hosts, malformed escapes and escaped "/" or NUL are left out.
  static std::vector<std::string> decode(std::string_view list);
  // The path of one file URI, or empty when it names no local file.
  static std::string filePath(std::string_view uri);
};

}  // namespace platform::ui::desktop
