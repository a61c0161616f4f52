#include "platform/ui/desktop/GtkTrayIcon.h"

#include <gtk/gtk.h>

#include "platform/ui/GtkBackend.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/tray/StatusNotifierItem.h"

namespace platform::ui::desktop {

// Everything here is touched on GTK's thread only, except `available`.
struct GtkTrayIcon::Side {
  WindowSystem* ws = nullptr;
  Handle owner = kNoWindow;
  bool x11 = false;
  std::unique_ptr<tray::StatusNotifierItem> item;
  GtkStatusIcon* xembed = nullptr;
  Image icon;
  std::string title;
  std::string toolTip;
  std::atomic<bool> available{false};
  bool told = false;  // whether the owner has heard an availability yet

  void post(std::uint32_t code, WParam wp, LParam lp) { ws->post(owner, code, wp, lp); }
  void update();
  void startXEmbed();
  void stopXEmbed();
  void applyToXEmbed();
};

namespace {

G_GNUC_BEGIN_IGNORE_DEPRECATIONS  // GtkStatusIcon is the XEmbed icon; nothing newer speaks XEmbed

Point pointerPosition() {
  GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
  int x = 0, y = 0;
  gdk_device_get_position(gdk_seat_get_pointer(seat), nullptr, &x, &y);
  return {x, y};
}

void onXEmbedActivate(GtkStatusIcon*, gpointer data) {
  static_cast<GtkTrayIcon::Side*>(data)->post(msg::kTrayNotify, static_cast<WParam>(packPoint(pointerPosition())),
                                              msg::kLButtonDown);
}

void onXEmbedPopup(GtkStatusIcon*, guint, guint, gpointer data) {
  static_cast<GtkTrayIcon::Side*>(data)->post(msg::kTrayNotify, static_cast<WParam>(packPoint(pointerPosition())),
                                              msg::kRButtonDown);
}

void onXEmbedEmbedded(GObject*, GParamSpec*, gpointer data) { static_cast<GtkTrayIcon::Side*>(data)->update(); }

GdkPixbuf* pixbufOf(const Image& icon) {
  if (!icon.valid()) return nullptr;
  return gdk_pixbuf_get_from_surface(static_cast<cairo_surface_t*>(icon.nativeSurface()), 0, 0, icon.width(),
                                     icon.height());
}

}  // namespace

void GtkTrayIcon::Side::startXEmbed() {
  if (xembed || !x11) return;
  xembed = gtk_status_icon_new();
  g_signal_connect(xembed, "activate", G_CALLBACK(onXEmbedActivate), this);
  g_signal_connect(xembed, "popup-menu", G_CALLBACK(onXEmbedPopup), this);
  g_signal_connect(xembed, "notify::embedded", G_CALLBACK(onXEmbedEmbedded), this);
  applyToXEmbed();
  gtk_status_icon_set_visible(xembed, TRUE);
}

void GtkTrayIcon::Side::stopXEmbed() {
  if (!xembed) return;
  g_signal_handlers_disconnect_by_data(xembed, this);
  gtk_status_icon_set_visible(xembed, FALSE);
  g_object_unref(xembed);
  xembed = nullptr;
}

void GtkTrayIcon::Side::applyToXEmbed() {
  if (!xembed) return;
  if (GdkPixbuf* pixbuf = pixbufOf(icon)) {
    gtk_status_icon_set_from_pixbuf(xembed, pixbuf);
    g_object_unref(pixbuf);
  } else {
    gtk_status_icon_set_from_icon_name(xembed, "audio-x-generic");
  }
  gtk_status_icon_set_title(xembed, title.c_str());
  gtk_status_icon_set_tooltip_text(xembed, toolTip.c_str());
}

// Called whenever the StatusNotifierItem or the XEmbed icon learns something: the XEmbed icon is
// kept only while no panel takes the item, so that an icon never shows twice.
void GtkTrayIcon::Side::update() {
  bool itemShown = item && item->shown();
  if (itemShown) stopXEmbed();
  else startXEmbed();
  bool now = itemShown || (xembed && gtk_status_icon_is_embedded(xembed));
  bool before = available.exchange(now);
  if (told && before == now) return;
  told = true;
  post(msg::kTrayHostChanged, now ? 1 : 0, 0);
}

G_GNUC_END_IGNORE_DEPRECATIONS

GtkTrayIcon::GtkTrayIcon(GtkBackend& backend, WindowSystem& ws, Handle owner)
    : backend_(backend), side_(std::make_shared<Side>()) {
  side_->ws = &ws;
  side_->owner = owner;
  backend_.runOnGtk([side = side_.get(), &backend] {
    side->x11 = backend.clientMovesWindows();
    side->item = std::make_unique<tray::StatusNotifierItem>(
        [side](std::uint32_t code, WParam wp, LParam lp) { side->post(code, wp, lp); }, [side] { side->update(); });
    // No session bus: the XEmbed icon is all there can be, and nothing else will call update.
    if (!side->item->connected()) side->update();
  });
}

GtkTrayIcon::~GtkTrayIcon() {
  backend_.runOnGtk([side = side_] {
    side->item.reset();
    side->stopXEmbed();
  });
}

void GtkTrayIcon::setIcon(const Image& icon) {
  backend_.runOnGtk([&, side = side_.get()] {
    side->icon = icon;
    side->item->setIcon(icon);
    side->applyToXEmbed();
  });
}

void GtkTrayIcon::setTitle(const std::string& title) {
  backend_.runOnGtk([&, side = side_.get()] {
    side->title = title;
    side->item->setTitle(title);
    side->applyToXEmbed();
  });
}

void GtkTrayIcon::setToolTip(const std::string& text) {
  backend_.runOnGtk([&, side = side_.get()] {
    side->toolTip = text;
    side->item->setToolTip(text);
    side->applyToXEmbed();
  });
}

void GtkTrayIcon::setMenu(const MenuModel& menu) {
  backend_.runOnGtk([&, side = side_.get()] { side->item->setMenu(menu); });
}

bool GtkTrayIcon::available() const { return side_->available.load(); }

}  // namespace platform::ui::desktop
