#pragma once
#include <map>
#include <string>
#include <string_view>

namespace platform::shell {

// The program's icon in the user's "hicolor" icon theme, where every desktop looks for an
// application's icon by name: a scalable SVG and PNGs of fixed sizes.
class IconTheme {
 public:
  static std::string userFolder();
  static bool install(std::string_view name, std::string_view svg,
                      const std::map<int, std::string_view>& pngBySize, std::string& problem);
  static void remove(std::string_view name, const std::map<int, std::string_view>& pngBySize);
};

}  // namespace platform::shell
