#pragma once
#include <string>
#include <string_view>

namespace s::sound::gui::dialogs::player {

// One entry of another player's play list (a line of an ".m3u", the value of a ".pls" "FileN")
// turned into the path of a file here, or into the reason it names none.
//
// What an entry may be:
// - a path, absolute or relative to the list's folder; a relative one written on Windows has
//   backslashes, which become separators;
// - a "file:" address ("file:///music/a%20b.mp3", "file://localhost/...", "file:/..."), whose
//   escapes are file-name bytes as they stand;
// - a web address (http, https, ftp, streams): the player plays files, not streams;
// - any other address ("smb://", "spotify:"), or a file on another computer;
// - a Windows path with a drive letter or a server name, which names nothing here.
//
// File names are bytes here. A list in UTF-8 gives its bytes unchanged; a list in Windows-1252
// is read as that, and, when files are looked up, a name that does not exist whose bytes as they
// stand do (a list written on a Linux system that used Latin-1 names) is taken as those bytes.
// Looked up, "Intro: Take 2.mp3" is a file when there is one; otherwise it reads as an address.
class ForeignListEntry {
 public:
  enum class Kind {
    kFile,         // `path` names the file (or folder); it need not exist
    kWeb,          // http, https, ftp and the stream addresses
    kUnsupported,  // another kind of address, a file on another host, a malformed address
    kOtherSystem,  // a Windows path with a drive letter or a server name
  };
  struct Resolved {
    Kind kind = Kind::kUnsupported;
    std::u16string path;  // for kFile: absolute, "." and ".." taken out
  };

  // `text` is the entry without the spaces around it; `latin1` tells that the list is in
  // Windows-1252; `folder` is the folder the list file lies in; `lookUp` lets the file system
  // settle what the text alone cannot.
  static Resolved resolve(std::string_view text, bool latin1, std::u16string_view folder,
                          bool lookUp);
};

}  // namespace s::sound::gui::dialogs::player
