#pragma once
#include <string>

namespace s::gui::win {
class ListBox2;
}
namespace s::sound {
class IInfo;
}

namespace s::sound::gui::dialogs::player {

class AllPlayLists;
struct PlayState;

// Which song comes next: the rows of the list view in their order (wrapping with Repeat Play
// List), or the selected list's own song array after a shuffle. Runs on the window's thread
// under the window lock; it reads the play order switches and moves the shuffle position.
class PlayOrder {
 public:
  PlayOrder(PlayState& state, AllPlayLists& lists, s::gui::win::ListBox2& view)
      : state_(state), lists_(lists), view_(view) {}

  // The first song of a new process: the shuffled order's first song (the list is shuffled),
  // else the first row's. "" when there is none.
  std::u16string first();
  // The song after the current entry when it ended by itself; false (the process ends) when
  // there is none. With Repeat Song the same song; in shuffle the next of the same order, which
  // starts again (not reshuffled) with Repeat Play List.
  bool next(std::u16string& path);

  // The song the Next button asks for, "" when none (the caller then stops playback): as next,
  // but at the end of the shuffled order with Repeat Play List the list is shuffled anew.
  std::u16string nextByUser();
  // The song the Previous button asks for, "" when none; `stop` is set when the shuffled order
  // was stepped back past its start.
  std::u16string previousByUser(bool& stop);

  // Rearranges the selected list's songs in shuffled order; the view keeps its rows.
  void shuffleSelected();
  // The song of view row `row`, "" outside the rows.
  std::u16string rowPath(int row);
  // The view row showing `entry`, -1 when it is not shown (or null).
  int rowOf(IInfo* entry);
  // The row after (or before) the current entry's; wrapping with Repeat Play List; with the
  // entry not in the view, the first (or last) row when wrapping, else -1.
  int rowAfterCurrent();
  int rowBeforeCurrent();

 private:
  // The song at the shuffle position, which then advances; "" past the end.
  std::u16string takeShuffled();
  int songCount();

  PlayState& state_;
  AllPlayLists& lists_;
  s::gui::win::ListBox2& view_;
};

}  // namespace s::sound::gui::dialogs::player
