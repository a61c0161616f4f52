#include "s/sound/RecordPath.h"

#include "s/file/win/PathWin.h"

namespace s::sound {

using file::win::PathWin;

namespace {

// Separators of either kind count, so ".\\a.mp3" from a Windows list lands in the folder.
std::u16string under(std::u16string_view folder, std::u16string_view text) {
  return PathWin::normalize(PathWin::join(folder, text));
}

}  // namespace

std::u16string RecordPath::forSaving(std::u16string_view path, std::u16string_view baseFolder) {
  if (!baseFolder.empty() && !path.empty() && path.front() != u'.') {
    std::u16string relative = PathWin::relativeInside(baseFolder, path);
    if (!relative.empty()) return relative;
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
  if (!secondBase.empty()) {
    std::u16string candidate = under(secondBase, text);
    if (PathWin::isFile(candidate)) return candidate;
  }
  if (!baseFolder.empty() && PathWin::isFolder(baseFolder)) return under(baseFolder, text);
  return std::u16string(text);
}

}  // namespace s::sound
