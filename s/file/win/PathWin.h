#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace s::file::win {

// Path handling for the native file system. Paths are UTF-16 in the program and compared
// exactly (Linux file names are case-sensitive); only extensions are compared ignoring case.
class PathWin {
 public:
  static constexpr char16_t kSeparator = u'/';

  // True for "/..." and also for Windows forms ("C:\...", "C:/...", "\\server\..."), so that
  // paths written on Windows are recognised as absolute and not glued to a folder.
  static bool isAbsolute(std::u16string_view path);
  // The text after the last dot of the file name, without the dot; empty when there is none.
  static std::u16string_view extension(std::u16string_view path);
  static bool hasExtension(std::u16string_view path, std::u16string_view ext);
  // Last component: "/music/a.mp3" -> "a.mp3".
  static std::u16string_view fileName(std::u16string_view path);
  // File name without its extension: "/music/a.b.mp3" -> "a.b".
  static std::u16string_view baseName(std::u16string_view path);
  // Everything before the last separator: "/music/a.mp3" -> "/music", "/a" -> "/", "a" -> "".
  static std::u16string_view folder(std::u16string_view path);
  // Joins with exactly one separator between; an absolute `name` stands alone.
  static std::u16string join(std::u16string_view folder, std::u16string_view name);
  // The path of `path` relative to `folder` when it lies inside it ("/m/x/a.mp3" in "/m" ->
  // "x/a.mp3"); empty when it does not.
  static std::u16string relativeInside(std::u16string_view folder, std::u16string_view path);
  // Removes "." components, resolves ".." textually and repeated separators.
  static std::u16string normalize(std::u16string_view path);
  // Backslashes of a Windows path turned into separators.
  static std::u16string fromWindows(std::u16string_view path);

  static bool exists(std::u16string_view path);
  static bool isFile(std::u16string_view path);
  static bool isFolder(std::u16string_view path);
  // True when `path` itself is a symbolic link (whatever it points to).
  static bool isLink(std::u16string_view path);
  // Device and inode of what `path` names (links followed): two paths that reach one folder give
  // the same pair. False when it cannot be examined.
  static bool identity(std::u16string_view path, uint64_t* device, uint64_t* inode);
  static int64_t fileSize(std::u16string_view path);  // -1 when missing or not a file
  // Creates the folder and any missing parents; true when it exists afterwards.
  static bool createFolders(std::u16string_view path);
  static bool removeFile(std::u16string_view path);
  // Entries of a folder (names only, no "." or ".."), sorted by name; empty on failure.
  static std::vector<std::u16string> listFolder(std::u16string_view path);
  // Moves `from` over `to` in one step: readers see either the old or the new file, never a
  // mix, and after a crash one of the two is there whole. Both must be on one file system.
  static bool moveReplacing(std::u16string_view from, std::u16string_view to);
  // Keeps the file `from` (links followed) also under the new name `to`: a second link to the
  // same file where the file system allows it, else a copy that reached the disk. Never
  // replaces anything at `to`.
  static bool keepCopy(std::u16string_view from, std::u16string_view to);
  // Makes a folder's entries (a rename into it) durable.
  static bool syncFolder(std::u16string_view path);
  // The process's current folder, to resolve relative command-line arguments.
  static std::u16string currentFolder();
  static std::u16string absolute(std::u16string_view path);
};

}  // namespace s::file::win
