#pragma once
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/ui/desktop/DesktopServices.h"

namespace platform::ui::desktop {

class HeadlessTrayIcon;

// No desktop: every question is answered at once from a script that the test sets, and every
// question is recorded for the test to look at. A question with nothing scripted for it is
// cancelled (no menu choice, no file, no colour, "No"). Thread-safe.
class HeadlessDesktop : public DesktopServices {
 public:
  struct Request {
    enum class Kind { kMenu, kOpenFiles, kChooseFolder, kSaveFile, kChooseColor, kMessageBox, kFileDrag };
    Kind kind = Kind::kMenu;
    Handle owner = kNoWindow;
    MenuModel menu;
    Point at;
    MenuEdge edge = MenuEdge::kTop;
    FileDialog dialog;           // kOpenFiles, kSaveFile
    std::string title;           // kChooseFolder, kMessageBox (the caption)
    std::string text;            // kMessageBox
    std::string folder;          // kChooseFolder
    MessageKind messageKind = MessageKind::kInformation;
    Color initial = 0;           // kChooseColor
    std::vector<std::string> paths;  // kFileDrag
  };

  // ---- the script; each answer is taken by the next question of its kind
  // The command the user picks in the next menu; none closes it without a choice. A command that
  // the menu does not hold as an enabled item is not chosen.
  void scriptMenuChoice(std::optional<int> command);
  void scriptFiles(std::vector<std::string> paths);      // openFiles; empty: cancelled
  void scriptPath(std::optional<std::string> path);      // chooseFolder and saveFile
  void scriptColor(std::optional<Color> color);
  void scriptAnswer(bool yes);                           // questions
  // Whether a notification area shows tray icons; changing it tells every live icon's owner.
  void setTrayAvailable(bool available);

  std::vector<Request> requests() const;
  // The menus built ahead (prepareMenu), in order.
  std::vector<MenuModel> preparedMenus() const;
  void clearRequests();
  // The live tray icon of `owner`, for a test to click; nullptr when there is none.
  HeadlessTrayIcon* trayIcon(Handle owner) const;

  // ---- DesktopServices
  bool showMenu(WindowSystem& ws, Handle owner, const MenuModel& menu, Point screen, MenuEdge edge) override;
  void prepareMenu(const MenuModel& menu) override;
  bool menuOpen() const override { return false; }
  std::vector<std::string> openFiles(WindowSystem& ws, Handle owner, const FileDialog& d) override;
  std::optional<std::string> chooseFolder(WindowSystem& ws, Handle owner, const std::string& title,
                                          const std::string& folder) override;
  std::optional<std::string> saveFile(WindowSystem& ws, Handle owner, const FileDialog& d) override;
  std::optional<Color> chooseColor(WindowSystem& ws, Handle owner, Color initial) override;
  bool messageBox(WindowSystem& ws, Handle owner, MessageKind kind, const std::string& caption,
                  const std::string& text) override;
  bool setClipboardText(const std::string& text) override;
  std::optional<std::string> clipboardText() override;
  bool beginFileDrag(Handle owner, const std::vector<std::string>& paths) override;
  std::unique_ptr<TrayIcon> createTrayIcon(WindowSystem& ws, Handle owner) override;

 private:
  friend class HeadlessTrayIcon;
  static Request question(Request::Kind kind, Handle owner);
  void record(Request r);
  template <class T>
  static T take(std::deque<T>& script, T none);

  mutable std::mutex mutex_;
  std::vector<Request> requests_;
  std::vector<MenuModel> prepared_;
  std::deque<std::optional<int>> menuChoices_;
  std::deque<std::vector<std::string>> files_;
  std::deque<std::optional<std::string>> paths_;
  std::deque<std::optional<Color>> colors_;
  std::deque<bool> answers_;
  std::optional<std::string> clipboard_;
  bool trayAvailable_ = true;
  std::vector<HeadlessTrayIcon*> trays_;
};

}  // namespace platform::ui::desktop
