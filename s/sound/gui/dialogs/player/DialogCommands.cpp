// The window menu and the tray menu: building them, refreshing them before they open, and what
// their commands do to playback and the play lists.
#include "s/gui/IWindow.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/ListViewport.h"
#include "s/gui/win/PopupMenu.h"
#include "s/gui/win/Slider.h"
#include "s/gui/win/Window.h"
#include "s/lang/Localizer.h"
#include "s/map/IMappedData.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/Dialog.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/gui/dialogs/player/PlayerMenus.h"
#include "s/sound/gui/dialogs/player/Transport.h"

namespace s::sound::gui::dialogs::player {

using M = PlayerMenus;

void Dialog::buildMenus() {
  menus_ = std::make_unique<PlayerMenus>(services_.texts);
  menus_->build(view_, window_->isKeptOnTop(), window_->getMiddleClickAction() == u"Iconize");
  menus_->windowMenu()->addListener(this);
  menus_->trayMenu()->addListener(this);
  refreshWindowMenu();
  window_->setContextMenu(menus_->windowMenu(), false);
  window_->setTrayMenu(menus_->trayMenu());
  window_->addWindowListener(s::gui::IWindow::kContextMenuOpening, this);
}

void Dialog::refreshWindowMenu() {
  if (services_.skinner) {
    const s::gui::drawer::ISkin* current = services_.skinner->getCurrentSkin();
    menus_->rebuildSkins(services_.skinner->getSkinNames(),
                         current ? services_.skinner->findSkin(current->getName()) : -1);
  }
  menus_->setGoToCurrentSongEnabled(state_.playing);
  thread::ObjLocker::Guard hold(state_.windowLock);
  // The default list, and the last one open, stay.
  menus_->setCloseListEnabled(!lists_->isDefaultSelected() && lists_->getListCount() > 1);
}

void Dialog::onMenuCommand(int id) {
  if (onPlayCommand(id) || onSoundCommand(id) || onViewCommand(id)) return;
  onLookCommand(id);
}

bool Dialog::onPlayCommand(int id) {
  switch (id) {
    case M::kTrayPlayPause: transport_->playOrPause(); return true;
    case M::kTrayNext: transport_->next(); return true;
    case M::kTrayPrevious: transport_->previous(true); return true;
    case M::kTrayExit:
      window_->bringToFront();
      window_->close();
      return true;
    case M::kGoToCurrentSong: goToCurrentSong(); return true;
    case M::kCloseList: closeList(); return true;
    case M::kResetSongNumbers: resetSongNumbers(); return true;
    case M::kRepeatSong:
    case M::kTrayRepeatSong:
      state_.repeatSong = view_.repeatSong = !view_.repeatSong;
      store(ViewSettings::kPlayOrder, u"RepeatSong", view_.repeatSong);
      break;
    case M::kRepeatList:
    case M::kTrayRepeatList:
      state_.repeatList = view_.repeatList = !view_.repeatList;
      store(ViewSettings::kPlayOrder, u"RepeatList", view_.repeatList);
      break;
    case M::kShuffle:
    case M::kTrayShuffle:
      // The shuffled order stays as it was: switching back on goes on where it left off.
      state_.shuffle = view_.shuffle = !view_.shuffle;
      store(ViewSettings::kPlayOrder, u"ShuffleList", view_.shuffle);
      break;
    default: return false;
  }
  menus_->setPlayOrder(view_.repeatSong, view_.repeatList, view_.shuffle);
  return true;
}

bool Dialog::onSoundCommand(int id) {
  if (id == M::kStudioOriginal || id == M::kSoftBreeze || id == M::kOpenAir) {
    state_.presetIndex = -1;
    state_.softFlag = id == M::kSoftBreeze;
    state_.stereoFlag = state_.equalizerFlag = id == M::kOpenAir;
    view_.effect = id == M::kSoftBreeze ? u"Soft" : id == M::kOpenAir ? u"Dynamic" : u"None";
  } else if (id >= M::kFirstPreset && id <= M::kLastPreset) {
    state_.presetIndex = id - M::kFirstPreset;
    state_.softFlag = state_.stereoFlag = state_.equalizerFlag = false;
    view_.effect = u"Others";
  } else if (id >= M::kFirstPitch && id <= M::kLastPitch) {
    state_.pitch = M::kPitchZero - id;
    menus_->markPitch(id);
    return true;
  } else if (id >= M::kMute && id <= M::kFullVolume) {
    setVolumeLevel(id - M::kMute);
    return true;
  } else if (id >= M::kTrayMute && id <= M::kTrayFullVolume) {
    setVolumeLevel(id - M::kTrayMute);
    return true;
  } else {
    return false;
  }
  services_.settings->setString(ViewSettings::kView, u"Effect", view_.effect.c_str());
  menus_->markEffect(id);
  return true;
}

// Level 0 mutes and leaves the slider where it is; a level unmutes and moves the slider there.
void Dialog::setVolumeLevel(int level) {
  if (level == 0) {
    setMuted(true);
    return;
  }
  state_.volumeFactor = static_cast<float>(level) / 10.0f;
  view_.volume = level * 10;
  tree_.volume->setValue(view_.volume);
  store(ViewSettings::kVolume, u"", view_.volume);
  setMuted(false);
  menus_->markVolume(view_.volume);
}

void Dialog::goToCurrentSong() {
  if (!state_.playing) return;
  int row = -1;
  {
    thread::ObjLocker::Guard hold(state_.windowLock);
    row = transport_->currentRow();
  }
  if (row < 0) return;
  tree_.list->selectAll(false);
  tree_.list->select(row);
  tree_.list->viewport().ensureVisible(row);
}

void Dialog::resetSongNumbers() {
  {
    thread::ObjLocker::Guard hold(state_.windowLock);
    if (PlayList* list = lists_->selectedList()) list->renumberFromView(tree_.list);
  }
  tree_.list->repaint();
}

}  // namespace s::sound::gui::dialogs::player
