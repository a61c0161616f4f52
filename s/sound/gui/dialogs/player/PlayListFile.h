#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "s/base/IObject.h"

namespace s::gui::win {
class ListBox2;
}
namespace s::lang {
class Localizer;
}

namespace s::sound::gui::dialogs::player {

class PlayList;

// The ".mpl" file of a play list: a "PlayListXml" document with a "Generator" element naming
// the program and a "PlayList" element holding one "_<index>" element per song, written and read
// through the XML store. Song paths inside the list's folder are kept relative to it.
class PlayListFile final : public base::IObject {
 public:
  using View = s::gui::win::ListBox2;

  static constexpr const char16_t* kRootName = u"PlayListXml";
  // Texts of the language table for the "Generator" element.
  static constexpr int32_t kApplicationText = 500000;
  static constexpr int32_t kVersionText = 500010;
  static constexpr int32_t kUrlText = 500003;

  struct LoadResult {
    enum Status {
      kLoaded,   // the file was read (an empty file counts: a new list)
      kNoFile,   // nothing at the path: nothing added
      kFailed,   // the file is there but is no readable play list; see reason
      kDamaged,  // the file is cut short or damaged: the songs that could be read were added
    };
    Status status = kNoFile;
    std::string reason;  // English, for kFailed and kDamaged
    int added = 0;       // songs added to the list
    // What the file says of itself, as it stands there (for kLoaded): the "Generator" values,
    // the stated "length" and the "filePath" it was written as.
    std::u16string application, version, url;
    int32_t length = 0;
    std::u16string writtenAs;
    bool failed() const { return status == kFailed; }
    bool damaged() const { return status == kDamaged; }
  };

  // Where the file of a damaged list is kept before the list is written over it:
  // "<path>.damaged-<local time as YYYYMMDD-HHMMSS>".
  static std::u16string damagedCopyPath(std::u16string_view path);

  // Writes `list` to `path`: in the view's row order with a view, else in the list's order. The
  // document goes to "<path>.tmp" first (a stale one from an earlier crash is removed), reaches
  // the disk, and only then replaces the list's file, so the old or the new list is there whole
  // whatever happens. A link is followed and the file keeps its permissions. Refuses to write
  // over the file a list failed to load from; over the file a list was read from only in part
  // it writes only once the damaged file is kept at the list's damaged-copy path. `texts`
  // (optional) supplies the "Generator" values. False, with `reason` (optional, English), when
  // the list could not be written; the old file is then untouched.
  static bool saveList(lang::Localizer* texts, PlayList* list, std::u16string_view path,
                       View* view, std::string* reason = nullptr);
  // Adds the songs of the file at `path` to `list` (appending their rows to `view` when given).
  // Counts in the file are not trusted: only entries that exist are read. Of a file cut short,
  // every entry that is whole is read; the one the file broke off in is left out.
  static LoadResult loadList(PlayList* list, std::u16string_view path, View* view);
  // A new list from the pool bound to `path` (file path and title), holding the file's songs.
  // A file that cannot be read gives an empty list that remembers why (PlayList::getLoadFailure);
  // a damaged one gives the songs that could be read, a damaged-copy path and a notice for the
  // user (PlayList::takeNotice).
  static PlayList* openListFile(std::u16string_view path, LoadResult* result = nullptr);

  const char16_t* typeName() const override {
    return u"s_sound_gui_dialogs_player_PlayListFile";
  }
  base::IObject* newInstance() const override { return new PlayListFile; }
};

}  // namespace s::sound::gui::dialogs::player
