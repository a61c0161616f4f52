#include "platform/shell/IconTheme.h"

#include <unistd.h>

#include "platform/shell/TextFile.h"
#include "platform/shell/UserFolders.h"

namespace platform::shell {

namespace {

std::string scalablePath(std::string_view name) {
  return IconTheme::userFolder() + "/scalable/apps/" + std::string(name) + ".svg";
}

std::string pngPath(std::string_view name, int size) {
  const std::string s = std::to_string(size);
  return IconTheme::userFolder() + "/" + s + "x" + s + "/apps/" + std::string(name) + ".png";
}

bool writeChanged(const std::string& path, std::string_view data, std::string& problem) {
  return TextFile::read(path) == std::string(data) || TextFile::writeWhole(path, data, problem);
}

}  // namespace

std::string IconTheme::userFolder() { return UserFolders::data() + "/icons/hicolor"; }

bool IconTheme::install(std::string_view name, std::string_view svg,
                        const std::map<int, std::string_view>& pngBySize, std::string& problem) {
  if (!writeChanged(scalablePath(name), svg, problem)) return false;
  for (const auto& [size, png] : pngBySize)
    if (!writeChanged(pngPath(name, size), png, problem)) return false;
  return true;
}

void IconTheme::remove(std::string_view name, const std::map<int, std::string_view>& pngBySize) {
  unlink(scalablePath(name).c_str());
  for (const auto& entry : pngBySize) unlink(pngPath(name, entry.first).c_str());
}

}  // namespace platform::shell
