#include "platform/ui/GtkDisplayLoss.h"

#include <gdk/gdk.h>
#include <unistd.h>

#include <atomic>
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
void (*unlock)(void*) = nullptr;
std::function<void()>* whenLost = nullptr;

// Xlib ends the process as soon as this returns, so for our display it does not: the thread
// (GTK's own) waits here until the process ends by itself. Xlib comes here holding the display's
// lock for this thread; it is let go, or any other thread that so much as registers a hook on
// the display (GL's library does, as the process ends) would wait for it forever.
int onIoError(void* display) {
  static std::atomic<bool> once{false};
  if (display != watched || once.exchange(true)) return previous ? previous(display) : 0;
  (*whenLost)();
  if (unlock) unlock(display);
  while (true) pause();
}

}  // namespace

void GtkDisplayLoss::watch(GdkDisplay* display, std::function<void()> onLost) {
  if (whenLost || !display || std::strcmp(G_OBJECT_TYPE_NAME(display), "GdkX11Display") != 0) return;
  // Xlib is GDK's and already loaded; looked up rather than linked, like the shape calls.
  auto set = reinterpret_cast<SetIoErrorHandler>(dlsym(RTLD_DEFAULT, "XSetIOErrorHandler"));
  if (!set) return;
  unlock = reinterpret_cast<void (*)(void*)>(dlsym(RTLD_DEFAULT, "XUnlockDisplay"));
  whenLost = new std::function<void()>(std::move(onLost));
  watched = gdk_x11_display_get_xdisplay(display);
  previous = set(onIoError);
}

}  // namespace platform::ui
