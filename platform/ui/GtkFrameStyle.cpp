// The window manager's part in our top-level windows: its title bar, its window menu and what it
// lets the user do to the window, told through the Motif hints that every X11 window manager
// reads, and the task bar hints of a utility window.
#include <gtk/gtk.h>

#include "platform/ui/GtkBackend.h"

namespace platform::ui {

void GtkBackend::setFrameStyle(Handle window, const FrameStyle& style) {
  runOnGtk([&] {
    GtkWidget* widget = widgetOf(window);
    if (!widget) return;
    GtkWindow* w = GTK_WINDOW(widget);
    // First: GTK resets the decoration hint whenever this changes.
    gtk_window_set_decorated(w, style.titleBar);
    gtk_window_set_skip_taskbar_hint(w, style.toolWindow);
    gtk_window_set_skip_pager_hint(w, style.toolWindow);
    // The kind of window is read by the manager when the window is mapped, and only then.
    if (!gtk_widget_get_mapped(widget))
      gtk_window_set_type_hint(w, style.toolWindow ? GDK_WINDOW_TYPE_HINT_UTILITY : GDK_WINDOW_TYPE_HINT_NORMAL);
    GdkWindow* gdk = gtk_widget_get_window(widget);
    if (!gdk) return;
    int functions = GDK_FUNC_MOVE | GDK_FUNC_CLOSE;
    if (style.resizable) functions |= GDK_FUNC_RESIZE;
    if (style.minimizable) functions |= GDK_FUNC_MINIMIZE;
    if (style.maximizable) functions |= GDK_FUNC_MAXIMIZE;
    gdk_window_set_functions(gdk, static_cast<GdkWMFunction>(functions));
    if (!style.titleBar) return;
    int decorations = GDK_DECOR_BORDER | GDK_DECOR_TITLE;
    if (style.resizable) decorations |= GDK_DECOR_RESIZEH;
    // The buttons of the title bar belong to its window menu, as they do on every desktop that
    // lets a program turn that menu off.
    if (style.windowMenu) {
      decorations |= GDK_DECOR_MENU;
      if (style.minimizable) decorations |= GDK_DECOR_MINIMIZE;
      if (style.maximizable) decorations |= GDK_DECOR_MAXIMIZE;
    }
    gdk_window_set_decorations(gdk, static_cast<GdkWMDecoration>(decorations));
  });
}

}  // namespace platform::ui
