#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace s::base {
class IObject;
}
namespace s::gui::win {
class PopupMenu;
}
namespace s::lang {
class Localizer;
}

namespace s::sound::gui::dialogs::player {

struct ViewSettings;

// The window menu (right click on the window) and the tray menu (right click on the tray icon),
// with the sub-menus whose marks follow the window's state. The menus only show and mark; what
// a command does is the Dialog's business, which hears every choice as the menu's event.
//
// The marks are set only through the mark* and set* calls below, so that the twin entries of the
// two menus (volume, play order) can never disagree.
class PlayerMenus {
 public:
  // ---- command ids of the window menu
  static constexpr int kGoToCurrentSong = 890, kCloseList = 987, kResetSongNumbers = 940;
  static constexpr int kStudioOriginal = 147, kSoftBreeze = 148, kOpenAir = 149;
  static constexpr int kFirstPreset = 150, kLastPreset = 160;
  static constexpr int kFirstPitch = 2001, kPitchZero = 2013, kLastPitch = 2025;
  static constexpr int kMute = 110, kFullVolume = 120;
  static constexpr int kRepeatSong = 910, kRepeatList = 920, kShuffle = 930;
  static constexpr int kKeepOnTop = 992, kAlternateRows = 991, kShowGraph = 993, kShowTimeRemaining = 994;
  static constexpr int kKeepInScreen = 135, kShowHideListOnDoubleClick = 995, kIconizeOnMiddleClick = 998;
  static constexpr int kFirstCellHeight = 724, kLastCellHeight = 736;  // in steps of 2, +3 down to -3
  static constexpr int kFirstFontSize = 774, kLastFontSize = 786;      // in steps of 2, +3 down to -3
  static constexpr int kFirstTransparency = 600, kLastTransparency = 690;  // in steps of 10
  static constexpr int kFirstSkin = 28200;
  // Languages are 0 .. count - 1.
  // ---- command ids of the tray menu
  static constexpr int kTrayPlayPause = 9000, kTrayNext = 9010, kTrayPrevious = 9020;
  static constexpr int kTrayMute = 8110, kTrayFullVolume = 8120;
  static constexpr int kTrayRepeatSong = 9005, kTrayRepeatList = 9920, kTrayShuffle = 9930;
  static constexpr int kTrayExit = 11000;

  explicit PlayerMenus(lang::Localizer* texts);
  ~PlayerMenus();
  PlayerMenus(const PlayerMenus&) = delete;
  PlayerMenus& operator=(const PlayerMenus&) = delete;

  // Builds both menus with the marks of the settings; the window's own switches come separately.
  void build(const ViewSettings& view, bool keepOnTop, bool iconizeOnMiddleClick);
  s::gui::win::PopupMenu* windowMenu() const { return window_; }
  s::gui::win::PopupMenu* trayMenu() const { return tray_; }
  // The menu of the two that an event came from, or null.
  s::gui::win::PopupMenu* menuOf(const base::IObject* source) const;

  // Cell height and font size codes (-3..3) from their commands, and back.
  static int codeOfSizeCommand(int command, int first) { return 3 - (command - first) / 2; }
  static int sizeCommandOf(int code, int first) { return first + (3 - code) * 2; }
  // The transparency entry that shows an opacity (100 marks "0%", 10 marks "90%").
  static int transparencyCommandOf(int opacity);

  // The volume-slider rule: "Mute" at 0, else the level rounded up to the next 10 %.
  void markVolume(int value);
  void markMute();
  void markEffect(int command);
  void markPitch(int command);
  void setPlayOrder(bool repeatSong, bool repeatList, bool shuffle);
  void setChecked(int command, bool on);
  bool isChecked(int command) const;
  void markCellHeight(int code);
  void markFontSize(int code);
  void markTransparency(int opacity);
  void markLanguage(int index);
  // The skin sub-menu holds the skins of the moment: it is made again before each opening.
  void rebuildSkins(const std::vector<std::u16string>& names, int current);
  void setCloseListEnabled(bool on);
  void setGoToCurrentSongEnabled(bool on);

 private:
  s::gui::win::PopupMenu* subMenu(std::int32_t titleId);
  void buildWindowMenu(const ViewSettings& view, bool keepOnTop, bool iconizeOnMiddleClick);
  void buildViewMenu(const ViewSettings& view, bool iconizeOnMiddleClick);
  void buildTrayMenu(const ViewSettings& view);
  s::gui::win::PopupMenu* volumeMenu(int mute);

  lang::Localizer* texts_;
  s::gui::win::PopupMenu* window_ = nullptr;
  s::gui::win::PopupMenu* tray_ = nullptr;
  s::gui::win::PopupMenu* effect_ = nullptr;
  s::gui::win::PopupMenu* pitch_ = nullptr;
  s::gui::win::PopupMenu* volume_ = nullptr;
  s::gui::win::PopupMenu* trayVolume_ = nullptr;
  s::gui::win::PopupMenu* cellHeight_ = nullptr;
  s::gui::win::PopupMenu* fontSize_ = nullptr;
  s::gui::win::PopupMenu* skin_ = nullptr;
  s::gui::win::PopupMenu* transparency_ = nullptr;
  s::gui::win::PopupMenu* language_ = nullptr;
};

}  // namespace s::sound::gui::dialogs::player
