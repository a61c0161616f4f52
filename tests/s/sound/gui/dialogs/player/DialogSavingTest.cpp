// The lists written while the window stays open: a change reaches the list file and the
// settings a short while later, without a close; a save that fails is reported once and the
// next change writes again.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ui/desktop/HeadlessDesktop.h"
#include "s/gui/win/ListBox2.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "tests/s/sound/gui/dialogs/player/DialogFixture.h"

namespace {

using namespace dialog_test;
using s::sound::gui::dialogs::player::PlayListFile;
namespace fs = std::filesystem;

class DialogSavingTest : public DialogTest {
 protected:
  DialogSavingTest() { keep("SONVIA_AUDIO_DEVICE", "null"); }

  // The songs' file names as the list file at `path` holds them now (empty when unreadable).
  static std::vector<std::string> onDisk(const std::string& path) {
    PooledList list;
    PlayListFile::loadList(list.list, wide(path), nullptr);
    std::vector<std::string> names;
    for (const std::string& song : paths(*list)) names.push_back(fs::path(song).filename().string());
    return names;
  }
  // Waits (generously bounded) until the file at `path` holds exactly `names`.
  bool fileHolds(const std::string& path, const std::vector<std::string>& names) {
    return eventually([&] { return onDisk(path) == names; });
  }
  std::string song(const std::string& name) {
    const std::string path = dir.file("songs/" + name);
    EXPECT_TRUE(makeSong(path));
    return path;
  }
  int errorBoxes() {
    auto& desk = static_cast<platform::ui::desktop::HeadlessDesktop&>(ws.backend().desktop());
    int errors = 0;
    for (const auto& r : desk.requests())
      errors += r.kind == platform::ui::desktop::HeadlessDesktop::Request::Kind::kMessageBox &&
                r.messageKind == platform::ui::desktop::MessageKind::kError;
    return errors;
  }
};

TEST_F(DialogSavingTest, ChangesReachTheListFileAndTheSettingsWithoutAClose) {
  open();
  const std::string defaultList = narrow(dialog->lists().defaultListPath());
  // Handed over one by one, as later starts do: the burst is written, whatever its timing.
  for (const char* name : {"one.wav", "two.wav", "three.wav"}) ASSERT_TRUE(dialog->takeHandedOver({song(name)}));
  EXPECT_TRUE(fileHolds(defaultList, {"one.wav", "two.wav", "three.wav"}));
  EXPECT_EQ(settings->getS32(u"PlayLists", u"NumOfPlayLists", 0), 1);
  EXPECT_EQ(narrow(settings->getString(u"PlayLists", u"_0", u"")), defaultList);

  // Dropped files, and a list file opened, change the set: the settings follow.
  onWindow([&] { dialog->addDroppedFiles({song("four.wav")}); });
  EXPECT_TRUE(fileHolds(defaultList, {"one.wav", "two.wav", "three.wav", "four.wav"}));
  const std::string other = writeListFile(dir.file("lists"), "Other", {"x.wav"}, texts());
  ASSERT_TRUE(dialog->takeHandedOver({other}));
  EXPECT_TRUE(eventually([&] {
    return settings->getS32(u"PlayLists", u"NumOfPlayLists", 0) == 2 &&
           settings->getS32(u"PlayLists", u"SelectedPlayList", 0) == 1;
  }));
  EXPECT_EQ(narrow(settings->getString(u"PlayLists", u"_1", u"")), other);
  // The window is still open all along.
  EXPECT_TRUE(dialog->takeHandedOver({song("five.wav")}));
  EXPECT_TRUE(fileHolds(other, {"x.wav", "five.wav"}));
}

TEST_F(DialogSavingTest, RowsSortedInTheViewAreWrittenInTheirNewOrder) {
  open();
  const std::string defaultList = narrow(dialog->lists().defaultListPath());
  ASSERT_TRUE(dialog->takeHandedOver({song("b.wav"), song("a.wav"), song("c.wav")}));
  ASSERT_TRUE(fileHolds(defaultList, {"b.wav", "a.wav", "c.wav"}));
  onWindow([&] {
    auto* view = dialog->tree().list;
    view->selectAll(false);
    view->select(2);
    view->dropSelectedRows(0);
  });
  EXPECT_TRUE(fileHolds(defaultList, {"c.wav", "b.wav", "a.wav"}));
}

TEST_F(DialogSavingTest, AFailedSaveIsReportedOnceAndTheNextChangeWritesAgain) {
  const std::string a = writeListFile(dir.file("lists"), "A", {"a.wav"}, texts());
  settings->setString(u"PlayLists", u"_0", wide(a).c_str());
  settings->setS32(u"PlayLists", u"NumOfPlayLists", 1);
  open();
  // Its folder becomes a file: nothing can be written there any more, not even by root.
  fs::rename(dir.file("lists"), dir.file("moved"));
  std::ofstream(dir.file("lists")) << "in the way";
  ASSERT_TRUE(dialog->takeHandedOver({song("one.wav")}));
  ASSERT_TRUE(eventually([&] { return errorBoxes() == 1; }));
  ASSERT_TRUE(dialog->takeHandedOver({song("two.wav")}));

  fs::remove(dir.file("lists"));
  fs::rename(dir.file("moved"), dir.file("lists"));
  ASSERT_TRUE(dialog->takeHandedOver({song("three.wav")}));
  EXPECT_TRUE(fileHolds(a, {"a.wav", "one.wav", "two.wav", "three.wav"}));
  EXPECT_EQ(errorBoxes(), 1);
}

}  // namespace
