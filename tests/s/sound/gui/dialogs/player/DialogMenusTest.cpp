// The window menu and the tray menu of a headless player window: every command they hold, chosen
// as the desktop reports it, with its effect on playback, the window, the marks and the settings;
// and the texts of both menus after a change of language.
#include <gtest/gtest.h>

#include <functional>

#include "platform/ui/Message.h"
#include "platform/ui/desktop/HeadlessDesktop.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/PopupMenu.h"
#include "s/gui/win/Slider.h"
#include "s/lang/LangPack.h"
#include "s/sound/IInfo.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "s/sound/gui/dialogs/player/PlayerMenus.h"
#include "tests/s/sound/gui/dialogs/player/DialogMenusFixture.h"

namespace {

using namespace dialog_menus_test;

struct Case {
  int command;
  const char* what;
  std::function<bool()> holds;
};

TEST_F(DialogMenusTest, EverySoundAndPlayOrderCommandChangesThePlayStateTheMarksAndTheSettings) {
  auto& state = dialog->state();
  const auto& t = dialog->tree();
  const std::vector<Case> cases = {
      {M::kRepeatSong, "repeat song on, both menus checked, stored",
       [&] { return state.repeatSong && checked(M::kRepeatSong) && checked(M::kTrayRepeatSong) &&
                             storedBool(kOrder, u"RepeatSong"); }},
      {M::kTrayRepeatSong, "off again from the tray",
       [&] { return !state.repeatSong && !checked(M::kRepeatSong) && !checked(M::kTrayRepeatSong) &&
                             !storedBool(kOrder, u"RepeatSong"); }},
      {M::kTrayRepeatList, "repeat list from the tray",
       [&] { return state.repeatList && checked(M::kRepeatList) && storedBool(kOrder, u"RepeatList"); }},
      {M::kShuffle, "shuffle",
       [&] { return state.shuffle && checked(M::kTrayShuffle) && storedBool(kOrder, u"ShuffleList"); }},
      {M::kTrayShuffle, "shuffle off from the tray",
       [&] { return !state.shuffle && !checked(M::kShuffle) && !storedBool(kOrder, u"ShuffleList"); }},
      {M::kOpenAir, "open air: stereo and equalizer",
       [&] { return state.stereoFlag && state.equalizerFlag && !state.softFlag && state.presetIndex == -1 &&
                             radio(M::kOpenAir) && storedText(u"Effect") == u"Dynamic"; }},
      {M::kFirstPreset + 5, "a preset clears the standing filters",
       [&] { return state.presetIndex == 5 && !state.stereoFlag && !state.equalizerFlag &&
                             radio(155) && !radio(M::kOpenAir) && storedText(u"Effect") == u"Others"; }},
      {M::kSoftBreeze, "soft breeze",
       [&] { return state.softFlag && state.presetIndex == -1 && radio(M::kSoftBreeze) &&
                             storedText(u"Effect") == u"Soft"; }},
      {M::kStudioOriginal, "studio original: nothing",
       [&] { return !state.softFlag && !state.stereoFlag && state.presetIndex == -1 &&
                             radio(M::kStudioOriginal) && storedText(u"Effect") == u"None"; }},
      {M::kFirstPitch, "an octave up", [&] { return state.pitch == 12 && radio(M::kFirstPitch); }},
      {2016, "three keys down", [&] { return state.pitch == -3 && radio(2016) && !radio(M::kFirstPitch); }},
      {M::kLastPitch, "an octave down", [&] { return state.pitch == -12 && radio(M::kLastPitch); }},
      {M::kPitchZero, "back to the key", [&] { return state.pitch == 0 && radio(M::kPitchZero); }},
      {115, "50 %: factor, slider, both marks, stored",
       [&] { return state.volumeFactor == 0.5f && t.volume->getValue() == 50 && radio(115) &&
                             radio(8115) && storedInt(u"MainWindow\\Volume", u"") == 50; }},
      {M::kMute, "mute", [&] { return state.muted && t.speaker->getText() == u"#Mute" &&
                                               !t.volume->isEnabled() && radio(M::kMute) && radio(M::kTrayMute); }},
      {M::kTrayMute, "mute twice stays muted",
       [&] { return state.muted && t.speaker->getText() == u"#Mute" && radio(M::kMute); }},
      {8117, "a level from the tray unmutes",
       [&] { return !state.muted && t.speaker->getText() == u"#Speaker" && t.volume->isEnabled() &&
                             t.volume->getValue() == 70 && radio(117) && radio(8117) && !radio(M::kMute) &&
                             storedInt(u"MainWindow\\Volume", u"") == 70; }},
      {M::kTrayPlayPause, "play from the tray", [&] { return state.playing && t.song->getText() == u"first"; }},
      {M::kTrayNext, "next from the tray", [&] { return t.song->getText() == u"second"; }},
      {M::kTrayPrevious, "previous from the tray", [&] { return t.song->getText() == u"first"; }},
      {M::kGoToCurrentSong, "the playing row selected",
       [&] { return t.list->getSelectedIndices() == std::vector<int>{0}; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    choose(c.command);
    EXPECT_TRUE(eventually([&] { return c.holds(); })) << "command " << c.command;
  }
}

TEST_F(DialogMenusTest, EveryLookCommandChangesTheWindowTheMarksAndTheSettings) {
  auto& state = dialog->state();
  const auto& t = dialog->tree();
  auto* window = dialog->window();
  ASSERT_TRUE(radio(M::kFirstCellHeight + 8)) << "the default row height is marked at start";
  ASSERT_TRUE(radio(M::kFirstFontSize + 10)) << "the default font size is marked at start";
  ASSERT_TRUE(radio(610)) << "90 % opacity is marked at start";
  const std::vector<Case> cases = {
      {M::kKeepOnTop, "keep on top", [&] { return window->isKeptOnTop() && checked(M::kKeepOnTop); }},
      {M::kKeepOnTop, "and off", [&] { return !window->isKeptOnTop() && !checked(M::kKeepOnTop); }},
      {M::kAlternateRows, "plain rows",
       [&] { return !t.list->hasAlternateRows() && !checked(M::kAlternateRows) &&
                             !settings->getBool(kView, u"UseAlternateRowColor", true); }},
      {M::kShowGraph, "no graph",
       [&] { return !state.showGraph && !checked(M::kShowGraph) && !settings->getBool(kView, u"ShowGraph", true); }},
      {M::kShowTimeRemaining, "time counts down",
       [&] { return state.showTimeRemaining && checked(M::kShowTimeRemaining) &&
                             storedBool(kView, u"ShowTimeRemaining"); }},
      {M::kShowHideListOnDoubleClick, "the title bar's double click left alone",
       [&] { return !dialog->settings().showHideListOnDoubleClick &&
                             !settings->getBool(kView, u"ShowHideListOnDoubleClick", true); }},
      {M::kIconizeOnMiddleClick, "iconize on the wheel's click",
       [&] { return window->getMiddleClickAction() == u"Iconize" && checked(M::kIconizeOnMiddleClick); }},
      {M::kKeepInScreen, "free to leave the screen",
       [&] { return !window->isKeptInScreen() && !settings->getBool(kView, u"KeepInScreen", true); }},
      {M::kFirstCellHeight, "tallest rows",
       [&] { return storedInt(kView, u"CellHeight") == 3 && radio(M::kFirstCellHeight) &&
                             !radio(M::kFirstCellHeight + 8); }},
      {M::kLastFontSize, "smallest font",
       [&] { return storedInt(kView, u"FontSize") == -3 && t.list->getFont().font.pointSize == 7 &&
                             radio(M::kLastFontSize); }},
      {M::kLastTransparency, "90 % transparent",
       [&] { return storedInt(kView, u"Transparency") == 10 && window->getOpacityAlpha() < 40 &&
                             radio(M::kLastTransparency); }},
      {M::kFirstTransparency, "opaque",
       [&] { return storedInt(kView, u"Transparency") == 100 && window->getOpacityAlpha() == 255 &&
                             radio(M::kFirstTransparency); }},
      {M::kFirstSkin + 3, "the fourth skin",
       [&] { return skinner->getCurrentSkin() && skinner->getCurrentSkin()->getName() == skinner->getSkinName(3) &&
                             settings->getS64(kView, u"RandomSkinLastChange", 0) > 0; }},
      {4, "German", [&] { return texts()->getCurrent() == texts()->getLanguage(4) && radio(4) && !radio(0); }},
      {0, "English again", [&] { return texts()->getCurrent() == texts()->getLanguage(0) && radio(0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    choose(c.command);
    EXPECT_TRUE(eventually([&] { return c.holds(); })) << "command " << c.command;
  }
}

TEST_F(DialogMenusTest, ChosenValuesComeBackAtTheNextStartAndDamagedOnesAreMarkedAsTheirRange) {
  for (int id : {M::kRepeatList, M::kOpenAir, 113, M::kFirstCellHeight + 2, M::kFirstFontSize, 650}) choose(id);
  ASSERT_TRUE(eventually([&] { return radio(650); }));
  closeWindow();
  open();
  for (int id : {M::kRepeatList, M::kTrayRepeatList}) EXPECT_TRUE(checked(id)) << id;
  for (int id : {M::kOpenAir, 113, 8113, M::kFirstCellHeight + 2, M::kFirstFontSize, 650}) EXPECT_TRUE(radio(id)) << id;
  closeWindow();

  settings->setS32(kView, u"Transparency", 5000);
  settings->setS32(kView, u"CellHeight", 99);
  settings->setS32(u"MainWindow\\Volume", u"", -7);
  open();
  EXPECT_TRUE(radio(M::kFirstTransparency)) << "opacity above 100 counts as 100";
  EXPECT_TRUE(radio(M::kFirstCellHeight + 8)) << "an unknown row height is the default";
  EXPECT_TRUE(radio(M::kMute)) << "a volume below 0 is 0";
}

TEST_F(DialogMenusTest, ARightClickOpensTheWindowMenuRefreshedAndRunsTheChoice) {
  auto& state = dialog->state();
  // On the song's title: the boxes under it leave the right button to the window.
  auto rightClick = [&] {
    input.mouse(dialog->window()->topHandle(), platform::ui::InputEvent::Kind::kButtonDown,
                at(dialog->tree().title, 3, 3), 1);
  };
  struct Shown {
    bool closeEnabled = false, goEnabled = false;
    int skins = 0;
  };
  auto lastShown = [&] {
    Shown shown;
    const auto requests = desk().requests();
    for (const auto& e : requests.back().menu) {
      if (e.command == M::kCloseList) shown.closeEnabled = e.enabled;
      if (e.command == M::kGoToCurrentSong) shown.goEnabled = e.enabled;
      if (e.text == "Skin") shown.skins = static_cast<int>(e.children.size());
    }
    return shown;
  };
  const std::string other = dir.file("Other.mpl");
  {
    PooledList empty;
    ASSERT_TRUE(PlayListFile::saveList(texts(), empty.list, wide(other), nullptr));
  }
  onWindow([&] { dialog->openListFile(wide(other)); });
  desk().scriptMenuChoice(M::kRepeatSong);
  rightClick();
  ASSERT_TRUE(eventually([&] { return state.repeatSong.load(); }));
  Shown shown = lastShown();
  EXPECT_TRUE(shown.closeEnabled) << "the list of a file of its own can be closed";
  EXPECT_FALSE(shown.goEnabled) << "nothing plays";
  EXPECT_EQ(shown.skins, skinner->getSkinCount());

  const int lists = dialog->lists().getListCount();
  desk().scriptMenuChoice(M::kCloseList);
  rightClick();
  ASSERT_TRUE(eventually([&] { return dialog->lists().getListCount() == lists - 1; }));

  const std::size_t asked = desk().requests().size();
  desk().scriptMenuChoice(std::nullopt);
  rightClick();
  ASSERT_TRUE(eventually([&] { return desk().requests().size() > asked; }));
  EXPECT_FALSE(lastShown().closeEnabled) << "the last list open stays";
}

TEST_F(DialogMenusTest, ResettingSongNumbersNumbersTheRowsInTheirShownOrder) {
  auto* list = dialog->tree().list;
  auto numberAt = [&](int row) {
    return dynamic_cast<s::sound::IInfo*>(list->getRow(row)->getUserData())->getSongNumber();
  };
  onWindow([&] {
    list->select(2);
    list->dropSelectedRows(0);
  });
  std::vector<int> before;
  onWindow([&] { before = {numberAt(0), numberAt(1), numberAt(2)}; });
  ASSERT_EQ(before, (std::vector<int>{3, 1, 2})) << "moving a row keeps the numbers";
  choose(M::kResetSongNumbers);
  EXPECT_TRUE(eventually([&] { return numberAt(0) == 1 && numberAt(1) == 2 && numberAt(2) == 3; }));
}

TEST_F(DialogMenusTest, ExitFromTheTrayClosesTheWindow) {
  choose(M::kTrayExit);
  dialog->waitUntilClosed();
  EXPECT_TRUE(dialog->window()->isClosed());
}

// Every entry with a text id, and every sub-menu's title, in the table's current language.
void expectTextsOfCurrentLanguage(PopupMenu* menu, int& seen) {
  for (int i = 0; i < menu->getEntryCount(); ++i) {
    if (PopupMenu* sub = menu->subMenuAt(i)) {
      EXPECT_EQ(sub->getTitle(), texts()->getText(sub->getTitleId()));
      ++seen;
      expectTextsOfCurrentLanguage(sub, seen);
    } else if (auto* it = menu->itemAt(i); it && it->textId() >= 0) {
      EXPECT_EQ(it->text(), texts()->getText(it->textId())) << it->textId();
      ++seen;
    }
  }
}

TEST_F(DialogMenusTest, ChoosingALanguageRetitlesEveryEntryOfBothMenusAtOnce) {
  const std::u16string english = item(M::kRepeatSong)->text();
  choose(4);
  ASSERT_TRUE(eventually([&] { return texts()->getCurrent() == texts()->getLanguage(4); }));
  onWindow([&] {
    int seen = 0;
    expectTextsOfCurrentLanguage(menus().windowMenu(), seen);
    expectTextsOfCurrentLanguage(menus().trayMenu(), seen);
    EXPECT_GT(seen, 60);
    EXPECT_NE(item(M::kRepeatSong)->text(), english);
    EXPECT_EQ(item(M::kTrayRepeatSong)->text(), item(M::kRepeatSong)->text());
  });
}

}  // namespace
