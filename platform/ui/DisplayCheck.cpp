#include "platform/ui/DisplayCheck.h"

#include <X11/Xlib.h>
#include <wayland-client.h>

#include <cstdlib>

namespace platform::ui {

namespace {

const char* variable(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

}  // namespace

// X11 first, as the GTK backend chooses.
bool displayAvailable(std::string& why) {
  why.clear();
  const char* x11 = variable("DISPLAY");
  const char* wayland = variable("WAYLAND_DISPLAY");
  if (!x11 && !wayland) {
    why = "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
    return false;
  }
  if (x11) {
    if (Display* d = XOpenDisplay(x11)) {
      XCloseDisplay(d);
      return true;
    }
  }
  // The client library names a relative socket below XDG_RUNTIME_DIR and, without one, complains
  // on standard error; we tell the user ourselves.
  if (wayland && (wayland[0] == '/' || variable("XDG_RUNTIME_DIR"))) {
    if (wl_display* d = wl_display_connect(wayland)) {
      wl_display_disconnect(d);
      return true;
    }
  }
  why = "cannot open the display";
  if (x11) why += std::string(" DISPLAY=") + x11;
  if (wayland) why += std::string(x11 ? "," : "") + " WAYLAND_DISPLAY=" + wayland;
  return false;
}

}  // namespace platform::ui
