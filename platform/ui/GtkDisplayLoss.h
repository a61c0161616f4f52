#pragma once
#include <functional>

typedef struct _GdkDisplay GdkDisplay;

namespace platform::ui {

// What happens when the X server goes away under us (the session ends, the server crashes, an
// ssh tunnel drops). Left to GDK, the process ends on the spot and whatever closing a window
// would have saved is lost. Instead, `onLost` runs on GTK's thread, which then never returns to
// GDK: a dead connection is never touched again, while the windows' own threads close them as
// usual and the program ends by itself.
class GtkDisplayLoss {
 public:
  // Watches GDK's X11 display; does nothing for other displays (Wayland keeps GDK's handling).
  // Once per process, on GTK's thread after the display is open.
  static void watch(GdkDisplay* display, std::function<void()> onLost);
};

}  // namespace platform::ui
