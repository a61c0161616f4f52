#include "s/sound/gui/dialogs/player/PlayerMenus.h"

#include <algorithm>

#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/PopupMenu.h"
#include "s/lang/LangPack.h"
#include "s/lang/Localizer.h"
#include "s/sound/gui/dialogs/player/ViewSettings.h"

namespace s::sound::gui::dialogs::player {

using s::gui::menuitem::MenuItem;
using s::gui::win::PopupMenu;

namespace {

constexpr const char16_t* kSizeTexts[] = {u"+3", u"+2", u"+1", u"\u00b10", u"-1", u"-2", u"-3"};

void addSeparator(PopupMenu* menu) { menu->addItem(MenuItem::separator()); }

std::u16string signedNumber(int n) {
  const std::string digits = (n > 0 ? "+" : "") + std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

PlayerMenus::PlayerMenus(lang::Localizer* texts) : texts_(texts) {}

PlayerMenus::~PlayerMenus() {
  // Each menu gives its sub-menus back with itself.
  if (window_) window_->release();
  if (tray_) tray_->release();
}

PopupMenu* PlayerMenus::subMenu(std::int32_t titleId) {
  PopupMenu* menu = PopupMenu::create();
  menu->setLocalizer(texts_);
  menu->setTitleId(titleId);
  return menu;
}

void PlayerMenus::build(const ViewSettings& view, bool keepOnTop, bool iconizeOnMiddleClick) {
  buildWindowMenu(view, keepOnTop, iconizeOnMiddleClick);
  buildTrayMenu(view);
  markVolume(view.volume);
  setPlayOrder(view.repeatSong, view.repeatList, view.shuffle);
  markEffect(view.softEffect() ? kSoftBreeze : view.dynamicEffect() ? kOpenAir : kStudioOriginal);
  markPitch(kPitchZero);
}

void PlayerMenus::buildWindowMenu(const ViewSettings& view, bool keepOnTop, bool iconizeOnMiddleClick) {
  window_ = subMenu(-1);
  window_->setTitle(u"Right Click Menu");
  PopupMenu* w = window_;
  w->addItem(MenuItem::fromTextId(texts_, 850000, kGoToCurrentSong));
  addSeparator(w);
  w->addItem(MenuItem::fromTextId(texts_, 917001, kCloseList));
  addSeparator(w);
  w->addItem(MenuItem::fromTextId(texts_, 930000, kResetSongNumbers));
  addSeparator(w);

  effect_ = subMenu(7000000);
  effect_->addItem(MenuItem::fromTextId(texts_, 7001001, kStudioOriginal));
  addSeparator(effect_);
  effect_->addItem(MenuItem::fromTextId(texts_, 6802000, kOpenAir));
  effect_->addItem(MenuItem::fromTextId(texts_, 6801000, kSoftBreeze));
  addSeparator(effect_);
  const std::int32_t presetTexts[] = {7100025, 7100125, 7100200, 7100300, 7100400, 7100500,
                                      7100600, 7100700, 7100800, 7100900, 7101000};
  for (int i = 0; i <= kLastPreset - kFirstPreset; ++i)
    effect_->addItem(MenuItem::fromTextId(texts_, presetTexts[i], kFirstPreset + i));
  w->addSubMenu(effect_);

  pitch_ = subMenu(7200000);
  pitch_->addItem(MenuItem::fromTextId(texts_, 7200100, kFirstPitch));
  for (int keys = 11; keys >= 2; --keys) pitch_->addItem(MenuItem::fromText(signedNumber(keys), kPitchZero - keys));
  pitch_->addItem(MenuItem::fromTextId(texts_, 7200200, kPitchZero - 1));
  addSeparator(pitch_);
  pitch_->addItem(MenuItem::fromTextId(texts_, 7200300, kPitchZero));
  addSeparator(pitch_);
  pitch_->addItem(MenuItem::fromTextId(texts_, 7200400, kPitchZero + 1));
  for (int keys = 2; keys <= 11; ++keys) pitch_->addItem(MenuItem::fromText(signedNumber(-keys), kPitchZero + keys));
  pitch_->addItem(MenuItem::fromTextId(texts_, 7200500, kLastPitch));
  w->addSubMenu(pitch_);

  volume_ = volumeMenu(kMute);
  w->addSubMenu(volume_);
  addSeparator(w);
  w->addItem(MenuItem::fromTextId(texts_, 901000, kRepeatSong));
  w->addItem(MenuItem::fromTextId(texts_, 902000, kRepeatList));
  w->addItem(MenuItem::fromTextId(texts_, 903000, kShuffle));
  addSeparator(w);
  w->addItem(MenuItem::fromTextId(texts_, 1990000992, kKeepOnTop, keepOnTop));
  buildViewMenu(view, iconizeOnMiddleClick);

  skin_ = subMenu(8000000);
  w->addSubMenu(skin_);

  transparency_ = subMenu(715000);
  for (int step = 0; step <= 9; ++step)
    transparency_->addItem(MenuItem::fromTextId(texts_, 715100 + 100 * step, kFirstTransparency + 10 * step));
  w->addSubMenu(transparency_);
  markTransparency(view.transparency);

  language_ = subMenu(700000);
  const int languages = texts_ ? texts_->getLanguageCount() : 0;
  for (int i = 0; i < languages; ++i)
    language_->addItem(MenuItem::fromText(std::u16string(texts_->getLanguage(i)->trueName()), i));
  w->addSubMenu(language_);
  if (texts_ && texts_->getCurrent())
    for (int i = 0; i < languages; ++i)
      if (texts_->getLanguage(i) == texts_->getCurrent()) markLanguage(i);
}

void PlayerMenus::buildViewMenu(const ViewSettings& view, bool iconizeOnMiddleClick) {
  PopupMenu* v = subMenu(609000);
  v->addItem(MenuItem::fromTextId(texts_, 982000, kAlternateRows, view.alternateRows));
  cellHeight_ = subMenu(6001000);
  fontSize_ = subMenu(6002000);
  for (int i = 0; i < 7; ++i) {
    // The default of each gets its own text, "(Default)" in the user's language.
    cellHeight_->addItem(i == 4 ? MenuItem::fromTextId(texts_, 6001001, kFirstCellHeight + 2 * i)
                                : MenuItem::fromText(kSizeTexts[i], kFirstCellHeight + 2 * i));
    fontSize_->addItem(i == 5 ? MenuItem::fromTextId(texts_, 6001002, kFirstFontSize + 2 * i)
                              : MenuItem::fromText(kSizeTexts[i], kFirstFontSize + 2 * i));
  }
  v->addSubMenu(cellHeight_);
  v->addSubMenu(fontSize_);
  markCellHeight(view.cellHeight);
  markFontSize(view.fontSize);
  addSeparator(v);
  v->addItem(MenuItem::fromTextId(texts_, 980000, kShowGraph, view.showGraph));
  v->addItem(MenuItem::fromTextId(texts_, 981000, kShowTimeRemaining, view.showTimeRemaining));
  addSeparator(v);
  v->addItem(MenuItem::fromTextId(texts_, 830000, kKeepInScreen, view.keepInScreen));
  v->addItem(MenuItem::fromTextId(texts_, 1990000995, kShowHideListOnDoubleClick, view.showHideListOnDoubleClick));
  v->addItem(MenuItem::fromTextId(texts_, 1990000997, kIconizeOnMiddleClick, iconizeOnMiddleClick));
  window_->addSubMenu(v);
}

PopupMenu* PlayerMenus::volumeMenu(int mute) {
  PopupMenu* menu = subMenu(5000000);
  for (int level = 10; level >= 1; --level) menu->addItem(MenuItem::fromTextId(texts_, 5010000 + 10 * level, mute + level));
  addSeparator(menu);
  menu->addItem(MenuItem::fromTextId(texts_, 5010000, mute));
  return menu;
}

void PlayerMenus::buildTrayMenu(const ViewSettings&) {
  tray_ = subMenu(-1);
  tray_->setTitle(u"Iconized Popup Menu");
  tray_->addItem(MenuItem::fromTextId(texts_, 3008000, kTrayPlayPause));
  addSeparator(tray_);
  tray_->addItem(MenuItem::fromTextId(texts_, 3008100, kTrayNext));
  tray_->addItem(MenuItem::fromTextId(texts_, 3008200, kTrayPrevious));
  addSeparator(tray_);
  trayVolume_ = volumeMenu(kTrayMute);
  tray_->addSubMenu(trayVolume_);
  tray_->addItem(MenuItem::fromTextId(texts_, 901000, kTrayRepeatSong));
  tray_->addItem(MenuItem::fromTextId(texts_, 902000, kTrayRepeatList));
  tray_->addItem(MenuItem::fromTextId(texts_, 903000, kTrayShuffle));
  addSeparator(tray_);
  tray_->addItem(MenuItem::fromTextId(texts_, 1990001000, kTrayExit));
}

PopupMenu* PlayerMenus::menuOf(const base::IObject* source) const {
  for (PopupMenu* menu : {window_, tray_})
    if (menu && source == static_cast<const s::gui::IPopupMenu*>(menu)) return menu;
  return nullptr;
}

int PlayerMenus::transparencyCommandOf(int opacity) {
  const int step = std::clamp((100 - opacity + 5) / 10, 0, 9);
  return kFirstTransparency + 10 * step;
}

void PlayerMenus::markVolume(int value) {
  if (value <= 0) {
    markMute();
    return;
  }
  const int level = std::min(10, (value + 9) / 10);
  volume_->checkRadioById(kMute + level);
  trayVolume_->checkRadioById(kTrayMute + level);
}

void PlayerMenus::markMute() {
  volume_->checkRadioById(kMute);
  trayVolume_->checkRadioById(kTrayMute);
}

void PlayerMenus::markEffect(int command) { effect_->checkRadioById(command); }
void PlayerMenus::markPitch(int command) { pitch_->checkRadioById(command); }

void PlayerMenus::setPlayOrder(bool repeatSong, bool repeatList, bool shuffle) {
  window_->setChecked(kRepeatSong, repeatSong);
  tray_->setChecked(kTrayRepeatSong, repeatSong);
  window_->setChecked(kRepeatList, repeatList);
  tray_->setChecked(kTrayRepeatList, repeatList);
  window_->setChecked(kShuffle, shuffle);
  tray_->setChecked(kTrayShuffle, shuffle);
}

void PlayerMenus::setChecked(int command, bool on) { window_->setChecked(command, on); }
bool PlayerMenus::isChecked(int command) const { return window_->isChecked(command); }

void PlayerMenus::markCellHeight(int code) { cellHeight_->checkRadioById(sizeCommandOf(code, kFirstCellHeight)); }
void PlayerMenus::markFontSize(int code) { fontSize_->checkRadioById(sizeCommandOf(code, kFirstFontSize)); }
void PlayerMenus::markTransparency(int opacity) { transparency_->checkRadioById(transparencyCommandOf(opacity)); }
void PlayerMenus::markLanguage(int index) { language_->checkRadioById(index); }

void PlayerMenus::rebuildSkins(const std::vector<std::u16string>& names, int current) {
  skin_->removeAll();
  for (std::size_t i = 0; i < names.size(); ++i)
    skin_->addItem(MenuItem::fromText(names[i], kFirstSkin + static_cast<int>(i)));
  skin_->checkRadioById(kFirstSkin + current);
}

void PlayerMenus::setCloseListEnabled(bool on) { window_->setItemEnabled(kCloseList, on); }
void PlayerMenus::setGoToCurrentSongEnabled(bool on) { window_->setItemEnabled(kGoToCurrentSong, on); }

}  // namespace s::sound::gui::dialogs::player
