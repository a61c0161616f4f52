// Writing the lists while the window is open: a change arms the save timer, the changes that
// follow ride along, and the timer writes every list and the set of lists in one go.
#include "s/gui/win/Window.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/Dialog.h"

namespace s::sound::gui::dialogs::player {

// Armed once per round of changes and not re-armed by the ones that follow: songs arriving
// faster than the delay would otherwise put the save off for as long as they keep coming.
void Dialog::listsChanged() {
  if (!window_ || closing_ || saveArmed_) return;
  saveArmed_ = true;
  window_->setTimer(kSaveTimer, kSaveDelayMs);
}

// Each file is written beside itself and then renamed over the old one, so a kill in the middle
// of this leaves every list either as it was or as it is now.
void Dialog::saveChangedLists() {
  saveArmed_ = false;
  if (closing_) return;
  bool saved = false;
  {
    thread::ObjLocker::Guard hold(state_.windowLock);
    saved = lists_->saveAll(services_.settings, tree_.list, services_.texts);
  }
  if (saved) {
    saveFailureShown_ = false;
    return;
  }
  if (saveFailureShown_) return;
  saveFailureShown_ = true;
  window_->showError(u"A play list could not be saved (a full disk, or a folder that cannot be written); "
                     u"its file is as it was before. The player tries again at the next change.");
}

}  // namespace s::sound::gui::dialogs::player
