#include "platform/ui/GtkDisplayLoss.h"

#include <gdk/gdk.h>
#include <unistd.h>

#include <cstring>
#include <utility>

#include <dlfcn.h>

// From GDK's X11 part, declared here so that Xlib's names stay out of this file.
extern "C" void* gdk_x11_display_get_xdisplay(GdkDisplay* display);

namespace platform::ui {

namespace {

using IoErrorHandler = int (*)(void*);
using SetIoErrorHandler = IoErrorHandler (*)(IoErrorHandler);

void* watched = nullptr;
IoErrorHandler previous = nullptr;
std::function<void()>* whenLost = nullptr;

// Xlib ends the process as soon as this returns, so for our display it does not: the thread
// (GTK's own) waits here until the process ends by itself.
int onIoError(void* display) {
  if (display != watched) return previous ? previous(display) : 0;
  static bool once = false;
  if (!once) {
    once = true;
    (*whenLost)();
  }
  while (true) pause();
}

}  // namespace

void GtkDisplayLoss::watch(GdkDisplay* display, std::function<void()> onLost) {
  if (whenLost || !display || std::strcmp(G_OBJECT_TYPE_NAME(display), "GdkX11Display") != 0) return;
  // Xlib is GDK's and already loaded; looked up rather than linked, like the shape calls.
  auto set = reinterpret_cast<SetIoErrorHandler>(dlsym(RTLD_DEFAULT, "XSetIOErrorHandler"));
  if (!set) return;
  whenLost = new std::function<void()>(std::move(onLost));
  watched = gdk_x11_display_get_xdisplay(display);
  previous = set(onIoError);
}

}  // namespace platform::ui
