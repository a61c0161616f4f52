// The player window's settings as read at start: defaults, the values the window takes as they
// are, and the damaged values it mends instead of building an unusable window from them.
#include "s/sound/gui/dialogs/player/ViewSettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "s/xml/MappedData.h"

namespace {

using s::sound::gui::dialogs::player::ViewSettings;

class ViewSettingsTest : public ::testing::Test {
 protected:
  ViewSettingsTest() { store.open(u"", u"SaveData", false); }
  ViewSettings read() { return ViewSettings::read(store, u"/music/Pruv Sonvia/DefaultPlayList.mpl"); }
  s::xml::MappedData store;
};

TEST_F(ViewSettingsTest, AFirstStartHasTheDefaults) {
  const ViewSettings s = read();
  EXPECT_EQ(s.transparency, 90);
  EXPECT_TRUE(s.keepInScreen);
  EXPECT_EQ(s.lastUsedListDir, u"/music/Pruv Sonvia/DefaultPlayList.mpl");
  EXPECT_FALSE(s.lastUsedDir.empty());
  EXPECT_TRUE(s.alternateRows);
  EXPECT_TRUE(s.showGraph);
  EXPECT_FALSE(s.showTimeRemaining);
  EXPECT_FALSE(s.shrinkToBottom);
  EXPECT_EQ(s.cellHeight, -1);
  EXPECT_EQ(ViewSettings::rowHeightFor(s.cellHeight), 14);
  EXPECT_EQ(s.fontSize, -2);
  EXPECT_TRUE(s.showHideListOnDoubleClick);
  EXPECT_FALSE(s.repeatSong || s.repeatList || s.shuffle);
  EXPECT_EQ(s.volume, 50);
  EXPECT_FLOAT_EQ(s.volumeFactor(), 0.5f);
  EXPECT_TRUE(s.listShown);
  EXPECT_EQ(s.smallWidth, 300);
  EXPECT_EQ(s.largeWidth, 350);
  EXPECT_EQ(s.largeHeight, 280);
  EXPECT_TRUE(s.columnOrder.empty());
  EXPECT_TRUE(s.columnWidths.empty());
  EXPECT_FALSE(s.softEffect() || s.dynamicEffect());
}

// Each row stores one value and names what the window takes from it.
TEST_F(ViewSettingsTest, StoredValuesAreTakenWithinTheirRangesAndDamagedOnesMended) {
  struct Case {
    const char* what;
    const char16_t* path;
    const char16_t* key;
    int32_t stored;
    std::function<int(const ViewSettings&)> read;
    int expected;
  } cases[] = {
      {"opacity kept", ViewSettings::kView, u"Transparency", 40, [](auto& s) { return s.transparency; }, 40},
      // A window that cannot be seen cannot be found to make it visible again.
      {"opacity 0", ViewSettings::kView, u"Transparency", 0, [](auto& s) { return s.transparency; }, 10},
      {"opacity negative", ViewSettings::kView, u"Transparency", -5, [](auto& s) { return s.transparency; }, 10},
      {"opacity above full", ViewSettings::kView, u"Transparency", 250, [](auto& s) { return s.transparency; }, 100},
      {"volume kept", ViewSettings::kVolume, u"", 0, [](auto& s) { return s.volume; }, 0},
      {"volume above full", ViewSettings::kVolume, u"", 180, [](auto& s) { return s.volume; }, 100},
      {"volume negative", ViewSettings::kVolume, u"", -3, [](auto& s) { return s.volume; }, 0},
      {"cell height kept", ViewSettings::kView, u"CellHeight", 3, [](auto& s) { return s.cellHeight; }, 3},
      {"cell height out of range", ViewSettings::kView, u"CellHeight", 4, [](auto& s) { return s.cellHeight; }, -1},
      {"cell height far out", ViewSettings::kView, u"CellHeight", -70, [](auto& s) { return s.cellHeight; }, -1},
      {"font size kept", ViewSettings::kView, u"FontSize", -3, [](auto& s) { return s.fontSize; }, -3},
      {"font size out of range", ViewSettings::kView, u"FontSize", 9, [](auto& s) { return s.fontSize; }, -2},
      {"small width kept", ViewSettings::kSmallWidth, u"", 500, [](auto& s) { return s.smallWidth; }, 500},
      {"small width too narrow", ViewSettings::kSmallWidth, u"", 20, [](auto& s) { return s.smallWidth; }, 200},
      {"small width negative", ViewSettings::kSmallWidth, u"", -400, [](auto& s) { return s.smallWidth; }, 200},
      {"large width too narrow", ViewSettings::kLargeWidth, u"", 0, [](auto& s) { return s.largeWidth; }, 200},
      {"large width beyond any screen", ViewSettings::kLargeWidth, u"", 900000,
       [](auto& s) { return s.largeWidth; }, 16384},
      {"large height kept", ViewSettings::kLargeHeight, u"", 66, [](auto& s) { return s.largeHeight; }, 66},
      // Below the strip of controls plus 20 there is no room for the list: the default.
      {"large height too low", ViewSettings::kLargeHeight, u"", 65, [](auto& s) { return s.largeHeight; }, 280},
      {"large height beyond any screen", ViewSettings::kLargeHeight, u"", 70000,
       [](auto& s) { return s.largeHeight; }, 280},
  };
  for (const Case& c : cases) {
    store.open(u"", u"SaveData", false);
    store.setS32(c.path, c.key, c.stored);
    EXPECT_EQ(c.read(read()), c.expected) << c.what;
  }
}

TEST_F(ViewSettingsTest, TheEffectRestoresItsFlagsButNeverAPreset) {
  struct Case {
    const char16_t* stored;
    bool soft, dynamic;
  } cases[] = {{u"Soft", true, false}, {u"Dynamic", false, true}, {u"None", false, false},
               {u"Others", false, false}, {u"soft", false, false}, {u"", false, false}};
  for (const Case& c : cases) {
    store.setString(ViewSettings::kView, u"Effect", c.stored);
    const ViewSettings s = read();
    EXPECT_EQ(s.softEffect(), c.soft);
    EXPECT_EQ(s.dynamicEffect(), c.dynamic);
  }
}

TEST_F(ViewSettingsTest, RowHeightsFollowTheCellHeightTable) {
  const int expected[] = {11, 13, 14, 16, 18, 19, 21};
  for (int code = -3; code <= 3; ++code) EXPECT_EQ(ViewSettings::rowHeightFor(code), expected[code + 3]) << code;
}

TEST_F(ViewSettingsTest, ColumnsAreReadBackAsWrittenAndDamagedWidthsAreLeftOut) {
  ViewSettings::writeColumns(store, {2, 0, 1}, {40, 5000, 120});
  store.setS32(ViewSettings::kColumnWidth, u"_1", 5000);
  ViewSettings s = read();
  EXPECT_EQ(s.columnOrder, (std::vector<int>{2, 0, 1}));
  EXPECT_EQ(s.columnWidths, (std::vector<int>{40, -1, 120}));

  // A length no list has is not believed (the order is then the list's own).
  store.setS32(ViewSettings::kColumnOrder, u"length", 100000);
  EXPECT_TRUE(read().columnOrder.empty());
  store.setS32(ViewSettings::kColumnOrder, u"length", -2);
  EXPECT_TRUE(read().columnOrder.empty());
}

}  // namespace
