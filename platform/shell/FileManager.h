#pragma once
#include <string>

namespace platform::shell {

// Asks the user's file manager to show a file: selected in its folder, or in its properties
// window. Both go through the desktop's FileManager1 service on the session bus; without one,
// the folder holding the file is opened with the user's default program for folders.
class FileManager {
 public:
  static bool showInFolder(const std::string& path, const std::string& startupId = "");
  static bool showProperties(const std::string& path, const std::string& startupId = "");
  // Opens a web address or any other URI with the user's default program for it.
  static bool openAddress(const std::string& uri);

 private:
  static bool callFileManager(const char* method, const std::string& path,
                              const std::string& startupId);
  static bool openFolderOf(const std::string& path);
};

}  // namespace platform::shell
