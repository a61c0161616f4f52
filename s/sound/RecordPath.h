#pragma once
#include <string>
#include <string_view>

#include "s/base/IObject.h"

namespace s::sound {

// How a song record writes its file path into a play list file and finds the file again: inside
// the play list's folder the path is kept relative, so a folder of songs and its list can move
// together. Lists written on Windows ("C:\...", "\\server\...", ".\a.mp3") still resolve. A base
// may be a folder or the path of the play list file, whose folder is then meant; a base ending
// in "/" is taken as a folder without looking at the disk.
class RecordPath final : public base::IObject {
 public:
  // The text to store for `path`: relative to `baseFolder` when one is given, the path does not
  // begin with "." and the file lies inside that folder, unless that text would resolve to
  // another path; the full path otherwise.
  static std::u16string forSaving(std::u16string_view path, std::u16string_view baseFolder);
  // A stored text is absolute when it begins with "/" (a path of this system), with a drive
  // ("C:...") or with two backslashes; shorter than 4 characters or beginning with "." it is
  // always relative.
  static bool isRelative(std::u16string_view text);
  // The path for a stored text: a relative text resolved against `secondBase` when that file
  // exists, else against `baseFolder` when that folder exists, else against `secondBase` when
  // one is given, else the text unchanged; an absolute text unchanged.
  static std::u16string resolve(std::u16string_view text, std::u16string_view baseFolder,
                                std::u16string_view secondBase);

  const char16_t* typeName() const override { return u"s_sound_RecordPath"; }
  IObject* newInstance() const override { return new RecordPath; }
};

}  // namespace s::sound
