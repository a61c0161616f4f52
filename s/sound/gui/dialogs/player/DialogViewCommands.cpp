// Menu commands that change how the window looks: the view switches, row height and font size,
// transparency, skin and language. Each is stored as it is chosen.
#include <chrono>

#include "s/app/IAppBase.h"
#include "s/app/IAppWindow.h"
#include "s/gui/counter/CounterData.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/win/Counter.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/Window.h"
#include "s/lang/LangPack.h"
#include "s/lang/Localizer.h"
#include "s/map/IMappedData.h"
#include "s/sound/gui/dialogs/player/Dialog.h"
#include "s/sound/gui/dialogs/player/PlayerMenus.h"
#include "s/sound/gui/dialogs/player/RowHeightDrawer.h"

namespace s::sound::gui::dialogs::player {

using M = PlayerMenus;

void Dialog::toggleView(int command, const char16_t* key, bool& value) {
  value = !value;
  store(ViewSettings::kView, key, value);
  menus_->setChecked(command, value);
}

bool Dialog::onViewCommand(int id) {
  s::gui::win::ListBox2& list = *tree_.list;
  switch (id) {
    case M::kKeepOnTop:
      // The window stores it with its own placement.
      window_->setKeepOnTop(!window_->isKeptOnTop());
      menus_->setChecked(id, window_->isKeptOnTop());
      return true;
    case M::kIconizeOnMiddleClick: {
      const bool on = !menus_->isChecked(id);
      window_->setMiddleClickAction(on ? u"Iconize" : u"DoNothing");
      menus_->setChecked(id, on);
      return true;
    }
    case M::kAlternateRows:
      toggleView(id, u"UseAlternateRowColor", view_.alternateRows);
      list.setAlternateRows(view_.alternateRows);
      list.repaint();
      return true;
    case M::kShowGraph:
      toggleView(id, u"ShowGraph", view_.showGraph);
      state_.showGraph = view_.showGraph;
      if (!view_.showGraph) {
        tree_.display->getFirstSeries()->clear();
        repaintDisplay();
      }
      return true;
    case M::kShowTimeRemaining:
      toggleView(id, u"ShowTimeRemaining", view_.showTimeRemaining);
      state_.showTimeRemaining = view_.showTimeRemaining;
      return true;
    case M::kShowHideListOnDoubleClick:
      toggleView(id, u"ShowHideListOnDoubleClick", view_.showHideListOnDoubleClick);
      return true;
    case M::kKeepInScreen:
      toggleView(id, u"KeepInScreen", view_.keepInScreen);
      window_->setKeepInScreen(view_.keepInScreen);
      return true;
    default: break;
  }
  const bool even = id % 2 == 0;
  if (even && id >= M::kFirstCellHeight && id <= M::kLastCellHeight) {
    view_.cellHeight = M::codeOfSizeCommand(id, M::kFirstCellHeight);
    rowDrawer_->setRowHeight(ViewSettings::rowHeightFor(view_.cellHeight));
    store(ViewSettings::kView, u"CellHeight", view_.cellHeight);
    menus_->markCellHeight(view_.cellHeight);
  } else if (even && id >= M::kFirstFontSize && id <= M::kLastFontSize) {
    view_.fontSize = M::codeOfSizeCommand(id, M::kFirstFontSize);
    s::gui::drawer::FontStyle font = list.getFont();
    font.font.pointSize = view_.fontSize + 10;
    list.setFont(font);
    store(ViewSettings::kView, u"FontSize", view_.fontSize);
    menus_->markFontSize(view_.fontSize);
  } else {
    return false;
  }
  list.doLayout();
  list.repaint();
  return true;
}

bool Dialog::onLookCommand(int id) {
  if (id >= M::kFirstTransparency && id <= M::kLastTransparency && id % 10 == 0) {
    view_.transparency = 100 - (id - M::kFirstTransparency);
    window_->setOpacity(view_.transparency, view_.transparencyOnlyOnTop);
    store(ViewSettings::kView, u"Transparency", view_.transparency);
    store(ViewSettings::kView, u"TransparencyOnlyOnTop", view_.transparencyOnlyOnTop);
    menus_->markTransparency(view_.transparency);
    return true;
  }
  if (services_.texts && id >= 0 && id < services_.texts->getLanguageCount()) {
    chooseLanguage(id);
    return true;
  }
  if (services_.skinner && id >= M::kFirstSkin && id < M::kFirstSkin + services_.skinner->getSkinCount()) {
    chooseSkin(id - M::kFirstSkin);
    return true;
  }
  return false;
}

void Dialog::chooseLanguage(int index) {
  lang::Localizer& texts = *services_.texts;
  // Every holder of a text id, the menus among them, takes its text again from here.
  texts.selectByIndex(index);
  if (services_.appWindow && services_.appWindow->getApplication())
    services_.appWindow->getApplication()->storeLanguage(std::u16string(texts.getLanguage(index)->engName()));
  menus_->markLanguage(index);
  window_->repaint();
}

void Dialog::chooseSkin(int index) {
  s::gui::drawer::Skinner& skinner = *services_.skinner;
  const std::u16string name = skinner.getSkinName(index);
  skinner.selectSkin(name);
  if (services_.appWindow && services_.appWindow->getApplication())
    services_.appWindow->getApplication()->storeSkin(name);
  // A skin chosen by hand starts the period of the random change again.
  const auto now = std::chrono::duration_cast<std::chrono::seconds>(
      std::chrono::system_clock::now().time_since_epoch());
  services_.settings->setS64(ViewSettings::kView, u"RandomSkinLastChange", now.count());
  refreshWindowMenu();
}

}  // namespace s::sound::gui::dialogs::player
