#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Geometry.h"
#include "platform/ui/Message.h"
#include "platform/ui/desktop/MenuModel.h"
#include "platform/ui/desktop/TrayIcon.h"

namespace platform::ui {
class WindowSystem;
}

namespace platform::ui::desktop {

// Where a popup menu goes relative to its screen point.
enum class MenuEdge { kTop, kBottom };  // the menu's top (bottom) edge at the point

struct FileFilter {
  std::string name;                   // shown to the user, e.g. "Audio Files (*.mp3, *.wav)"
  std::vector<std::string> patterns;  // "*.mp3"; matched without regard to case; "*" = all files
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

struct FileDialog {
  std::string title;                 // empty: the desktop's own title
  std::string folder;                // where the dialog starts; empty: the desktop decides
  std::vector<FileFilter> filters;   // the first is chosen at start
  bool multiple = false;             // open: several files at once
  std::string suggestedName;         // save: the name filled in
  std::string defaultExtension;      // save: ".mpl", added when the typed name has no extension
  bool confirmOverwrite = true;      // save: ask before an existing file is chosen
  friend bool operator==(const FileDialog&, const FileDialog&) = default;
};

enum class MessageKind { kInformation, kWarning, kError, kQuestion };

// What the desktop offers beyond windows: popup menus, its dialogs, the clipboard, dragging
// files out to other programs and the notification-area icon. Reached through the backend, so
// that the headless backend can answer from a test's script.
//
// Paths are the file system's bytes (not necessarily UTF-8); texts are UTF-8.
//
// Dialogs are modal for `owner` (kNoWindow: for no window) and return their answer to the asking
// thread. While one of our UI threads waits for the answer it keeps dispatching its messages, so
// sends to its windows and painting go on; any other thread simply waits.
class DesktopServices {
 public:
  virtual ~DesktopServices() = default;

  // Opens a menu at a screen point and returns at once. The user's choice reaches `owner` as a
  // posted msg::kCommand (wParam: the command id); whatever the outcome, msg::kMenuClosed is
  // posted after it. Opening a menu closes one still open. False when it cannot be shown.
  virtual bool showMenu(WindowSystem& ws, Handle owner, const MenuModel& menu, Point screen,
                        MenuEdge edge) = 0;
  // Builds the desktop's menu for `menu` ahead of its showing and returns at once, so that a
  // later showMenu of a menu of this shape only has to put it on the screen.
  virtual void prepareMenu(const MenuModel& menu) = 0;
  // True while a menu opened by showMenu is on the screen.
  virtual bool menuOpen() const = 0;

  // The chosen files; empty when cancelled.
  virtual std::vector<std::string> openFiles(WindowSystem& ws, Handle owner, const FileDialog& d) = 0;
  virtual std::optional<std::string> chooseFolder(WindowSystem& ws, Handle owner,
                                                  const std::string& title,
                                                  const std::string& folder) = 0;
  virtual std::optional<std::string> saveFile(WindowSystem& ws, Handle owner, const FileDialog& d) = 0;
  virtual std::optional<Color> chooseColor(WindowSystem& ws, Handle owner, Color initial) = 0;
  // True for "Yes" to a question; true once an information, warning or error box is closed.
  virtual bool messageBox(WindowSystem& ws, Handle owner, MessageKind kind,
                          const std::string& caption, const std::string& text) = 0;

  // The clipboard's text: setting keeps it offered after the call returns, until something else
  // takes the clipboard. None when the clipboard holds no text, or when the program holding it
  // does not answer within a few seconds.
  virtual bool setClipboardText(const std::string& text) = 0;
  virtual std::optional<std::string> clipboardText() = 0;

  // Starts dragging files out of `owner` (while a mouse button is held on it), offered as
  // text/uri-list and text/plain for copying. False when no drag could start.
  virtual bool beginFileDrag(Handle owner, const std::vector<std::string>& paths) = 0;

  // A notification-area icon for `owner`; it is shown while the object lives, which must end
  // before the window system's does.
  virtual std::unique_ptr<TrayIcon> createTrayIcon(WindowSystem& ws, Handle owner) = 0;
};

}  // namespace platform::ui::desktop
