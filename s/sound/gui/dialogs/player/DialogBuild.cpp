// Building the window: the component tree, the list view's restored look, the first size.
#include "platform/text/Utf.h"
#include "s/gui/IWindow.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/Window.h"
#include "s/sound/gui/dialogs/player/Dialog.h"
#include "s/sound/gui/dialogs/player/ListColumns.h"
#include "s/sound/gui/dialogs/player/ListEdits.h"
#include "s/sound/gui/dialogs/player/RowHeightDrawer.h"
#include "s/sound/gui/dialogs/player/SquareButtonDrawer.h"
#include "s/sound/gui/dialogs/player/Transport.h"

namespace s::sound::gui::dialogs::player {

using s::gui::IWindow;

void Dialog::buildWindow() {
  window_->setTitle(text(kProductNameText));
  state_.volumeFactor = view_.volumeFactor();
  state_.repeatSong = view_.repeatSong;
  state_.repeatList = view_.repeatList;
  state_.shuffle = view_.shuffle;
  state_.showGraph = view_.showGraph;
  state_.showTimeRemaining = view_.showTimeRemaining;
  applyEffect();

  tree_.build(*window_, view_.volume);
  buttonDrawer_ = std::make_unique<SquareButtonDrawer>(*tree_.root);
  tree_.setSquareButtonDrawer(buttonDrawer_.get());
  tree_.listen(this);
  for (int code : {IWindow::kCloseRequested, IWindow::kSizing, IWindow::kTitleDoubleClick, IWindow::kTimer,
                   IWindow::kKeyDown})
    window_->addWindowListener(code, this);
  for (int code : {s::gui::win::ListBox2::kRowDoubleClicked, s::gui::win::ListBox2::kRowsDropped,
                   s::gui::win::ListBox2::kRowsSorted})
    tree_.list->addListener(code, this);
  restoreListView();
  transport_ = std::make_unique<Transport>(state_, *lists_, *tree_.list, *this);
  if (!device_.empty()) transport_->setOutputDevice(device_);
  edits_ = std::make_unique<ListEdits>(state_, *lists_, *tree_.list, *transport_);
  buildMenus();
  edits_->setChanged([this] { listsChanged(); });
}

void Dialog::applyEffect() {
  state_.presetIndex = -1;
  state_.softFlag = view_.softEffect();
  state_.stereoFlag = view_.dynamicEffect();
  state_.equalizerFlag = view_.dynamicEffect();
}

void Dialog::restoreListView() {
  s::gui::win::ListBox2& list = *tree_.list;
  addSongColumns(list, services_.texts);
  // A stored order that is not a permutation of the columns is refused by the list itself.
  if (!view_.columnOrder.empty()) list.setColumnOrder(view_.columnOrder);
  for (int i = 0; i < list.getColumnCount() && i < static_cast<int>(view_.columnWidths.size()); ++i)
    if (view_.columnWidths[static_cast<std::size_t>(i)] >= 0)
      list.setColumnWidth(i, view_.columnWidths[static_cast<std::size_t>(i)]);
  rowDrawer_ = std::make_unique<RowHeightDrawer>(list);
  rowDrawer_->setRowHeight(ViewSettings::rowHeightFor(view_.cellHeight));
  list.setDrawer(rowDrawer_.get());
  s::gui::drawer::FontStyle font = list.getFont();
  // A font size code n is a font of n + 10 points, as for every widget.
  font.font.pointSize = view_.fontSize + 10;
  list.setFont(font);
  list.setAlternateRows(view_.alternateRows);
  list.setFullRowSelect(true);
  list.setReorderAllowed(true);
}

void Dialog::sizeWindow() {
  window_->setMinSizeEnforced(true, true);
  window_->setSize(view_.smallWidth, kSmallHeight);
  if (view_.listShown) {
    window_->setFixedHeight(-1, false);
    window_->setSize(view_.largeWidth, view_.largeHeight);
  } else {
    window_->setFixedHeight(kSmallHeight, false);
    window_->setSize(view_.smallWidth, kSmallHeight);
  }
  tree_.listToggle->setText(view_.listShown ? u"#Up" : u"#Down");
  // Hidden, the list's tab row would peek out below the controls.
  tree_.listPanel->setVisible(view_.listShown);
  // Each pass settles sizes that the one before changed (labels measured, percentages of a
  // parent that only now has its size).
  for (int pass = 0; pass < 4; ++pass) window_->doLayout();
  window_->repaint();
}

}  // namespace s::sound::gui::dialogs::player
