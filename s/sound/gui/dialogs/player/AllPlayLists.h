#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "s/base/IObject.h"
#include "s/sound/gui/dialogs/player/ForeignListFile.h"
#include "s/thread/IPoolable.h"
#include "s/thread/ITask.h"
#include "s/thread/ObjLocker.h"

namespace s::gui::listbox2 {
class Record;
}
namespace s::gui::win {
class ListBox2;
}
namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}
namespace s::sound {
class IEncodedAudio;
}

namespace s::sound::gui::dialogs::player {

class PlayList;

// The play lists the player has open, in tab order, one of them selected and shown in the
// player's list view. Every list has its own ".mpl" file, and no file is open twice (paths are
// compared exactly). The set is kept in the settings section "PlayLists".
class AllPlayLists final : public base::IObject, public thread::IPoolable, public thread::ITask {
 public:
  using View = s::gui::win::ListBox2;
  using Row = s::gui::listbox2::Record;

  static constexpr const char16_t* kSection = u"PlayLists";
  static constexpr int32_t kDefaultListText = 950000;  // "Default Play List"
  // Stored counts are not trusted further than this many lists.
  static constexpr int32_t kMostStoredLists = 4096;

  // The captions of the list tab row: the selected list's name and the two step buttons.
  struct TabCaptions {
    std::u16string name;
    std::u16string left;
    bool leftEnabled = false;
    std::u16string right;
    bool rightEnabled = false;
  };

  static AllPlayLists* create();  // from the pool
  AllPlayLists() = default;
  ~AllPlayLists() override;
  AllPlayLists(const AllPlayLists&) = delete;
  AllPlayLists& operator=(const AllPlayLists&) = delete;

  // Opens the stored lists that still exist, keeping the stored selection on the same list (or
  // the one before it when it is gone); a ".mpl" `startPath` not yet open is opened last and
  // selected; with nothing open, the default list. A song `startPath`, or the songs of another
  // player's list (".m3u", ".m3u8", ".pls"), are added to the selected list and `songAdded`
  // (optional) tells whether one was. The selected list is shown in `view`.
  void restore(map::IMappedData* settings, std::u16string_view startPath, View* view,
               bool* songAdded);
  // Writes every list to its file (the selected one in the view's order) and the set to the
  // settings. A list whose file could not be read is not written over it. False when a list
  // could not be written.
  bool saveAll(map::IMappedData* settings, View* view, lang::Localizer* texts);
  // What the user should be told about the open lists (a damaged file read in part, entries of
  // another player's list that were passed over), each message handed out once, for the window to show when it can.
  std::vector<std::string> takeNotices();
  // Opens the list file as the last list; false (nothing opened) when it is already open.
  bool openFile(std::u16string_view path);
  // Shows the list at `index` in the view after bringing the selected one in step with it.
  void select(int index, View* view);
  // Writes the selected list and closes it; the one before it (or the first) is selected.
  // Refuses (false) when it is the only list open.
  bool closeSelected(View* view, lang::Localizer* texts);
  // Copies (or moves) the songs of the view's selected rows to the list at `target`, with the
  // titles, artists, albums, genres and boosts they have here. A move takes out of the selected
  // list only the songs the target now holds: a song whose file is gone stays where it was.
  // `wasCurrentOut` (when `checkCurrent`) tells whether the row `currentRow` was moved.
  // Returns how many songs the target gained.
  int moveOrCopy(int target, View* view, bool move, bool checkCurrent, int currentRow,
                 bool* wasCurrentOut);
  // addFile on the selected list with the view.
  Row* addToSelected(std::u16string_view path, View* view, std::u16string* titleOut,
                     IEncodedAudio** sourceOut, int32_t* boostOut, int insertAt = -1);

  // The songs of another player's list file added to the selected list and its view. What
  // was passed over, or why the file could not be read, becomes a notice (takeNotices).
  ForeignListFile::Result addListToSelected(std::u16string_view path, View* view);

  int getListCount() const { return static_cast<int>(lists_.size()); }
  PlayList* getList(int index) const;
  int getSelected() const { return selected_; }
  PlayList* selectedList() const { return getList(selected_); }
  int selectedSongCount() const;
  bool isOpen(std::u16string_view path) const { return files_.count(std::u16string(path)) != 0; }

  // The list's name, else "Default Play List" for the default list, else its file title.
  std::u16string displayName(int index, lang::Localizer* texts);
  // The user's music folder + "/Pruv Sonvia/DefaultPlayList.mpl".
  const std::u16string& defaultListPath();
  bool isDefaultSelected();
  TabCaptions tabCaptions(lang::Localizer* texts);
  // The captions for a selected list named `name` with the display names of its neighbours
  // (null where there is none).
  static TabCaptions tabCaptionsFor(std::u16string_view name, const std::u16string* previous,
                                    const std::u16string* next);

  // Closes every list without writing it; the rows leave `view` first.
  void clear(View* view);

  thread::ObjLocker& lock() { return lock_; }

  // Does nothing: the collection's work runs on the player window's thread.
  void run() override {}

  const char16_t* typeName() const override {
    return u"s_sound_gui_dialogs_player_AllPlayLists";
  }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  // Gives every list back; the owner empties its view first (see clear).
  void reset() override;

 private:
  std::vector<PlayList*> lists_;
  std::unordered_set<std::u16string> files_;
  int selected_ = 0;
  std::u16string defaultPath_;
  std::vector<std::string> notices_;  // of the collection itself, besides its lists' own
  thread::ObjLocker lock_;
};

}  // namespace s::sound::gui::dialogs::player
