#include "s/sound/RecordPath.h"

#include "s/file/win/PathWin.h"

namespace s::sound {

using file::win::PathWin;

namespace {

// Separators of either kind count, so ".\\a.mp3" from a Windows list lands in the folder. The
// text is always put below the folder: a short one such as "C:\\" is relative here even though
// it reads as a drive, and taking it as it stands would store a path that reads back elsewhere.
std::u16string under(std::u16string_view folder, std::u16string_view text) {
  std::u16string joined(folder);
  joined.push_back(PathWin::kSeparator);
  joined.append(text);
  return PathWin::normalize(joined);
}

// Play lists pass the path of their file (which need not exist yet) as the base; a folder is
// taken as it is.
std::u16string_view folderOf(std::u16string_view base) {
  // Said to be a folder: no need to ask the file system (once per song of a list).
  if (base.size() > 1 && base.back() == PathWin::kSeparator) {
    while (base.size() > 1 && base.back() == PathWin::kSeparator) base.remove_suffix(1);
    return base;
  }
  if (base.empty() || PathWin::isFolder(base)) return base;
  const bool file = PathWin::isFile(base) || !PathWin::extension(base).empty();
  return file ? PathWin::folder(base) : base;
}

}  // namespace

std::u16string RecordPath::forSaving(std::u16string_view path, std::u16string_view baseFolder) {
  const std::u16string_view folder = folderOf(baseFolder);
  if (!folder.empty() && !path.empty() && path.front() != u'.') {
    std::u16string relative = PathWin::relativeInside(folder, path);
    // Kept relative only when it reads back as this very path: a name such as "1: Intro.mp3"
    // would read as a drive, a backslash in a name as a separator, a ".." as a step up.
    if (!relative.empty() && isRelative(relative) && under(folder, relative) == path)
      return relative;
  }
  return std::u16string(path);
}

bool RecordPath::isRelative(std::u16string_view text) {
  if (!text.empty() && text.front() == u'/') return false;
  if (text.size() < 4 || text.front() == u'.') return true;
  return text[1] != u':' && text.substr(0, 2) != u"\\\\";
}

std::u16string RecordPath::resolve(std::u16string_view text, std::u16string_view baseFolder,
                                   std::u16string_view secondBase) {
  if (!isRelative(text) || text.empty()) return std::u16string(text);
  const std::u16string_view second = folderOf(secondBase);
  if (!second.empty()) {
    std::u16string candidate = under(second, text);
    if (PathWin::isFile(candidate)) return candidate;
  }
  if (const std::u16string_view first = folderOf(baseFolder);
      !first.empty() && PathWin::isFolder(first))
    return under(first, text);
  // A list written where no folder is now (or with no path at all) still has the folder it was
  // read from. Left as it stands, the text would name a file relative to whatever folder the
  // program runs in, and the next save and load would put the song elsewhere.
  if (!second.empty()) return under(second, text);
  return std::u16string(text);
}

}  // namespace s::sound
