#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace s::map {
class IMappedData;
}

namespace s::sound::gui::dialogs::player {

// The player window's own settings, read once when the window is built and written back one by
// one as the user changes them. Every value read is brought into the range the window can use:
// a settings file edited by hand, or written by a damaged run, must not give a window that
// cannot be seen, a volume above full or a list with no readable row.
struct ViewSettings {
  static constexpr const char16_t* kWindowSection = u"MainWindow";
  static constexpr const char16_t* kView = u"MainWindow\\View";
  static constexpr const char16_t* kPlayOrder = u"MainWindow\\PlayOrder";
  static constexpr const char16_t* kVolume = u"MainWindow\\Volume";
  static constexpr const char16_t* kListShown = u"MainWindow\\ListShown";
  static constexpr const char16_t* kSmallWidth = u"MainWindow\\SmallWindowWidth";
  static constexpr const char16_t* kLargeWidth = u"MainWindow\\LargeWindowWidth";
  static constexpr const char16_t* kLargeHeight = u"MainWindow\\LargeWindowHeight";
  static constexpr const char16_t* kColumnOrder = u"MainWindow\\ColumnOrder3";
  static constexpr const char16_t* kColumnWidth = u"MainWindow\\ColumnWidth3";

  static constexpr int kSmallHeight = 46;
  static constexpr int kDefaultSmallWidth = 300;
  static constexpr int kDefaultLargeWidth = 350;
  static constexpr int kDefaultLargeHeight = 280;
  // Narrower than this, the transport buttons, the display and the window buttons overlap.
  static constexpr int kNarrowestWidth = 200;
  // No display is this large; a bigger stored size is a damaged value.
  static constexpr int kLargestSide = 16384;
  static constexpr int kLeastOpacity = 10;
  static constexpr int kDefaultCellHeight = -1;
  static constexpr int kDefaultFontSize = -2;
  // Column widths beyond this are damaged values too.
  static constexpr int kWidestColumn = 4000;

  // ---- "MainWindow\View"
  int transparency = 90;  // percent of opacity, kLeastOpacity..100
  bool transparencyOnlyOnTop = false;
  bool keepInScreen = true;
  std::u16string lastUsedDir;      // default: the desktop folder
  std::u16string lastUsedListDir;  // default: the default play list's path
  bool alternateRows = true;
  bool showGraph = true;
  bool showTimeRemaining = false;
  bool shrinkToBottom = false;
  std::u16string effect = u"None";
  int cellHeight = kDefaultCellHeight;  // -3..3
  int fontSize = kDefaultFontSize;      // -3..3
  bool showHideListOnDoubleClick = true;
  // ---- the play order
  bool repeatSong = false, repeatList = false, shuffle = false;
  // ---- sections of their own
  int volume = 50;  // 0..100
  bool listShown = true;
  int smallWidth = kDefaultSmallWidth;
  int largeWidth = kDefaultLargeWidth;
  int largeHeight = kDefaultLargeHeight;
  std::vector<int> columnOrder;   // as stored; empty when none
  std::vector<int> columnWidths;  // as stored, -1 where none or damaged

  // Reads every value above; `defaultListPath` is the default for lastUsedListDir.
  static ViewSettings read(map::IMappedData& store, const std::u16string& defaultListPath);

  // The effect flags a stored "Effect" restores: "Soft" the soft flag, "Dynamic" the stereo and
  // equalizer flags, anything else (a preset's "Others" too) none.
  bool softEffect() const { return effect == u"Soft"; }
  bool dynamicEffect() const { return effect == u"Dynamic"; }
  // List row height in pixels for a cell-height code (-3..3).
  static int rowHeightFor(int cellHeight);
  float volumeFactor() const { return static_cast<float>(volume) / 100.0f; }

  // Writes the columns back in the form read() takes: the order under "length", "_0", ... and
  // the widths under "_0", ...
  static void writeColumns(map::IMappedData& store, const std::vector<int>& order,
                           const std::vector<int>& widths);
};

}  // namespace s::sound::gui::dialogs::player
