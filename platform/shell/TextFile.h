#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform::shell {

// The small files of the desktop's conventions (mimeapps.list, desktop entries, MIME packages,
// icons): read whole, written whole or not at all, their folders made as needed.
class TextFile {
 public:
  static std::optional<std::string> read(const std::string& path);
  // Writes beside the file and renames over it, so a reader never sees half of it.
  static bool writeWhole(const std::string& path, std::string_view data, std::string& problem);
  static bool makeFolders(const std::string& folder, std::string& problem);
};

}  // namespace platform::shell
