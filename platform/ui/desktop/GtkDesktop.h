#pragma once
#include <memory>

#include "platform/ui/desktop/DesktopServices.h"

namespace platform::ui {
class GtkBackend;
}

namespace platform::ui::desktop {

class GtkMenus;
class GtkDialogs;

// The desktop services of the GTK backend. Everything GTK is done on GTK's thread; the calling
// threads wait only for what returns an answer (dialogs by a nested loop, see ModalWait).
class GtkDesktop : public DesktopServices {
 public:
  explicit GtkDesktop(GtkBackend& backend);
  ~GtkDesktop() override;

  bool showMenu(WindowSystem& ws, Handle owner, const MenuModel& menu, Point screen, MenuEdge edge) override;
  void prepareMenu(const MenuModel& menu) override;
  bool menuOpen() const override;
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
  GtkBackend& backend_;
  std::unique_ptr<GtkMenus> menus_;
  std::unique_ptr<GtkDialogs> dialogs_;
};

}  // namespace platform::ui::desktop
