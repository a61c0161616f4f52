// The play lists through the window: restored at start with the start file, stepped through
// with the tab row, files dropped on the controls, saved with the view's layout on close.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ui/desktop/HeadlessDesktop.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/ListBox2.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "s/sound/gui/dialogs/player/Transport.h"
#include "tests/s/sound/gui/dialogs/player/DialogFixture.h"

namespace {

using namespace dialog_test;
using s::sound::gui::dialogs::player::AllPlayLists;
using s::sound::gui::dialogs::player::PlayListFile;
using s::sound::gui::dialogs::player::ViewSettings;
namespace fs = std::filesystem;

class DialogListsTest : public DialogTest {
 protected:
  // A list file `name`.mpl in the test's folder holding WAVE songs of those names.
  std::string listFile(const std::string& name, const std::vector<std::string>& songs = {}) {
    return writeListFile(dir.file("lists"), name, songs, texts());
  }
  void storeLists(const std::vector<std::string>& paths, int selected) {
    for (std::size_t i = 0; i < paths.size(); ++i)
      settings->setString(u"PlayLists", (u"_" + wide(std::to_string(i))).c_str(), wide(paths[i]).c_str());
    settings->setS32(u"PlayLists", u"NumOfPlayLists", static_cast<int>(paths.size()));
    settings->setS32(u"PlayLists", u"SelectedPlayList", selected);
  }
  struct Tabs {
    std::u16string name, left, right;
    bool leftEnabled, rightEnabled;
  };
  Tabs tabs() {
    Tabs t;
    onWindow([&] {
      const auto& tree = dialog->tree();
      t = {tree.listName->getText(), tree.previousList->getText(), tree.nextList->getText(),
           tree.previousList->isEnabled(), tree.nextList->isEnabled()};
    });
    return t;
  }
  int selected() {
    int s = -1;
    onWindow([&] { s = dialog->lists().getSelected(); });
    return s;
  }
  std::vector<std::string> rows() {
    std::vector<std::string> out;
    onWindow([&] {
      auto* list = dialog->tree().list;
      for (int i = 0; i < list->getRowCount(); ++i)
        out.push_back(fs::path(narrow(dynamic_cast<IInfo*>(list->getRow(i)->getUserData())->getPath()))
                          .filename()
                          .string());
    });
    return out;
  }
  platform::ui::desktop::HeadlessDesktop& desk() {
    return static_cast<platform::ui::desktop::HeadlessDesktop&>(ws.backend().desktop());
  }
};

TEST_F(DialogListsTest, TheTabRowNamesTheListsAndStepsBetweenThem) {
  storeLists({listFile("Evening", {"a.wav"}), listFile("Breakfast Songs", {"b.wav", "c.wav"}),
              listFile("Night", {"d.wav"})},
             0);
  open();
  struct Step {
    const char* action;
    int selected;
    Tabs tabs;
    std::vector<std::string> rows;
  } steps[] = {
      {"start", 0, {u"Evening", u"<     ", u"Break... >", false, true}, {"a.wav"}},
      {"next", 1, {u"Breakfast Songs", u"< Eveni...", u"Night >", true, true}, {"b.wav", "c.wav"}},
      {"next", 2, {u"Night", u"< Break...", u"     >", true, false}, {"d.wav"}},
      // The last list's next button is disabled: a click changes nothing.
      {"next", 2, {u"Night", u"< Break...", u"     >", true, false}, {"d.wav"}},
      {"previous", 1, {u"Breakfast Songs", u"< Eveni...", u"Night >", true, true}, {"b.wav", "c.wav"}},
  };
  for (const Step& s : steps) {
    if (std::string(s.action) == "next") {
      click(dialog->tree().nextList);
    } else if (std::string(s.action) == "previous") {
      click(dialog->tree().previousList);
    }
    EXPECT_TRUE(eventually([&] { return dialog->lists().getSelected() == s.selected; })) << s.action;
    // Clicks are taken in order: the one after this proves this one was handled.
    onWindow([] {});
    const Tabs t = tabs();
    EXPECT_EQ(t.name, s.tabs.name) << s.action;
    EXPECT_EQ(t.left, s.tabs.left) << s.action;
    EXPECT_EQ(t.right, s.tabs.right) << s.action;
    EXPECT_EQ(t.leftEnabled, s.tabs.leftEnabled) << s.action;
    EXPECT_EQ(t.rightEnabled, s.tabs.rightEnabled) << s.action;
    EXPECT_EQ(rows(), s.rows) << s.action;
  }
}

TEST_F(DialogListsTest, OpeningAListFileSelectsItAndClosingNeverTakesTheDefaultList) {
  open();
  EXPECT_EQ(tabs().name, u"Default Play List");
  onWindow([&] { EXPECT_FALSE(dialog->closeList()); });
  const std::string evening = listFile("Evening", {"a.wav"});
  onWindow([&] { dialog->openListFile(wide(evening)); });
  EXPECT_EQ(selected(), 1);
  EXPECT_EQ(tabs().name, u"Evening");
  EXPECT_EQ(tabs().left, u"< Defau...");
  // Opening it again changes nothing.
  onWindow([&] { dialog->previousList(); });
  onWindow([&] { dialog->openListFile(wide(evening)); });
  EXPECT_EQ(selected(), 0);
  onWindow([&] { dialog->nextList(); });
  onWindow([&] { EXPECT_TRUE(dialog->closeList()); });
  EXPECT_EQ(selected(), 0);
  EXPECT_EQ(tabs().name, u"Default Play List");
  EXPECT_EQ(tabs().right, u"     >");
}

TEST_F(DialogListsTest, ASongToStartWithIsAddedToTheRestoredListAndPlayed) {
  keep("SONVIA_AUDIO_DEVICE", "null");
  storeLists({listFile("A", {"a.wav"}), listFile("B", {"b.wav"})}, 1);
  const std::string song = dir.file("start/song.wav");
  ASSERT_TRUE(makeSong(song, 3.0));
  open(wide(song));
  EXPECT_EQ(selected(), 1);
  EXPECT_EQ(rows(), (std::vector<std::string>{"b.wav", "song.wav"}));
  EXPECT_TRUE(eventually([&] { return dialog->tree().song->getText() == u"song"; }));
  onWindow([&] { EXPECT_EQ(dialog->tree().play->getText(), u"#Pause"); });
}

TEST_F(DialogListsTest, AListFileToStartWithIsOpenedAndSelected) {
  storeLists({listFile("A", {"a.wav"})}, 0);
  const std::string other = listFile("Other", {"x.wav", "y.wav"});
  open(wide(other));
  EXPECT_EQ(selected(), 1);
  EXPECT_EQ(tabs().name, u"Other");
  EXPECT_EQ(rows(), (std::vector<std::string>{"x.wav", "y.wav"}));
}

TEST_F(DialogListsTest, ClosingSavesTheListsTheSizesAndTheColumns) {
  const std::string a = listFile("A", {"a.wav"}), b = listFile("B", {"b.wav"});
  storeLists({a, b}, 0);
  settings->setS32(ViewSettings::kLargeHeight, u"", 300);
  open();
  ws.resize(dialog->window()->topHandle(), {410, 320});
  ASSERT_TRUE(eventually([&] { return dialog->window()->getWidth() == 410; }));
  const std::string song = dir.file("lists/new.wav");
  ASSERT_TRUE(makeSong(song));
  onWindow([&] {
    auto* list = dialog->tree().list;
    list->setColumnOrder({1, 0, 2, 3, 4, 5, 6, 7});
    list->setColumnWidth(3, 77);
    dialog->nextList();
    dialog->addDroppedFiles({song});
  });
  closeWindow();
  EXPECT_EQ(settings->getS32(ViewSettings::kSmallWidth, u"", 0), 410);
  EXPECT_EQ(settings->getS32(ViewSettings::kLargeWidth, u"", 0), 410);
  EXPECT_EQ(settings->getS32(ViewSettings::kLargeHeight, u"", 0), 320);
  EXPECT_EQ(settings->getS32(u"PlayLists", u"NumOfPlayLists", 0), 2);
  EXPECT_EQ(settings->getS32(u"PlayLists", u"SelectedPlayList", 0), 1);

  // The next start finds it all as it was left.
  open();
  EXPECT_EQ(bounds().width(), 410);
  EXPECT_EQ(bounds().height(), 320);
  EXPECT_EQ(tabs().name, u"B");
  EXPECT_EQ(rows(), (std::vector<std::string>{"b.wav", "new.wav"}));
  onWindow([&] {
    auto* list = dialog->tree().list;
    EXPECT_EQ(list->getColumnOrder(), (std::vector<int>{1, 0, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(list->getColumnWidth(3), 77);
  });
}

TEST_F(DialogListsTest, AListThatCannotBeSavedOnCloseIsReported) {
  const std::string a = listFile("A", {"a.wav"});
  storeLists({a}, 0);
  open();
  // Its folder becomes a file: nothing can be written there any more, not even by root.
  fs::rename(dir.file("lists"), dir.file("moved"));
  std::ofstream(dir.file("lists")) << "in the way";
  desk().clearRequests();
  closeWindow();
  int errors = 0;
  for (const auto& r : desk().requests())
    errors += r.kind == platform::ui::desktop::HeadlessDesktop::Request::Kind::kMessageBox &&
              r.messageKind == platform::ui::desktop::MessageKind::kError;
  EXPECT_EQ(errors, 1);
}

TEST_F(DialogListsTest, AStoredColumnOrderThatIsNoPermutationLeavesTheDefaultOrder) {
  ViewSettings::writeColumns(*settings, {0, 0, 1, 2, 3, 4, 5, 6}, {});
  open();
  onWindow([&] { EXPECT_EQ(dialog->tree().list->getColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7})); });
}

TEST_F(DialogListsTest, FilesDroppedOnTheControlsJoinTheListSelectedAndListsOpen) {
  open();
  const std::string one = dir.file("drop/one.wav"), two = dir.file("drop/two.wav");
  const std::string folderSong = dir.file("drop/folder/three.wav");
  for (const std::string& f : {one, two, folderSong}) ASSERT_TRUE(makeSong(f));
  std::ofstream(dir.file("drop/notes.txt")) << "not a song";
  const platform::ui::Rect controls = placeOf(dialog->tree().controls);
  input.drop(dialog->window()->topHandle(), {controls.left + 100, controls.top + 5},
             {one, dir.file("drop/notes.txt"), two});
  ASSERT_TRUE(eventually([&] { return dialog->tree().list->getRowCount() == 2; }));
  onWindow([&] { EXPECT_EQ(dialog->tree().list->getSelectedIndices(), (std::vector<int>{0, 1})); });

  // A folder's songs come in too; the next drop's rows are the new selection.
  input.drop(dialog->window()->topHandle(), {controls.left + 100, controls.top + 5},
             {dir.file("drop/folder")});
  ASSERT_TRUE(eventually([&] { return dialog->tree().list->getRowCount() == 3; }));
  EXPECT_EQ(rows(), (std::vector<std::string>{"one.wav", "two.wav", "three.wav"}));

  const std::string evening = listFile("Evening", {"e.wav"});
  input.drop(dialog->window()->topHandle(), {controls.left + 100, controls.top + 5}, {evening});
  ASSERT_TRUE(eventually([&] { return dialog->lists().getListCount() == 2; }));
  EXPECT_EQ(tabs().name, u"Evening");
}

TEST_F(DialogListsTest, ADamagedListIsReportedOnceTheWindowIsUp) {
  const std::string a = listFile("A", {"a.wav", "b.wav"});
  // Cut the file in the middle of its last element.
  const auto size = fs::file_size(a);
  fs::resize_file(a, size - 20);
  storeLists({a}, 0);
  open();
  std::vector<platform::ui::desktop::HeadlessDesktop::Request> boxes;
  for (const auto& r : desk().requests())
    if (r.kind == platform::ui::desktop::HeadlessDesktop::Request::Kind::kMessageBox) boxes.push_back(r);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].messageKind, platform::ui::desktop::MessageKind::kError);
  EXPECT_NE(boxes[0].text.find("A.mpl"), std::string::npos) << boxes[0].text;
}

TEST_F(DialogListsTest, ALaterStartsSongIsAddedAndItsListOpened) {
  keep("SONVIA_AUDIO_DEVICE", "null");
  open();
  const std::string song = dir.file("later/song.wav");
  ASSERT_TRUE(makeSong(song, 3.0));
  EXPECT_TRUE(dialog->takeHandedOver({song}));
  EXPECT_EQ(rows(), (std::vector<std::string>{"song.wav"}));
  EXPECT_TRUE(eventually([&] { return dialog->state().playing.load(); }));
  const std::string list = listFile("Later", {"x.wav"});
  EXPECT_TRUE(dialog->takeHandedOver({list}));
  EXPECT_EQ(tabs().name, u"Later");
  closeWindow();
  EXPECT_FALSE(dialog->takeHandedOver({song}));
}

TEST_F(DialogListsTest, AnotherPlayersListAddsItsSongsAtStartByDropAndFromALaterStart) {
  keep("SONVIA_AUDIO_DEVICE", "null");
  for (const char* name : {"one.wav", "two.wav", "three.wav"})
    ASSERT_TRUE(makeSong(dir.file(std::string("m3u/") + name), 3.0));
  const std::string start = dir.file("m3u/start.m3u");
  // The stream is passed over and said so; the first song of the list that is in it plays.
  std::ofstream(start) << "#EXTM3U\nhttp://radio.example/live\ntwo.wav\none.wav\n";
  open(wide(start));
  EXPECT_EQ(rows(), (std::vector<std::string>{"two.wav", "one.wav"}));
  EXPECT_TRUE(eventually([&] { return dialog->tree().song->getText() == u"two"; }));
  EXPECT_TRUE(eventually([&] {
    for (const auto& r : desk().requests())
      if (r.kind == platform::ui::desktop::HeadlessDesktop::Request::Kind::kMessageBox &&
          r.text.find("1 web address") != std::string::npos)
        return true;
    return false;
  }));

  const std::string dropped = dir.file("m3u/dropped.pls");
  std::ofstream(dropped) << "[playlist]\nFile1=three.wav\nNumberOfEntries=1\n";
  const platform::ui::Rect controls = placeOf(dialog->tree().controls);
  input.drop(dialog->window()->topHandle(), {controls.left + 100, controls.top + 5}, {dropped});
  ASSERT_TRUE(eventually([&] { return dialog->tree().list->getRowCount() == 3; }));

  // Handed over by a later start, a list's first song plays as a handed-over song would.
  const std::string later = dir.file("m3u/later.m3u8");
  std::ofstream(later) << "three.wav\n";
  EXPECT_TRUE(dialog->takeHandedOver({later}));
  EXPECT_EQ(rows(), (std::vector<std::string>{"two.wav", "one.wav", "three.wav"}));
  EXPECT_TRUE(eventually([&] { return dialog->tree().song->getText() == u"three"; }));
}

}  // namespace
