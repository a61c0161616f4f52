#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace s::gui::win {
class ListBox2;
}
namespace s::lang {
class Localizer;
}

namespace s::sound::gui::dialogs::player {

class AllPlayLists;
class Transport;
struct PlayState;

// The play list operations of the player window that can take the playing song away or switch
// the list the process plays from. Each takes the window lock, and never leaves the process a
// current entry whose record went back to its pool. Window's thread. Every operation that
// changes what a list file or the set of lists holds tells the `changed` callback, so that the
// owner can save soon after.
class ListEdits {
 public:
  ListEdits(PlayState& state, AllPlayLists& lists, s::gui::win::ListBox2& view,
            Transport& transport)
      : state_(state), lists_(lists), view_(view), transport_(transport) {}

  void setChanged(std::function<void()> changed) { changed_ = std::move(changed); }

  // Opens a list file and selects it (false when it is already open); the song playing plays to
  // its end and the process then ends.
  bool openList(std::u16string_view path);
  // Selects the list at `index` (the same rule).
  void selectList(int index);
  // Closes the selected list (never the only one); stops playback while playing.
  bool closeSelectedList(lang::Localizer* texts);
  // Empties the selected list; stops playback while playing.
  void clearSelectedList();
  // Removes the songs of the selected rows; when the playing song was one of them, playback
  // stops. The removed paths are appended to `removedPaths` (optional).
  void removeSelectedSongs(std::vector<std::u16string>* removedPaths);
  // Removes the songs whose files are gone (the same rule).
  void removeMissingSongs();
  // Copies or moves the selected rows' songs to the list at `target` (the same rule for a move);
  // returns how many songs the target gained.
  int moveOrCopySelected(int target, bool move);

 private:
  PlayState& state_;
  AllPlayLists& lists_;
  s::gui::win::ListBox2& view_;
  Transport& transport_;
  std::function<void()> changed_;
  void changed() const {
    if (changed_) changed_();
  }
};

}  // namespace s::sound::gui::dialogs::player
