#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/desktop/DesktopServices.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _GtkWindow GtkWindow;

namespace platform::ui {
class GtkBackend;
}

namespace platform::ui::desktop {

// The desktop's file, folder, colour and message dialogs (GTK's), modal for their owner window
// only: each dialog and its owner form a window group of their own, so our other windows go on.
class GtkDialogs {
 public:
  explicit GtkDialogs(GtkBackend& backend) : backend_(backend) {}

  std::vector<std::string> openFiles(WindowSystem& ws, Handle owner, const FileDialog& d);
  std::optional<std::string> chooseFolder(WindowSystem& ws, Handle owner, const std::string& title,
                                          const std::string& folder);
  std::optional<std::string> saveFile(WindowSystem& ws, Handle owner, const FileDialog& d);
  std::optional<Color> chooseColor(WindowSystem& ws, Handle owner, Color initial);
  bool messageBox(WindowSystem& ws, Handle owner, MessageKind kind, const std::string& caption,
                  const std::string& text);

  // GTK thread: makes the dialog.
  using Build = std::function<GtkWidget*()>;
  // GTK thread: takes the answer from the dialog for a response; false keeps the dialog open.
  using Read = std::function<bool(GtkWidget* dialog, int response)>;

 private:
  // Shows the dialog and waits for it to end; false when the asking thread gave up waiting (the
  // dialog is then closed unanswered).
  bool run(WindowSystem& ws, Handle owner, Build build, Read read);

  GtkBackend& backend_;
};

}  // namespace platform::ui::desktop
