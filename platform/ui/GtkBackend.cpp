#include "platform/ui/GtkBackend.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <future>
#include <optional>

#include <dlfcn.h>

#include "platform/ui/Canvas.h"
#include "platform/ui/FirstFrame.h"
#include "platform/ui/GtkDisplayLoss.h"
#include "platform/ui/desktop/GtkDesktop.h"
#include "platform/ui/desktop/UriList.h"

// From GDK's X11 part, declared here so that Xlib's names stay out of this file.
extern "C" unsigned long gdk_x11_window_get_xid(GdkWindow* window);
extern "C" void* gdk_x11_display_get_xdisplay(GdkDisplay* display);

namespace platform::ui {

// The last image a window presented, shared by its UI thread (writing) and GTK (drawing).
struct GtkFrame {
  std::mutex mutex;
  Image image;
};

struct GtkBackend::Native {
  GtkBackend* backend = nullptr;
  Handle handle = kNoWindow;
  GtkWidget* window = nullptr;
  std::shared_ptr<GtkFrame> frame;
  Rect requested;  // the geometry we last asked for
  std::chrono::steady_clock::time_point requestedAt;
  Rect reported;   // the geometry last reported as changed by the system
  std::vector<guint> keysDown;  // to tell auto-repeat from a fresh press
};

namespace {

using Clock = std::chrono::steady_clock;

unsigned modifiersOf(guint state) {
  unsigned m = 0;
  if (state & GDK_SHIFT_MASK) m |= key::kShift;
  if (state & GDK_CONTROL_MASK) m |= key::kControl;
  if (state & GDK_MOD1_MASK) m |= key::kAlt;
  if (state & (GDK_SUPER_MASK | GDK_MOD4_MASK)) m |= key::kSuper;
  return m;
}

unsigned virtualKeyOf(guint keyval) {
  guint upper = gdk_keyval_to_upper(keyval);
  if (upper >= GDK_KEY_A && upper <= GDK_KEY_Z) return 'A' + (upper - GDK_KEY_A);
  if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return '0' + (keyval - GDK_KEY_0);
  if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) return vk::kNumpad0 + (keyval - GDK_KEY_KP_0);
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24) return vk::kF1 + (keyval - GDK_KEY_F1);
  switch (keyval) {
    case GDK_KEY_BackSpace: return vk::kBack;
    case GDK_KEY_Tab: case GDK_KEY_ISO_Left_Tab: return vk::kTab;
    case GDK_KEY_Return: case GDK_KEY_KP_Enter: return vk::kReturn;
    case GDK_KEY_Shift_L: case GDK_KEY_Shift_R: return vk::kShift;
    case GDK_KEY_Control_L: case GDK_KEY_Control_R: return vk::kControl;
    case GDK_KEY_Alt_L: case GDK_KEY_Alt_R: return vk::kAlt;
    case GDK_KEY_Pause: return vk::kPause;
    case GDK_KEY_Escape: return vk::kEscape;
    case GDK_KEY_space: return vk::kSpace;
    case GDK_KEY_Page_Up: case GDK_KEY_KP_Page_Up: return vk::kPageUp;
    case GDK_KEY_Page_Down: case GDK_KEY_KP_Page_Down: return vk::kPageDown;
    case GDK_KEY_End: case GDK_KEY_KP_End: return vk::kEnd;
    case GDK_KEY_Home: case GDK_KEY_KP_Home: return vk::kHome;
    case GDK_KEY_Left: case GDK_KEY_KP_Left: return vk::kLeft;
    case GDK_KEY_Up: case GDK_KEY_KP_Up: return vk::kUp;
    case GDK_KEY_Right: case GDK_KEY_KP_Right: return vk::kRight;
    case GDK_KEY_Down: case GDK_KEY_KP_Down: return vk::kDown;
    case GDK_KEY_Insert: case GDK_KEY_KP_Insert: return vk::kInsert;
    case GDK_KEY_Delete: case GDK_KEY_KP_Delete: return vk::kDelete;
    case GDK_KEY_Super_L: case GDK_KEY_Super_R: return vk::kSuper;
    case GDK_KEY_Menu: return vk::kApps;
    case GDK_KEY_KP_Multiply: return vk::kMultiply;
    case GDK_KEY_KP_Add: return vk::kAdd;
    case GDK_KEY_KP_Subtract: return vk::kSubtract;
    case GDK_KEY_KP_Decimal: return vk::kDecimal;
    case GDK_KEY_KP_Divide: return vk::kDivide;
    case GDK_KEY_AudioMute: return vk::kVolumeMute;
    case GDK_KEY_AudioLowerVolume: return vk::kVolumeDown;
    case GDK_KEY_AudioRaiseVolume: return vk::kVolumeUp;
    case GDK_KEY_AudioNext: return vk::kMediaNext;
    case GDK_KEY_AudioPrev: return vk::kMediaPrev;
    case GDK_KEY_AudioStop: return vk::kMediaStop;
    case GDK_KEY_AudioPlay: case GDK_KEY_AudioPause: return vk::kMediaPlayPause;
    case GDK_KEY_semicolon: case GDK_KEY_colon: return vk::kOemSemicolon;
    case GDK_KEY_plus: case GDK_KEY_equal: return vk::kOemPlus;
    case GDK_KEY_comma: case GDK_KEY_less: return vk::kOemComma;
    case GDK_KEY_minus: case GDK_KEY_underscore: return vk::kOemMinus;
    case GDK_KEY_period: case GDK_KEY_greater: return vk::kOemPeriod;
    case GDK_KEY_slash: case GDK_KEY_question: return vk::kOemSlash;
    case GDK_KEY_grave: case GDK_KEY_asciitilde: return vk::kOemTilde;
    case GDK_KEY_bracketleft: case GDK_KEY_braceleft: return vk::kOemOpenBracket;
    case GDK_KEY_backslash: case GDK_KEY_bar: return vk::kOemBackslash;
    case GDK_KEY_bracketright: case GDK_KEY_braceright: return vk::kOemCloseBracket;
    case GDK_KEY_apostrophe: case GDK_KEY_quotedbl: return vk::kOemQuote;
    default: return 0;
  }
}

InputEvent eventFor(GtkBackend::Native* n, InputEvent::Kind kind) {
  InputEvent e;
  e.kind = kind;
  e.window = n->handle;
  return e;
}

void deliverFrom(GtkBackend::Native* n, InputEvent e);

gboolean onDraw(GtkWidget*, cairo_t* cr, gpointer data) {
  auto* n = static_cast<GtkBackend::Native*>(data);
  std::lock_guard lock(n->frame->mutex);
  if (!n->frame->image.valid()) return TRUE;
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, static_cast<cairo_surface_t*>(n->frame->image.nativeSurface()), 0, 0);
  cairo_paint(cr);
  noteFramePresented();
  return TRUE;
}

gboolean onButton(GtkWidget*, GdkEventButton* ev, gpointer data) {
  auto* n = static_cast<GtkBackend::Native*>(data);
  // GDK adds its own double-press events; ours come from the plain presses.
  if (ev->type != GDK_BUTTON_PRESS && ev->type != GDK_BUTTON_RELEASE) return TRUE;
  if (ev->button < 1 || ev->button > 3) return TRUE;
  InputEvent e = eventFor(n, ev->type == GDK_BUTTON_PRESS ? InputEvent::Kind::kButtonDown
                                                            : InputEvent::Kind::kButtonUp);
  e.point = {static_cast<int>(ev->x), static_cast<int>(ev->y)};
  e.screen = {static_cast<int>(ev->x_root), static_cast<int>(ev->y_root)};
  e.button = ev->button == 1 ? 0 : ev->button == 3 ? 1 : 2;
  e.modifiers = modifiersOf(ev->state);
  e.timeMs = ev->time;
  deliverFrom(n, std::move(e));
  return TRUE;
}

gboolean onMotion(GtkWidget*, GdkEventMotion* ev, gpointer data) {
  auto* n = static_cast<GtkBackend::Native*>(data);
  InputEvent e = eventFor(n, InputEvent::Kind::kMouseMove);
  e.point = {static_cast<int>(ev->x), static_cast<int>(ev->y)};
  e.screen = {static_cast<int>(ev->x_root), static_cast<int>(ev->y_root)};
  e.modifiers = modifiersOf(ev->state);
  e.timeMs = ev->time;
  deliverFrom(n, std::move(e));
  return TRUE;
}

gboolean onScroll(GtkWidget*, GdkEventScroll* ev, gpointer data) {
  auto* n = static_cast<GtkBackend::Native*>(data);
  int delta = 0;
  if (ev->direction == GDK_SCROLL_UP) delta = 120;
  else if (ev->direction == GDK_SCROLL_DOWN) delta = -120;
  else if (ev->direction == GDK_SCROLL_SMOOTH) delta = static_cast<int>(-ev->delta_y * 120);
  if (delta == 0) return TRUE;
  InputEvent e = eventFor(n, InputEvent::Kind::kWheel);
  e.point = {static_cast<int>(ev->x), static_cast<int>(ev->y)};
  e.screen = {static_cast<int>(ev->x_root), static_cast<int>(ev->y_root)};
  e.wheel = delta;
  e.modifiers = modifiersOf(ev->state);
  e.timeMs = ev->time;
  deliverFrom(n, std::move(e));
  return TRUE;
}

gboolean onLeave(GtkWidget*, GdkEventCrossing* ev, gpointer data) {
  if (ev->mode != GDK_CROSSING_NORMAL) return FALSE;
  deliverFrom(static_cast<GtkBackend::Native*>(data),
              eventFor(static_cast<GtkBackend::Native*>(data), InputEvent::Kind::kPointerLeft));
  return FALSE;
}

gboolean onKey(GtkWidget*, GdkEventKey* ev, gpointer data) {
  auto* n = static_cast<GtkBackend::Native*>(data);
  bool down = ev->type == GDK_KEY_PRESS;
  InputEvent e = eventFor(n, down ? InputEvent::Kind::kKeyDown : InputEvent::Kind::kKeyUp);
  e.keyCode = virtualKeyOf(ev->keyval);
  e.modifiers = modifiersOf(ev->state);
  e.timeMs = ev->time;
  auto held = std::find(n->keysDown.begin(), n->keysDown.end(), ev->hardware_keycode);
  if (down) {
    e.repeat = held != n->keysDown.end();
    if (!e.repeat) n->keysDown.push_back(ev->hardware_keycode);
  } else if (held != n->keysDown.end()) {
    n->keysDown.erase(held);
  }
  if (e.keyCode != 0) deliverFrom(n, e);
  guint32 ch = gdk_keyval_to_unicode(ev->keyval);
  if (down && ch >= 0x20 && ch != 0x7F && !(e.modifiers & (key::kControl | key::kAlt))) {
    InputEvent c = eventFor(n, InputEvent::Kind::kChar);
    c.character = ch;
    c.modifiers = e.modifiers;
    c.timeMs = ev->time;
    deliverFrom(n, std::move(c));
  }
  return TRUE;
}

gboolean onFocus(GtkWidget*, GdkEventFocus* ev, gpointer data) {
  auto* n = static_cast<GtkBackend::Native*>(data);
  n->keysDown.clear();  // releases while elsewhere never reach us
  deliverFrom(n, eventFor(n, ev->in ? InputEvent::Kind::kActivated : InputEvent::Kind::kDeactivated));
  return FALSE;
}

gboolean onDelete(GtkWidget*, GdkEvent*, gpointer data) {
  auto* n = static_cast<GtkBackend::Native*>(data);
  deliverFrom(n, eventFor(n, InputEvent::Kind::kCloseRequested));
  return TRUE;  // the window decides for itself whether it closes
}

gboolean onConfigure(GtkWidget*, GdkEventConfigure* ev, gpointer data) {
  auto* n = static_cast<GtkBackend::Native*>(data);
  // The event's position is relative to the parent, which a reparenting window manager's frame
  // makes useless; the screen origin of our window is what we keep.
  int x = ev->x, y = ev->y;
  if (GdkWindow* gw = gtk_widget_get_window(n->window)) gdk_window_get_origin(gw, &x, &y);
  Rect now = Rect::fromSize(x, y, ev->width, ev->height);
  // Echoes of our own requests are not news; anything else the system did to the window is,
  // such as a compositor-driven move on Wayland.
  bool ours = now == n->requested || Clock::now() - n->requestedAt < std::chrono::milliseconds(300);
  if (ours || now == n->reported) return FALSE;
  n->reported = now;
  InputEvent e = eventFor(n, now.width() == n->requested.width() && now.height() == n->requested.height()
                                 ? InputEvent::Kind::kMovedBySystem
                                 : InputEvent::Kind::kResizedBySystem);
  e.bounds = now;
  n->requested = now;
  deliverFrom(n, std::move(e));
  return FALSE;
}

void onDragData(GtkWidget* widget, GdkDragContext* context, gint x, gint y, GtkSelectionData* data,
                guint, guint time, gpointer user) {
  auto* n = static_cast<GtkBackend::Native*>(user);
  // Files dragged out of a window and let go over it again are not news to it.
  if (gtk_drag_get_source_widget(context) == widget) {
    gtk_drag_finish(context, FALSE, FALSE, time);
    return;
  }
  // The raw list, not GTK's parsed one: that drops a whole list whose bytes are not UTF-8, and
  // paths are bytes.
  gint length = 0;
  const guchar* raw = gtk_selection_data_get_data_with_length(data, &length);
  InputEvent e = eventFor(n, InputEvent::Kind::kDrop);
  e.point = {x, y};
  if (raw && length > 0)
    e.paths = desktop::UriList::decode({reinterpret_cast<const char*>(raw), static_cast<std::size_t>(length)});
  bool any = !e.paths.empty();
  if (any) deliverFrom(n, std::move(e));
  gtk_drag_finish(context, any, FALSE, time);
}

}  // namespace

struct GtkBackend::Call {
  std::function<void()> work;
  std::mutex mutex;
  std::condition_variable cv;
  bool done = false;

  // Notified under the lock: the waiter owns the call and may destroy it as soon as it sees done.
  void finish() {
    std::lock_guard lock(mutex);
    done = true;
    cv.notify_all();
  }
};

namespace {

gboolean runCall(gpointer data) {
  auto* call = static_cast<GtkBackend::Call*>(data);
  call->work();
  call->finish();
  return G_SOURCE_REMOVE;
}

gboolean runPosted(gpointer data) {
  auto* f = static_cast<std::function<void()>*>(data);
  (*f)();
  delete f;
  return G_SOURCE_REMOVE;
}

}  // namespace

namespace {
void deliverFrom(GtkBackend::Native* n, InputEvent e) { n->backend->forward(std::move(e)); }
}  // namespace

std::unique_ptr<GtkBackend> GtkBackend::create(std::string& error) {
  // GTK keeps process-wide state bound to the thread that started it: one backend per process.
  static std::atomic<bool> running{false};
  if (running.exchange(true)) {
    error = "the GTK user interface is already running in this process";
    return nullptr;
  }
  std::unique_ptr<GtkBackend> backend(new GtkBackend);
  std::promise<std::string> started;
  auto result = started.get_future();
  GtkBackend* self = backend.get();
  backend->thread_ = std::thread([self, &started] {
    gdk_set_allowed_backends("x11,wayland");
    if (!gtk_init_check(nullptr, nullptr)) {
      const char* x11 = g_getenv("DISPLAY");
      const char* wl = g_getenv("WAYLAND_DISPLAY");
      std::string why = "cannot open a display for the GTK user interface (DISPLAY=";
      why += x11 ? x11 : "unset";
      why += ", WAYLAND_DISPLAY=";
      why += wl ? wl : "unset";
      why += ")";
      started.set_value(why);
      return;
    }
    self->x11_ = std::strcmp(G_OBJECT_TYPE_NAME(gdk_display_get_default()), "GdkX11Display") == 0;
    self->desktop_ = std::make_unique<desktop::GtkDesktop>(*self);
    GtkDisplayLoss::watch(gdk_display_get_default(), [self] { self->loseDisplay(); });
    started.set_value("");
    gtk_main();
  });
  error = result.get();
  if (!error.empty()) {
    backend->thread_.join();
    running = false;
    return nullptr;
  }
  return backend;
}

GtkBackend::GtkBackend() = default;

GtkBackend::~GtkBackend() {
  if (!thread_.joinable()) return;
  if (lost_) {
    // GTK's thread waits for the end of the process with a dead connection. Our own objects go
    // (whatever they would ask of GTK on the way fails at once); GTK's widgets stay with it.
    desktop_.reset();
    natives_.clear();
    thread_.detach();
    return;
  }
  desktop_.reset();  // its menus, dialogs and tray icons live on the GTK thread
  runOnGtk([this] {
    for (auto& [h, n] : natives_) gtk_widget_destroy(n->window);
    natives_.clear();
    gtk_main_quit();
  });
  thread_.join();
}

void GtkBackend::runOnGtk(const std::function<void()>& f) const {
  if (onGtkThread()) {
    f();
    return;
  }
  Call call;
  call.work = f;
  {
    std::lock_guard lock(callsMutex_);
    if (lost_) return;
    calls_.push_back(&call);
  }
  g_main_context_invoke(nullptr, runCall, &call);
  {
    std::unique_lock lock(call.mutex);
    call.cv.wait(lock, [&] { return call.done; });
  }
  std::lock_guard lock(callsMutex_);
  std::erase(calls_, &call);
}

void GtkBackend::postToGtk(std::function<void()> f) const {
  if (lost_) return;
  g_main_context_invoke(nullptr, runPosted, new std::function<void()>(std::move(f)));
}

void GtkBackend::loseDisplay() {
  {
    std::lock_guard lock(callsMutex_);
    lost_ = true;
    // Their work will never run; GTK's thread, which holds them, never comes back to them either.
    for (Call* call : calls_) call->finish();
    calls_.clear();
  }
  for (auto& [handle, n] : natives_) deliverFrom(n.get(), eventFor(n.get(), InputEvent::Kind::kSessionEnded));
}

GtkBackend::Native* GtkBackend::native(Handle window) const {
  auto it = natives_.find(window);
  return it == natives_.end() ? nullptr : it->second.get();
}

GtkWidget* GtkBackend::widgetOf(Handle window) const {
  Native* n = native(window);
  return n ? n->window : nullptr;
}

desktop::DesktopServices& GtkBackend::desktop() { return *desktop_; }

bool GtkBackend::createTopLevel(Handle window, const Rect& bounds, const std::string& title) {
  auto frame = std::make_shared<GtkFrame>();
  {
    std::lock_guard lock(framesMutex_);
    frames_[window] = frame;
  }
  bool ok = false;
  runOnGtk([&] {
    auto n = std::make_unique<Native>();
    n->backend = this;
    n->handle = window;
    n->frame = frame;
    n->requested = bounds;
    n->requestedAt = Clock::now();
    GtkWidget* w = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    if (!w) return;
    n->window = w;
    gtk_window_set_decorated(GTK_WINDOW(w), FALSE);
    gtk_window_set_title(GTK_WINDOW(w), title.c_str());
    gtk_widget_set_app_paintable(w, TRUE);
    gtk_widget_set_size_request(w, 1, 1);
    gtk_window_set_default_size(GTK_WINDOW(w), std::max(1, bounds.width()), std::max(1, bounds.height()));
    gtk_window_move(GTK_WINDOW(w), bounds.left, bounds.top);
    gtk_widget_add_events(w, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                 GDK_SCROLL_MASK | GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK |
                                 GDK_LEAVE_NOTIFY_MASK | GDK_FOCUS_CHANGE_MASK | GDK_STRUCTURE_MASK);
    Native* raw = n.get();
    g_signal_connect(w, "draw", G_CALLBACK(onDraw), raw);
    g_signal_connect(w, "button-press-event", G_CALLBACK(onButton), raw);
    g_signal_connect(w, "button-release-event", G_CALLBACK(onButton), raw);
    g_signal_connect(w, "motion-notify-event", G_CALLBACK(onMotion), raw);
    g_signal_connect(w, "scroll-event", G_CALLBACK(onScroll), raw);
    g_signal_connect(w, "leave-notify-event", G_CALLBACK(onLeave), raw);
    g_signal_connect(w, "key-press-event", G_CALLBACK(onKey), raw);
    g_signal_connect(w, "key-release-event", G_CALLBACK(onKey), raw);
    g_signal_connect(w, "focus-in-event", G_CALLBACK(onFocus), raw);
    g_signal_connect(w, "focus-out-event", G_CALLBACK(onFocus), raw);
    g_signal_connect(w, "delete-event", G_CALLBACK(onDelete), raw);
    g_signal_connect(w, "configure-event", G_CALLBACK(onConfigure), raw);
    static GtkTargetEntry uriList = {const_cast<gchar*>("text/uri-list"), 0, 0};
    gtk_drag_dest_set(w, GTK_DEST_DEFAULT_ALL, &uriList, 1, GDK_ACTION_COPY);
    g_signal_connect(w, "drag-data-received", G_CALLBACK(onDragData), raw);
    gtk_widget_realize(w);
    natives_[window] = std::move(n);
    ok = true;
  });
  return ok;
}

void GtkBackend::destroyTopLevel(Handle window) {
  runOnGtk([&] {
    auto it = natives_.find(window);
    if (it == natives_.end()) return;
    gtk_widget_destroy(it->second->window);
    natives_.erase(it);
  });
  std::lock_guard lock(framesMutex_);
  frames_.erase(window);
}

void GtkBackend::showTopLevel(Handle window, bool visible) {
  runOnGtk([&] {
    if (Native* n = native(window)) {
      if (visible) {
        gtk_widget_show(n->window);
        // Placed again once mapped: some window managers choose their own spot for new windows.
        gtk_window_move(GTK_WINDOW(n->window), n->requested.left, n->requested.top);
      } else {
        gtk_widget_hide(n->window);
      }
    }
  });
}

void GtkBackend::setTopLevelBounds(Handle window, const Rect& bounds) {
  runOnGtk([&] {
    if (Native* n = native(window)) {
      n->requested = bounds;
      n->requestedAt = Clock::now();
      gtk_window_move(GTK_WINDOW(n->window), bounds.left, bounds.top);
      gtk_window_resize(GTK_WINDOW(n->window), std::max(1, bounds.width()), std::max(1, bounds.height()));
    }
  });
}

void GtkBackend::setTitle(Handle window, const std::string& title) {
  runOnGtk([&] {
    if (Native* n = native(window)) gtk_window_set_title(GTK_WINDOW(n->window), title.c_str());
  });
}

namespace {

// GDK's own shape call leaves X11 top-level windows unshaped (seen with GTK 3.24 on Xvfb), so on
// X11 the shape goes to the server directly, through the SHAPE extension GDK itself loaded.
bool shapeX11(GtkWidget* widget, const std::optional<Region>& shape) {
  struct XRect {
    short x, y;
    unsigned short width, height;
  };
  using CombineRectangles = void (*)(void*, unsigned long, int, int, int, XRect*, int, int, int);
  using CombineMask = void (*)(void*, unsigned long, int, int, int, unsigned long, int);
  static auto combineRectangles = reinterpret_cast<CombineRectangles>(dlsym(RTLD_DEFAULT, "XShapeCombineRectangles"));
  static auto combineMask = reinterpret_cast<CombineMask>(dlsym(RTLD_DEFAULT, "XShapeCombineMask"));
  GdkWindow* gw = gtk_widget_get_window(widget);
  if (!gw || !combineRectangles || !combineMask) return false;
  void* display = gdk_x11_display_get_xdisplay(gdk_window_get_display(gw));
  unsigned long xid = gdk_x11_window_get_xid(gw);
  constexpr int kShapeBounding = 0, kShapeSet = 0, kUnsorted = 0;
  if (!shape) {
    combineMask(display, xid, kShapeBounding, 0, 0, 0, kShapeSet);  // no mask: the whole window
  } else {
    std::vector<XRect> rects;
    for (const Rect& r : shape->rects())
      rects.push_back({static_cast<short>(r.left), static_cast<short>(r.top),
                       static_cast<unsigned short>(r.width()), static_cast<unsigned short>(r.height())});
    combineRectangles(display, xid, kShapeBounding, 0, 0, rects.data(), static_cast<int>(rects.size()),
                      kShapeSet, kUnsorted);
  }
  gdk_display_flush(gdk_window_get_display(gw));
  return true;
}

}  // namespace

void GtkBackend::setShape(Handle window, const Region* shape) {
  std::optional<Region> copy;
  if (shape) copy = *shape;
  runOnGtk([&] {
    Native* n = native(window);
    if (!n) return;
    if (x11_ && shapeX11(n->window, copy)) return;
    if (!copy) {
      gtk_widget_shape_combine_region(n->window, nullptr);
      return;
    }
    cairo_region_t* region = cairo_region_create();
    for (const Rect& r : copy->rects()) {
      cairo_rectangle_int_t cr{r.left, r.top, r.width(), r.height()};
      cairo_region_union_rectangle(region, &cr);
    }
    gtk_widget_shape_combine_region(n->window, region);
    cairo_region_destroy(region);
  });
}

void GtkBackend::setOpacity(Handle window, int percent) {
  runOnGtk([&] {
    // GTK keeps a widget's opacity as an 8-bit alpha rounded from the fraction; handing it an
    // exact 255th gives the window the alpha a layered window takes, p x 255 / 100 rounded down.
    const int alpha = std::clamp(percent, 0, 100) * 255 / 100;
    if (Native* n = native(window)) gtk_widget_set_opacity(n->window, alpha / 255.0);
  });
}

void GtkBackend::setKeepOnTop(Handle window, bool on) {
  runOnGtk([&] {
    if (Native* n = native(window)) gtk_window_set_keep_above(GTK_WINDOW(n->window), on);
  });
}

void GtkBackend::setState(Handle window, WindowState state) {
  runOnGtk([&] {
    Native* n = native(window);
    if (!n) return;
    GtkWindow* w = GTK_WINDOW(n->window);
    switch (state) {
      case WindowState::kMinimized: gtk_window_iconify(w); break;
      case WindowState::kMaximized: gtk_window_deiconify(w); gtk_window_maximize(w); break;
      case WindowState::kNormal: gtk_window_deiconify(w); gtk_window_unmaximize(w); break;
    }
  });
}

void GtkBackend::activate(Handle window) {
  runOnGtk([&] {
    if (Native* n = native(window)) gtk_window_present(GTK_WINDOW(n->window));
  });
}

void GtkBackend::setCursor(Handle window, Cursor cursor) {
  runOnGtk([&] {
    Native* n = native(window);
    GdkWindow* gw = n ? gtk_widget_get_window(n->window) : nullptr;
    if (!gw) return;
    const char* name = "default";
    switch (cursor) {
      case Cursor::kArrow: name = "default"; break;
      case Cursor::kHand: name = "pointer"; break;
      case Cursor::kText: name = "text"; break;
      case Cursor::kWait: name = "wait"; break;
      case Cursor::kSizeAll: name = "move"; break;
      case Cursor::kSizeWestEast: name = "ew-resize"; break;
      case Cursor::kSizeNorthSouth: name = "ns-resize"; break;
      case Cursor::kSizeNorthWestSouthEast: name = "nwse-resize"; break;
      case Cursor::kSizeNorthEastSouthWest: name = "nesw-resize"; break;
    }
    GdkCursor* c = gdk_cursor_new_from_name(gdk_window_get_display(gw), name);
    gdk_window_set_cursor(gw, c);
    if (c) g_object_unref(c);
  });
}

void GtkBackend::present(Handle window, const Image& image, const Rect& dirty) {
  std::shared_ptr<GtkFrame> frame;
  {
    std::lock_guard lock(framesMutex_);
    auto it = frames_.find(window);
    if (it == frames_.end()) return;
    frame = it->second;
  }
  {
    std::lock_guard lock(frame->mutex);
    if (frame->image.width() != image.width() || frame->image.height() != image.height()) {
      frame->image = image;
    } else {
      Canvas c(frame->image);
      c.drawImage(image, dirty, {dirty.left, dirty.top});
    }
  }
  postToGtk([this, window, dirty] {
    if (Native* n = native(window))
      gtk_widget_queue_draw_area(n->window, dirty.left, dirty.top, dirty.width(), dirty.height());
  });
}

void GtkBackend::beginMoveDrag(Handle window, int button, Point screen, std::uint32_t timeMs) {
  runOnGtk([&] {
    if (Native* n = native(window))
      gtk_window_begin_move_drag(GTK_WINDOW(n->window), button == 1 ? 3 : button == 2 ? 2 : 1,
                                 screen.x, screen.y, timeMs);
  });
}

std::vector<Monitor> GtkBackend::monitors() const {
  std::vector<Monitor> list;
  runOnGtk([&] {
    GdkDisplay* display = gdk_display_get_default();
    int count = gdk_display_get_n_monitors(display);
    GdkMonitor* primary = gdk_display_get_primary_monitor(display);
    for (int i = 0; i < count; ++i) {
      GdkMonitor* m = gdk_display_get_monitor(display, i);
      GdkRectangle g, w;
      gdk_monitor_get_geometry(m, &g);
      gdk_monitor_get_workarea(m, &w);
      list.push_back({Rect::fromSize(g.x, g.y, g.width, g.height), Rect::fromSize(w.x, w.y, w.width, w.height),
                      m == primary});
    }
    if (!primary && !list.empty()) list.front().primary = true;
  });
  return list;
}

}  // namespace platform::ui
