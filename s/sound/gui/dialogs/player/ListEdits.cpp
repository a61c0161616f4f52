#include "s/sound/gui/dialogs/player/ListEdits.h"

#include "s/gui/win/ListBox2.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/gui/dialogs/player/PlayState.h"
#include "s/sound/gui/dialogs/player/Transport.h"

namespace s::sound::gui::dialogs::player {

using Guard = thread::ObjLocker::Guard;

namespace {
bool processRuns(const PlayState& state) { return state.playing || state.playThreadStarted; }
}  // namespace

bool ListEdits::openList(std::u16string_view path) {
  Guard hold(state_.windowLock);
  if (!lists_.openFile(path)) return false;
  state_.listChanged = true;
  lists_.select(lists_.getListCount() - 1, &view_);
  changed();
  return true;
}

void ListEdits::selectList(int index) {
  Guard hold(state_.windowLock);
  // Stepping past the first or last list changes nothing, so the song playing goes on as before.
  if (index < 0 || index >= lists_.getListCount() || index == lists_.getSelected()) return;
  state_.listChanged = true;
  lists_.select(index, &view_);
  changed();
}

bool ListEdits::closeSelectedList(lang::Localizer* texts) {
  Guard hold(state_.windowLock);
  if (lists_.getListCount() <= 1) return false;
  // The list's records go back to their pool with it: the entry goes first.
  if (processRuns(state_)) transport_.forgetCurrentEntry();
  const bool closed = lists_.closeSelected(&view_, texts);
  if (closed) changed();
  return closed;
}

void ListEdits::clearSelectedList() {
  Guard hold(state_.windowLock);
  PlayList* list = lists_.selectedList();
  if (!list) return;
  if (processRuns(state_) && transport_.currentRow() >= 0) transport_.forgetCurrentEntry();
  list->clearAll(&view_);
  changed();
}

void ListEdits::removeSelectedSongs(std::vector<std::u16string>* removedPaths) {
  Guard hold(state_.windowLock);
  PlayList* list = lists_.selectedList();
  if (!list) return;
  bool wasCurrent = false;
  // Nothing reads the entry between its record going and forgetCurrentEntry, which never reads it.
  list->removeSelected(&view_, transport_.currentRow(), processRuns(state_), &wasCurrent,
                       removedPaths);
  if (wasCurrent) transport_.forgetCurrentEntry();
  changed();
}

void ListEdits::removeMissingSongs() {
  Guard hold(state_.windowLock);
  PlayList* list = lists_.selectedList();
  if (!list) return;
  bool wasCurrent = false;
  list->removeMissing(&view_, processRuns(state_), transport_.currentRow(), &wasCurrent);
  if (wasCurrent) transport_.forgetCurrentEntry();
  changed();
}

int ListEdits::moveOrCopySelected(int target, bool move) {
  Guard hold(state_.windowLock);
  bool wasCurrent = false;
  const int gained = lists_.moveOrCopy(target, &view_, move, processRuns(state_),
                                       transport_.currentRow(), &wasCurrent);
  if (wasCurrent) transport_.forgetCurrentEntry();
  // A move changes the list left behind even when the target gained nothing new.
  changed();
  return gained;
}

}  // namespace s::sound::gui::dialogs::player
