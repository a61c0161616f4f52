#include "s/sound/gui/dialogs/player/ViewSettings.h"

#include <algorithm>

#include "platform/shell/UserFolders.h"
#include "platform/text/Utf.h"
#include "s/map/IMappedData.h"
#include "s/xml/NumberText.h"

namespace s::sound::gui::dialogs::player {

namespace {

// More columns than the list will ever have; a larger stored count is a damaged value.
constexpr int kMostColumns = 64;

std::u16string indexKey(int i) {
  std::u16string key = u"_";
  xml::appendS64(key, i);
  return key;
}

// The stored value when it lies in [low, high], else the default: a value outside the range
// was never written by the window, so it says nothing about what the user chose.
int inRangeOr(map::IMappedData& store, const char16_t* path, const char16_t* key, int def,
              int low, int high) {
  const int32_t v = store.getS32(path, key, def);
  return v >= low && v <= high ? v : def;
}

}  // namespace

ViewSettings ViewSettings::read(map::IMappedData& store, const std::u16string& defaultListPath) {
  ViewSettings s;
  const char16_t* view = kView;
  // Fully transparent would leave a window nobody can find again to make it visible.
  s.transparency = std::clamp<int32_t>(store.getS32(view, u"Transparency", 90), kLeastOpacity, 100);
  s.transparencyOnlyOnTop = store.getBool(view, u"TransparencyOnlyOnTop", false);
  s.keepInScreen = store.getBool(view, u"KeepInScreen", true);
  const std::u16string desktop = platform::text::fileNameToUtf16(platform::shell::UserFolders::desktop());
  s.lastUsedDir = store.getString(view, u"LastUsedDirPathStr", desktop.c_str());
  s.lastUsedListDir = store.getString(view, u"LastUsedListDirPathStr", defaultListPath.c_str());
  s.alternateRows = store.getBool(view, u"UseAlternateRowColor", true);
  s.showGraph = store.getBool(view, u"ShowGraph", true);
  s.showTimeRemaining = store.getBool(view, u"ShowTimeRemaining", false);
  s.shrinkToBottom = store.getBool(view, u"ShrinkToBottom", false);
  s.effect = store.getString(view, u"Effect", u"None");
  s.cellHeight = inRangeOr(store, view, u"CellHeight", kDefaultCellHeight, -3, 3);
  s.fontSize = inRangeOr(store, view, u"FontSize", kDefaultFontSize, -3, 3);
  s.showHideListOnDoubleClick = store.getBool(view, u"ShowHideListOnDoubleClick", true);

  s.repeatSong = store.getBool(kPlayOrder, u"RepeatSong", false);
  s.repeatList = store.getBool(kPlayOrder, u"RepeatList", false);
  s.shuffle = store.getBool(kPlayOrder, u"ShuffleList", false);

  // A volume above 100 would drive the output past full scale.
  s.volume = std::clamp<int32_t>(store.getS32(kVolume, u"", 50), 0, 100);
  s.listShown = store.getBool(kListShown, u"", true);
  s.smallWidth = std::clamp<int32_t>(store.getS32(kSmallWidth, u"", kDefaultSmallWidth), kNarrowestWidth,
                                     kLargestSide);
  s.largeWidth = std::clamp<int32_t>(store.getS32(kLargeWidth, u"", kDefaultLargeWidth), kNarrowestWidth,
                                     kLargestSide);
  const int32_t height = store.getS32(kLargeHeight, u"", kDefaultLargeHeight);
  s.largeHeight = height < kSmallHeight + 20 || height > kLargestSide ? kDefaultLargeHeight : height;

  const int32_t length = store.getS32(kColumnOrder, u"length", 0);
  if (length > 0 && length <= kMostColumns) {
    for (int i = 0; i < length; ++i) s.columnOrder.push_back(store.getS32(kColumnOrder, indexKey(i).c_str(), -1));
  }
  for (int i = 0; i < kMostColumns && store.hasValue(kColumnWidth, indexKey(i).c_str()); ++i) {
    const int32_t w = store.getS32(kColumnWidth, indexKey(i).c_str(), -1);
    s.columnWidths.push_back(w >= 0 && w <= kWidestColumn ? w : -1);
  }
  return s;
}

int ViewSettings::rowHeightFor(int cellHeight) {
  static constexpr int kHeights[] = {11, 13, 14, 16, 18, 19, 21};
  return kHeights[std::clamp(cellHeight, -3, 3) + 3];
}

void ViewSettings::writeColumns(map::IMappedData& store, const std::vector<int>& order,
                                const std::vector<int>& widths) {
  store.setS32(kColumnOrder, u"length", static_cast<int32_t>(order.size()));
  for (std::size_t i = 0; i < order.size(); ++i)
    store.setS32(kColumnOrder, indexKey(static_cast<int>(i)).c_str(), order[i]);
  for (std::size_t i = 0; i < widths.size(); ++i)
    store.setS32(kColumnWidth, indexKey(static_cast<int>(i)).c_str(), widths[i]);
}

}  // namespace s::sound::gui::dialogs::player
