#include "s/sound/gui/dialogs/player/PlayOrder.h"

#include "s/gui/listbox2/Record.h"
#include "s/gui/win/ListBox2.h"
#include "s/sound/IInfo.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/gui/dialogs/player/PlayState.h"
#include "s/sound/gui/dialogs/player/Shuffler.h"

namespace s::sound::gui::dialogs::player {

int PlayOrder::songCount() { return lists_.selectedSongCount(); }

std::u16string PlayOrder::rowPath(int row) {
  if (row < 0) return {};
  IInfo* record = PlayList::recordOf(view_.getRow(row));
  return record ? std::u16string(record->getPath()) : std::u16string();
}

int PlayOrder::rowOf(IInfo* entry) {
  s::gui::listbox2::Record* row = entry ? entry->peekListRow() : nullptr;
  return row ? view_.indexOf(row) : -1;
}

int PlayOrder::rowAfterCurrent() {
  const int count = view_.getRowCount();
  if (count == 0) return -1;
  const int row = rowOf(state_.currentEntry);
  if (row >= 0 && row + 1 < count) return row + 1;
  // Past the last row, or the entry left the view: only Repeat Play List goes on from the top.
  return state_.repeatList ? 0 : -1;
}

int PlayOrder::rowBeforeCurrent() {
  const int count = view_.getRowCount();
  if (count == 0) return -1;
  const int row = rowOf(state_.currentEntry);
  if (row > 0) return row - 1;
  return state_.repeatList ? count - 1 : -1;
}

void PlayOrder::shuffleSelected() {
  if (PlayList* list = lists_.selectedList())
    list->arrangeSongs(Shuffler::order(list->getSongCount()));
}

std::u16string PlayOrder::takeShuffled() {
  int position = state_.shufflePosition;
  if (position < 0) position = 0;
  PlayList* list = lists_.selectedList();
  IInfo* song = list ? list->getSong(position) : nullptr;
  if (!song) return {};
  state_.shufflePosition = position + 1;
  return std::u16string(song->getPath());
}

std::u16string PlayOrder::first() {
  if (songCount() == 0) return {};
  if (state_.shuffle) {
    shuffleSelected();
    state_.shufflePosition = 0;
    return takeShuffled();
  }
  return rowPath(0);
}

bool PlayOrder::next(std::u16string& path) {
  path.clear();
  IInfo* entry = state_.currentEntry;
  if (!entry) return false;
  if (state_.repeatSong) {
    path = entry->getPath();
    return true;
  }
  if (state_.shuffle) {
    // The same order again: only the Next button deals a new one.
    if (state_.repeatList && state_.shufflePosition >= songCount()) state_.shufflePosition = 0;
    path = takeShuffled();
  } else {
    path = rowPath(rowAfterCurrent());
  }
  return !path.empty();
}

std::u16string PlayOrder::nextByUser() {
  if (!state_.shuffle) return rowPath(rowAfterCurrent());
  if (state_.repeatList && state_.shufflePosition >= songCount()) state_.shufflePosition = 0;
  if (state_.shufflePosition == 0) shuffleSelected();
  return takeShuffled();
}

std::u16string PlayOrder::previousByUser(bool& stop) {
  stop = false;
  if (!state_.shuffle) return rowPath(rowBeforeCurrent());
  const int count = songCount();
  // The position was taken past the song playing; songs removed since may have left it beyond
  // the end of the list.
  int position = state_.shufflePosition - 2;
  if (position > count - 1) position = count - 1;
  if (position < 0 && state_.repeatList && count > 0) {
    // Back past the first song: a new order, from its last song.
    position = count - 1;
    shuffleSelected();
  }
  if (position < 0) {
    state_.shufflePosition = 0;
    stop = true;
    return {};
  }
  state_.shufflePosition = position;
  return takeShuffled();
}

}  // namespace s::sound::gui::dialogs::player
