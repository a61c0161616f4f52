#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace s::map {
class IMappedData;
}

namespace s::app::win {

// Makes this program the one the desktop opens for ".mp3", ".wav" and ".mpl" files of this
// user, and undoes it. Associating an extension writes the desktop entry (naming the types of
// every extension associated now), installs the icon and, for ".mpl", our MIME type, and sets
// the user's default for the extension's type, keeping the default it replaces in the settings
// (section "FileAssociations", one value per extension). Deassociating puts that default back
// only while we are still the default: a program the user chose since is left alone. When no
// extension is associated any more, the desktop entry and the icon go too, so nothing names
// this program as able to open those files.
class FileAssociations {
 public:
  static constexpr const char16_t* kBackupSection = u"FileAssociations";

  FileAssociations(map::IMappedData& settings, std::string programPath);

  // "mp3" or ".mp3" (any case); false with `problem` for an extension we do not open or a
  // failure to write.
  bool associate(std::string_view extension, std::string& problem);
  bool deassociate(std::string_view extension, std::string& problem);
  // Whether the user's default for the extension's type is our entry, and the entry starts
  // this program file.
  bool isAssociated(std::string_view extension);

  // ".mp3", ".wav", ".mpl".
  static const std::vector<std::string>& extensions();
  // The extension's MIME type, or null when we do not open such files.
  static const char* mimeTypeOf(std::string_view extension);

 private:
  std::vector<std::string> associatedTypes(std::string_view alsoExtension,
                                           std::string_view butNotExtension);
  bool writeDesktopEntry(const std::vector<std::string>& types, std::string& problem);
  bool refreshDesktopDatabase(std::string& problem);

  map::IMappedData& settings_;
  std::string programPath_;
};

}  // namespace s::app::win
