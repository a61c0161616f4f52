#include "platform/ui/desktop/GtkMenus.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/ui/GtkBackend.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/desktop/GtkMenuBuilder.h"
#include "platform/ui/desktop/GtkMenuMarks.h"

namespace platform::ui::desktop {

namespace {

// One built GtkMenu and what it is showing; freed with the GtkMenu.
struct Popup {
  std::shared_ptr<GtkMenus::State> state;
  MenuModel model;
  WindowSystem* ws = nullptr;
  Handle owner = kNoWindow;
  std::optional<int> chosen;
  bool silent = false;  // the popup failed and was reported as such
  bool ended = false;
};

constexpr const char* kPopupKey = "sonvia-popup";
// Building a menu's widgets costs far more than showing them (styles, text layout), and a
// program opens the same few menus again and again: the last few stay built.
constexpr std::size_t kKeptMenus = 4;

Popup* popupOf(GtkWidget* menu) { return static_cast<Popup*>(g_object_get_data(G_OBJECT(menu), kPopupKey)); }

}  // namespace

// GTK thread only, except `shown`. Every menu listed here is held by one reference of ours.
struct GtkMenus::State {
  std::atomic<bool> shown{false};  // the open menu has been drawn on the screen
  GtkWidget* current = nullptr;
  std::vector<GtkWidget*> kept;    // built, not on the screen; least recently used first
  bool closing = false;            // the services are going away

  void discard(GtkWidget* menu) {
    gtk_widget_destroy(menu);
    g_object_unref(menu);
  }
  void keep(GtkWidget* menu) {
    kept.push_back(menu);
    if (kept.size() > kKeptMenus) {
      discard(kept.front());
      kept.erase(kept.begin());
    }
  }
};

namespace {

void onActivate(GtkMenuItem* item, void* data) {
  static_cast<Popup*>(data)->chosen = GtkMenuBuilder::commandOf(item);
}

// The menu is done: GTK deactivates a menu before it activates the chosen item, so the choice is
// known only once the signal emissions are over, here in an idle call.
gboolean finishPopup(gpointer data) {
  auto* menu = static_cast<GtkWidget*>(data);
  Popup* popup = popupOf(menu);
  GtkMenus::State& state = *popup->state;
  if (!popup->silent && !state.closing) {
    if (popup->chosen) popup->ws->post(popup->owner, msg::kCommand, static_cast<WParam>(*popup->chosen));
    popup->ws->post(popup->owner, msg::kMenuClosed);
  }
  if (state.current == menu) {  // else another menu has taken its place meanwhile
    state.current = nullptr;
    state.shown = false;
  }
  if (state.closing) state.discard(menu);
  else state.keep(menu);
  g_object_unref(menu);
  return G_SOURCE_REMOVE;
}

void onDeactivate(GtkMenuShell* shell, gpointer data) {
  auto* popup = static_cast<Popup*>(data);
  if (popup->ended) return;
  popup->ended = true;
  g_idle_add(finishPopup, g_object_ref(shell));
}

gboolean onDraw(GtkWidget*, cairo_t*, gpointer data) {
  static_cast<Popup*>(data)->state->shown = true;
  return FALSE;
}

// A new menu for `model`, with its own record of what it shows.
GtkWidget* newMenu(const std::shared_ptr<GtkMenus::State>& shared, const MenuModel& model) {
  auto* popup = new Popup;
  popup->state = shared;
  popup->model = model;
  GtkWidget* menu = GtkMenuBuilder(onActivate, popup).build(model);
  g_object_ref_sink(menu);
  g_object_set_data_full(G_OBJECT(menu), kPopupKey, popup, [](gpointer p) { delete static_cast<Popup*>(p); });
  g_signal_connect(menu, "deactivate", G_CALLBACK(onDeactivate), popup);
  g_signal_connect(menu, "draw", G_CALLBACK(onDraw), popup);
  return menu;
}

// The kept menu that takes least building to show `model`: one of the same shape if any.
std::vector<GtkWidget*>::iterator closestKept(GtkMenus::State& state, const MenuModel& model, int& toBuild) {
  auto best = state.kept.end();
  toBuild = 0;
  for (auto it = state.kept.begin(); it != state.kept.end(); ++it) {
    const MenuModel& built = popupOf(*it)->model;
    int n = sameShape(built, model) ? -1 : entriesToBuild(built, model);
    if (best == state.kept.end() || n <= toBuild) {  // ties go to the most recently used
      best = it;
      toBuild = n;
    }
  }
  return best;
}

// A menu for `model`: a kept one brought up to date where that builds at most half of it (a
// menu of another shape, such as one whose sub-menu moved, mostly is), else a new one.
GtkWidget* menuFor(GtkMenus::State& state, const std::shared_ptr<GtkMenus::State>& shared, const MenuModel& model) {
  int toBuild = 0;
  auto kept = closestKept(state, model, toBuild);
  if (kept == state.kept.end() || toBuild * 2 > static_cast<int>(model.size())) return newMenu(shared, model);
  GtkWidget* menu = *kept;
  state.kept.erase(kept);
  Popup* popup = popupOf(menu);
  GtkMenuBuilder(onActivate, popup).reshape(menu, popup->model, model);
  popup->model = model;
  return menu;
}

}  // namespace

GtkMenus::GtkMenus(GtkBackend& backend) : backend_(backend), state_(std::make_shared<State>()) {
  backend_.runOnGtk([] { GtkMenuMarks::install(); });
}

GtkMenus::~GtkMenus() {
  backend_.runOnGtk([state = state_] {
    state->closing = true;
    if (state->current) gtk_menu_shell_deactivate(GTK_MENU_SHELL(state->current));
    for (GtkWidget* m : state->kept) state->discard(m);
    state->kept.clear();
  });
}

bool GtkMenus::open() const { return state_->shown.load(); }

void GtkMenus::prepare(const MenuModel& menu) {
  backend_.postToGtk([state = state_, menu] {
    if (state->closing) return;
    for (auto it = state->kept.begin(); it != state->kept.end(); ++it) {
      if (!sameShape(popupOf(*it)->model, menu)) continue;
      GtkWidget* ready = *it;  // already there: only moves to the most recently used place
      state->kept.erase(it);
      state->keep(ready);
      return;
    }
    GtkWidget* built = newMenu(state, menu);
    // Asking for its size makes GTK work out every item's style now, which is most of the cost of
    // a menu's first opening.
    GtkRequisition size;
    gtk_widget_get_preferred_size(built, &size, nullptr);
    state->keep(built);
  });
}

bool GtkMenus::show(WindowSystem& ws, Handle owner, const MenuModel& menu, Point screen, MenuEdge edge) {
  if (!ws.exists(owner)) return false;
  bool ok = false;
  backend_.runOnGtk([&] {
    if (state_->current) gtk_menu_shell_deactivate(GTK_MENU_SHELL(state_->current));
    state_->shown = false;
    GtkWidget* gtkMenu = menuFor(*state_, state_, menu);
    Popup* popup = popupOf(gtkMenu);
    popup->ws = &ws;
    popup->owner = owner;
    popup->chosen.reset();
    popup->silent = false;
    popup->ended = false;
    state_->current = gtkMenu;

    // Anchored to the owner while it is on the screen (a Wayland popup needs its parent); a
    // hidden owner, such as a window iconized to the tray, lends the root window instead.
    GtkWidget* ownerWidget = backend_.widgetOf(owner);
    GdkWindow* anchor = ownerWidget && gtk_widget_get_mapped(ownerWidget) ? gtk_widget_get_window(ownerWidget) : nullptr;
    GdkRectangle rect{screen.x, screen.y, 1, 1};
    if (anchor) {
      int ox = 0, oy = 0;
      gdk_window_get_origin(anchor, &ox, &oy);
      rect.x -= ox;
      rect.y -= oy;
    } else {
      anchor = gdk_screen_get_root_window(gdk_screen_get_default());
    }
    // Menus are opened from our own message loop, not inside a GDK event handler, so the grab
    // that a menu needs is made for the seat's pointer with an event of our own.
    GdkEvent* trigger = gdk_event_new(GDK_BUTTON_PRESS);
    trigger->button.window = GDK_WINDOW(g_object_ref(anchor));
    trigger->button.send_event = TRUE;
    trigger->button.time = GDK_CURRENT_TIME;
    GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(anchor));
    gdk_event_set_device(trigger, gdk_seat_get_pointer(seat));
    gtk_menu_popup_at_rect(GTK_MENU(gtkMenu), anchor, &rect, GDK_GRAVITY_NORTH_WEST,
                           edge == MenuEdge::kTop ? GDK_GRAVITY_NORTH_WEST : GDK_GRAVITY_SOUTH_WEST, trigger);
    gdk_event_free(trigger);
    ok = gtk_widget_get_visible(gtkMenu);
    if (!ok) {
      popup->silent = true;  // no grab: GTK has already given the menu up
      if (!popup->ended) onDeactivate(GTK_MENU_SHELL(gtkMenu), popup);
    }
  });
  return ok;
}

}  // namespace platform::ui::desktop
