#pragma once
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "s/app/IPlayerWindow.h"
#include "s/base/IObject.h"
#include "s/gui/events/IEventListener.h"
#include "s/sound/gui/dialogs/player/DialogTree.h"
#include "s/sound/gui/dialogs/player/IPlayDisplay.h"
#include "s/sound/gui/dialogs/player/PlayState.h"
#include "s/sound/gui/dialogs/player/ViewSettings.h"

namespace platform::ui {
class WindowSystem;
}
namespace s::app {
class IAppBase;
class IAppWindow;
}  // namespace s::app
namespace s::gui::drawer {
class Skinner;
}
namespace s::gui::win {
class Window;
}
namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}

namespace s::sound::gui::dialogs::player {

class AllPlayLists;
class ListEdits;
class PlayerMenus;
class MprisBridge;
class RowHeightDrawer;
class Transport;
class SquareButtonDrawer;

// The player window: a strip of transport controls with the display, which grows to show the
// selected play list under a row of list tabs. It owns the open play lists and keeps the display
// up to date for the play process.
//
// Threads: run() (or open() ... finish()) is called on the program's main thread; the window
// lives on its own interface thread, where every handler below runs. The play thread reaches
// the window only through onWindowThread and addGraphColumn. Closing the window saves the lists
// and the view's sizes; finish() then stops playback before the components go, so that no
// request of the play thread can find them gone. A changed list is also written a short while
// after the change, so that a crash or a power cut loses at most that while.
class Dialog final : public s::gui::events::IEventListener,
                     public base::IObject,
                     public app::IPlayerWindow,
                     public IPlayDisplay {
 public:
  // What the application lends the window for its life.
  struct Services {
    platform::ui::WindowSystem* windowSystem = nullptr;
    map::IMappedData* settings = nullptr;
    lang::Localizer* texts = nullptr;
    s::gui::drawer::Skinner* skinner = nullptr;
    // Keeps the window's placement and switches; none in the snapshot tool and most tests.
    app::IAppWindow* appWindow = nullptr;
  };

  static constexpr int kProductNameText = 500000;
  static constexpr int kPausedText = 3009200;
  static constexpr int kSmallHeight = ViewSettings::kSmallHeight;
  static constexpr int kNoticeTimer = 1;
  static constexpr int kSaveTimer = 2;
  // How long after a change the lists are written: a burst of changes (a folder, a later
  // start's songs one by one) is written once, and a crash loses no more than this.
  static constexpr int kSaveDelayMs = 1500;

  explicit Dialog(const Services& services);
  ~Dialog() override;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // ---- app::IPlayerWindow
  // Takes the application's settings, language table, skins and the "MainWindow" application
  // window; the window system is the process's own.
  void setApplication(app::IAppBase& application) override;
  // "--device NAME" plays through that output device (a name of the output list, "null",
  // "file:PATH"), as the console player does.
  std::vector<std::u16string> valueSwitches() const override { return {u"device"}; }
  int run(const process::commandline::win::CommandLine& commandLine) override;
  void bringToFront(const std::string& activationToken) override;
  bool takeHandedOver(const std::vector<std::string>& files) override;

  // run() in its three steps. open() builds the window, restores the lists with the start file
  // (a song, a ".mpl" list, or empty) and shows it when `show`; false when the window could
  // not be made (the reason went to the user). finish() stops playback and gives the window
  // and its components back; closing saves nothing by itself (the close event does).
  bool open(const std::u16string& startPath, bool show = true);
  void waitUntilClosed();
  void finish();

  // ---- IPlayDisplay
  bool onWindowThread(const std::function<void()>& work) override;
  void showProgress() override;
  void showIdle() override;
  void showPlayButton(bool pauseGlyph) override;
  void showPaused(bool paused) override;
  void showPlayError(const std::u16string& text) override;
  void playingRowChanged() override;
  void addGraphColumn(int32_t value, bool clearFirst) override;

  // ---- the list, on the window's thread
  void showList(bool shown);
  void previousList();
  void nextList();
  // Opens a ".mpl" file as a list of its own and selects it; an open file changes nothing.
  void openListFile(const std::u16string& path);
  // Closes the selected list unless it is the default play list; false when refused.
  bool closeList();
  void refreshListTabs();
  // Files dropped on the controls: songs and folders go to the end of the selected list (the
  // new rows selected), ".mpl" files open as lists.
  void addDroppedFiles(const std::vector<std::string>& paths);

  // ---- switches, on the window's thread; shown and kept in the settings as the window's own
  // commands keep them
  void setPlayOrder(bool repeatSong, bool repeatList, bool shuffle);
  void setVolume(int percent);

  // ---- events, on the window's thread
  void onEvent(base::IObject* source, int code) override;
  // Where Control with an arrow seeks to, in percent, from the position slider (0..1000).
  static float seekByArrow(int slider, bool forward);

  // ---- for the snapshot tool and the tests
  s::gui::win::Window* window() const { return window_.get(); }
  const DialogTree& tree() const { return tree_; }
  PlayState& state() { return state_; }
  AllPlayLists& lists() const { return *lists_; }
  // The transport of the open window (null before open() and after finish()).
  Transport* transport() const { return transport_.get(); }
  const ViewSettings& settings() const { return view_; }
  // The window menu and the tray menu (null before open() and after finish()).
  PlayerMenus* menus() const { return menus_.get(); }
  // The stored size the window takes with the list shown (or hidden).
  int largeWidth() const { return view_.largeWidth; }
  int largeHeight() const { return view_.largeHeight; }
  int smallWidth() const { return view_.smallWidth; }

  const char16_t* typeName() const override { return u"s_sound_gui_dialogs_player_Dialog"; }
  base::IObject* newInstance() const override { return nullptr; }

 private:
  void buildWindow();
  void restoreListView();
  void sizeWindow();
  void restoreLists(const std::u16string& startPath);
  void showNotices();
  // Shows the notices from the window's own loop, so that whoever opened the list does not
  // wait for the user to read them.
  void noticesLater();
  void applyEffect();
  void onWindowEvent(int code);
  void onButton(base::IObject* source);
  void onListEvent(int code);
  void playAdded(const std::u16string& path);
  // Adds the songs of another player's list file to the selected list; returns the first of
  // them the list now holds (empty for none). Call without the window lock.
  std::u16string addForeignList(const std::u16string& path);
  void onPositionSlider(int code);
  void setVolumeFromSlider(int code);
  void toggleMute();
  void setMuted(bool muted);
  // ---- menu commands, one place for both menus (their command ids never collide)
  void buildMenus();
  void refreshWindowMenu();
  void onMenuCommand(int id);
  bool onPlayCommand(int id);
  bool onSoundCommand(int id);
  bool onViewCommand(int id);
  bool onLookCommand(int id);
  void toggleView(int command, const char16_t* key, bool& value);
  void setVolumeLevel(int level);
  void chooseLanguage(int index);
  void chooseSkin(int index);
  void goToCurrentSong();
  void resetSongNumbers();
  void onKey(int key, bool control);
  void stepVolume(int by);
  void onSizing();
  void onClose();
  // A list or the set of lists changed: they are written kSaveDelayMs after the first change
  // not yet written.
  void listsChanged();
  void saveChangedLists();
  // What the desktop's media controls show may have changed.
  void mprisChanged();
  void setCaptionToProductName();
  void clearTitleLabel();
  void repaintDisplay();
  std::u16string text(int id) const;
  void store(const char16_t* path, const char16_t* key, bool value);
  void store(const char16_t* path, const char16_t* key, int32_t value);

  Services services_;
  std::string device_;  // "--device": the output device the songs play through ("" the first)
  PlayState state_;
  ViewSettings view_;
  DialogTree tree_;
  AllPlayLists* lists_;
  std::unique_ptr<s::gui::win::Window> window_;
  std::unique_ptr<Transport> transport_;
  std::unique_ptr<ListEdits> edits_;
  std::unique_ptr<RowHeightDrawer> rowDrawer_;
  std::unique_ptr<SquareButtonDrawer> buttonDrawer_;
  std::unique_ptr<PlayerMenus> menus_;
  std::unique_ptr<MprisBridge> mpris_;  // while the window is shown
  // Set when the window starts closing: from then on the play thread's requests are refused.
  std::atomic<bool> closing_{false};
  // The play thread did not end in time at finish(): what it may still touch is kept.
  bool abandoned_ = false;
  // A failed save is reported once until a save succeeds again, not at every change.
  bool saveFailureShown_ = false;
  bool saveArmed_ = false;  // window's thread
};

}  // namespace s::sound::gui::dialogs::player
