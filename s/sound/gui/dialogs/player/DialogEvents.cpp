// What the user does to the window's controls, and closing.
#include "s/gui/IWindow.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/PopupMenu.h"
#include "s/gui/win/Slider.h"
#include "s/gui/win/Window.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/Dialog.h"
#include "s/sound/gui/dialogs/player/PlayerMenus.h"
#include "s/sound/gui/dialogs/player/Transport.h"

namespace s::sound::gui::dialogs::player {

using s::gui::IWindow;
using s::gui::win::Window;

void Dialog::onEvent(base::IObject* source, int code) {
  if (!window_ || !tree_.root) return;
  if (source == static_cast<IWindow*>(window_.get())) {
    onWindowEvent(code);
  } else if (source == tree_.list) {
    onListEvent(code);
  } else if (source == tree_.controls) {
    if (code == s::gui::IBox::kFilesDropped) addDroppedFiles(tree_.controls->getDroppedFiles());
  } else if (source == tree_.position) {
    onPositionSlider(code);
  } else if (source == tree_.volume) {
    setVolumeFromSlider(code);
  } else if (s::gui::win::PopupMenu* menu = menus_ ? menus_->menuOf(source) : nullptr) {
    if (code == s::gui::IPopupMenu::kChosen) onMenuCommand(menu->getChosenId());
  } else if (dynamic_cast<s::gui::win::Button*>(source) && code == s::gui::win::Button::kClicked) {
    onButton(source);
  }
}

// The song moves once, to where the user lets go of the thumb; keys and the wheel move it at
// once. Between songs there is nothing to move.
void Dialog::onPositionSlider(int code) {
  s::gui::win::Slider& slider = *tree_.position;
  if (!state_.playing) {
    if (!slider.isDragging()) slider.setValue(0);
    return;
  }
  if (code == s::gui::win::Slider::kReleased || (code == s::gui::win::Slider::kChanged && !slider.isDragging()))
    state_.seekRequest = static_cast<float>(slider.getValue()) / 10.0f;
}

// The sound follows the thumb as it moves; the setting is written once, where it stops.
void Dialog::setVolumeFromSlider(int code) {
  const s::gui::win::Slider& slider = *tree_.volume;
  const int value = slider.getValue();
  state_.volumeFactor = static_cast<float>(value) / 100.0f;
  view_.volume = value;
  menus_->markVolume(value);
  if (code == s::gui::win::Slider::kReleased || !slider.isDragging()) store(ViewSettings::kVolume, u"", value);
  mprisChanged();
}

void Dialog::setVolume(int percent) {
  tree_.volume->setValue(percent);
  // The slider brings it into its range; the sound and the setting follow what it shows.
  const int value = tree_.volume->getValue();
  state_.volumeFactor = static_cast<float>(value) / 100.0f;
  view_.volume = value;
  store(ViewSettings::kVolume, u"", value);
  mprisChanged();
}

void Dialog::setPlayOrder(bool repeatSong, bool repeatList, bool shuffle) {
  state_.repeatSong = view_.repeatSong = repeatSong;
  state_.repeatList = view_.repeatList = repeatList;
  state_.shuffle = view_.shuffle = shuffle;
  store(ViewSettings::kPlayOrder, u"RepeatSong", repeatSong);
  store(ViewSettings::kPlayOrder, u"RepeatList", repeatList);
  store(ViewSettings::kPlayOrder, u"ShuffleList", shuffle);
  mprisChanged();
}

void Dialog::toggleMute() { setMuted(!state_.muted); }

// The factor stays as it is: the play process plays silence while muted.
void Dialog::setMuted(bool muted) {
  if (muted) menus_->markMute();
  else menus_->markVolume(tree_.volume->getValue());
  if (muted == state_.muted) return;
  state_.muted = muted;
  tree_.speaker->setText(muted ? u"#Mute" : u"#Speaker");
  tree_.volume->setEnabled(!muted);
}

void Dialog::onWindowEvent(int code) {
  switch (code) {
    case IWindow::kCloseRequested: onClose(); break;
    case IWindow::kSizing: onSizing(); break;
    case IWindow::kTimer:
      if (window_->getTimerId() == kNoticeTimer) {
        window_->killTimer(kNoticeTimer);
        showNotices();
      } else if (window_->getTimerId() == kSaveTimer) {
        window_->killTimer(kSaveTimer);
        saveChangedLists();
      }
      break;
    case IWindow::kContextMenuOpening: refreshWindowMenu(); break;
    case IWindow::kKeyDown: onKey(window_->getLastKey(), window_->lastKeyHadControl()); break;
    case IWindow::kTitleDoubleClick:
      if (view_.showHideListOnDoubleClick) showList(!view_.listShown);
      break;
    default: break;
  }
}

void Dialog::onListEvent(int code) {
  if (code == s::gui::win::ListBox2::kRowDoubleClicked) transport_->playRow(tree_.list->getDoubleClickedRow());
  // The user sorted the rows or dragged them to another place: the file keeps the view's order.
  else if (code == s::gui::win::ListBox2::kRowsDropped || code == s::gui::win::ListBox2::kRowsSorted) listsChanged();
}

void Dialog::onButton(base::IObject* source) {
  if (source == tree_.play) transport_->playOrPause();
  else if (source == tree_.stop) transport_->stop();
  else if (source == tree_.previous) transport_->previous(false);
  else if (source == tree_.next) transport_->next();
  else if (source == tree_.close) window_->close();
  else if (source == tree_.minimize) window_->minimize();
  else if (source == tree_.tray) window_->iconize();
  else if (source == tree_.listToggle) showList(!view_.listShown);
  else if (source == tree_.speaker) toggleMute();
  else if (source == tree_.previousList) previousList();
  else if (source == tree_.nextList) nextList();
}

void Dialog::onClose() {
  Window& w = *window_;
  // Hidden first, so that the placement is stored as the user left it.
  w.show(false, false);
  closing_ = true;
  window_->killTimer(kSaveTimer);
  transport_->stop();
  const int width = w.getWidth();
  store(ViewSettings::kSmallWidth, u"", width);
  store(ViewSettings::kLargeWidth, u"", width);
  if (view_.listShown) store(ViewSettings::kLargeHeight, u"", w.getHeight());
  bool saved = false;
  {
    thread::ObjLocker::Guard hold(state_.windowLock);
    saved = lists_->saveAll(services_.settings, tree_.list, services_.texts);
  }
  // What the user changed in a list is lost with the window: they hear of it now.
  if (!saved)
    w.showError(u"A play list could not be saved (a full disk, or a folder that cannot be written); "
                u"its file is as it was before.");
  std::vector<int> widths;
  for (int i = 0; i < tree_.list->getColumnCount(); ++i) widths.push_back(tree_.list->getColumnWidth(i));
  ViewSettings::writeColumns(*services_.settings, tree_.list->getColumnOrder(), widths);
}

}  // namespace s::sound::gui::dialogs::player
