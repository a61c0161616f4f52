#include "platform/ui/desktop/GtkDesktop.h"

#include <gtk/gtk.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/ui/GtkBackend.h"
#include "platform/ui/desktop/GtkDialogs.h"
#include "platform/ui/desktop/GtkMenus.h"
#include "platform/ui/desktop/GtkTrayIcon.h"
#include "platform/ui/desktop/UriList.h"

namespace platform::ui::desktop {

namespace {

constexpr const char* kDragPathsKey = "sonvia-drag-paths";
enum DragTarget : guint { kUriList, kPlainText };

void onDragDataGet(GtkWidget* widget, GdkDragContext*, GtkSelectionData* data, guint info, guint, gpointer) {
  auto* paths = static_cast<std::vector<std::string>*>(g_object_get_data(G_OBJECT(widget), kDragPathsKey));
  if (!paths) return;
  std::string text;
  if (info == kUriList) {
    text = UriList::encode(*paths);
  } else {
    for (const std::string& p : *paths) text += p + "\n";
  }
  gtk_selection_data_set(data, gtk_selection_data_get_target(data), 8,
                         reinterpret_cast<const guchar*>(text.data()), static_cast<gint>(text.size()));
}

// The drag's pointer grab took the button's release away from the window, which would still
// believe the button held (and keep its capture); it gets the release when the drag is over.
void onDragEnd(GtkWidget* widget, GdkDragContext*, gpointer data) {
  auto* backend = static_cast<GtkBackend*>(data);
  auto handle = static_cast<Handle>(GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(widget), "sonvia-drag-window")));
  GdkWindow* window = gtk_widget_get_window(widget);
  if (!window) return;
  GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_window_get_display(window)));
  int x = 0, y = 0, rootX = 0, rootY = 0;
  gdk_window_get_device_position(window, pointer, &x, &y, nullptr);
  gdk_device_get_position(pointer, nullptr, &rootX, &rootY);
  InputEvent e;
  e.kind = InputEvent::Kind::kButtonUp;
  e.window = handle;
  e.point = {x, y};
  e.screen = {rootX, rootY};
  e.button = 0;
  e.timeMs = gtk_get_current_event_time();
  backend->forward(std::move(e));
}

}  // namespace

GtkDesktop::GtkDesktop(GtkBackend& backend)
    : backend_(backend), menus_(std::make_unique<GtkMenus>(backend)),
      dialogs_(std::make_unique<GtkDialogs>(backend)) {}

GtkDesktop::~GtkDesktop() = default;

void GtkDesktop::prepareMenu(const MenuModel& menu) { menus_->prepare(menu); }

bool GtkDesktop::showMenu(WindowSystem& ws, Handle owner, const MenuModel& menu, Point screen, MenuEdge edge) {
  return menus_->show(ws, owner, menu, screen, edge);
}

bool GtkDesktop::menuOpen() const { return menus_->open(); }

std::vector<std::string> GtkDesktop::openFiles(WindowSystem& ws, Handle owner, const FileDialog& d) {
  return dialogs_->openFiles(ws, owner, d);
}

std::optional<std::string> GtkDesktop::chooseFolder(WindowSystem& ws, Handle owner, const std::string& title,
                                                    const std::string& folder) {
  return dialogs_->chooseFolder(ws, owner, title, folder);
}

std::optional<std::string> GtkDesktop::saveFile(WindowSystem& ws, Handle owner, const FileDialog& d) {
  return dialogs_->saveFile(ws, owner, d);
}

std::optional<Color> GtkDesktop::chooseColor(WindowSystem& ws, Handle owner, Color initial) {
  return dialogs_->chooseColor(ws, owner, initial);
}

bool GtkDesktop::messageBox(WindowSystem& ws, Handle owner, MessageKind kind, const std::string& caption,
                            const std::string& text) {
  return dialogs_->messageBox(ws, owner, kind, caption, text);
}

bool GtkDesktop::setClipboardText(const std::string& text) {
  // GTK keeps the text and serves it to whoever asks until another program takes the clipboard.
  backend_.runOnGtk([&] {
    gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), text.data(), static_cast<gint>(text.size()));
  });
  return true;
}

namespace {

constexpr std::chrono::seconds kClipboardWait{3};

// A clipboard read in flight: GTK answers on its own thread, possibly after the asker gave up.
struct ClipboardRead {
  std::mutex mutex;
  std::condition_variable answered;
  bool done = false;
  std::optional<std::string> text;
};

void onClipboardText(GtkClipboard*, const gchar* text, gpointer data) {
  auto* read = static_cast<std::shared_ptr<ClipboardRead>*>(data);
  {
    std::lock_guard lock((*read)->mutex);
    if (text) (*read)->text = text;
    (*read)->done = true;
  }
  (*read)->answered.notify_all();
  delete read;
}

}  // namespace

std::optional<std::string> GtkDesktop::clipboardText() {
  // The clipboard belongs to whichever program copied last; one that never answers must not
  // hold the asking window's thread (or GTK's) for good, so the read is asked for and waited on
  // with a deadline instead of GTK's blocking wait.
  auto read = std::make_shared<ClipboardRead>();
  backend_.runOnGtk([&] {
    gtk_clipboard_request_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), onClipboardText,
                               new std::shared_ptr<ClipboardRead>(read));
  });
  std::unique_lock lock(read->mutex);
  if (!read->answered.wait_for(lock, kClipboardWait, [&] { return read->done; })) return std::nullopt;
  return read->text;
}

bool GtkDesktop::beginFileDrag(Handle owner, const std::vector<std::string>& paths) {
  if (paths.empty()) return false;
  bool started = false;
  backend_.runOnGtk([&] {
    GtkWidget* widget = backend_.widgetOf(owner);
    if (!widget) return;
    g_object_set_data_full(G_OBJECT(widget), kDragPathsKey, new std::vector<std::string>(paths),
                           [](gpointer p) { delete static_cast<std::vector<std::string>*>(p); });
    if (!g_object_get_data(G_OBJECT(widget), "sonvia-drag-window")) {
      g_signal_connect(widget, "drag-data-get", G_CALLBACK(onDragDataGet), nullptr);
      g_signal_connect(widget, "drag-end", G_CALLBACK(onDragEnd), &backend_);
      g_object_set_data(G_OBJECT(widget), "sonvia-drag-window", GUINT_TO_POINTER(owner));
    }
    static const GtkTargetEntry kTargets[] = {
        {const_cast<gchar*>("text/uri-list"), 0, kUriList},
        {const_cast<gchar*>("text/plain"), 0, kPlainText},
    };
    GtkTargetList* targets = gtk_target_list_new(kTargets, G_N_ELEMENTS(kTargets));
    // The press that starts the drag went to our window long ago (through our message loop), so
    // there is no GDK event to hand over: GTK then takes the seat's pointer and the current time.
    GdkDragContext* context =
        gtk_drag_begin_with_coordinates(widget, targets, GDK_ACTION_COPY, 1, nullptr, -1, -1);
    gtk_target_list_unref(targets);
    started = context != nullptr;
    // What a file manager shows while songs are dragged: the desktop's own audio file icon.
    if (context) gtk_drag_set_icon_name(context, "audio-x-generic", 0, 0);
  });
  return started;
}

std::unique_ptr<TrayIcon> GtkDesktop::createTrayIcon(WindowSystem& ws, Handle owner) {
  return std::make_unique<GtkTrayIcon>(backend_, ws, owner);
}

}  // namespace platform::ui::desktop
