#include "platform/ui/desktop/GtkMenuMarks.h"

#include <gtk/gtk.h>

#include <cstring>

namespace platform::ui::desktop {

namespace {

constexpr const char* kMarks =
    "menu menuitem check:checked { -gtk-icon-source: -gtk-recolor(url("
    "\"resource:///org/gtk/libgtk/theme/Adwaita/assets/check-symbolic.symbolic.png\")); }\n"
    "menu menuitem radio:checked { -gtk-icon-source: -gtk-recolor(url("
    "\"resource:///org/gtk/libgtk/theme/Adwaita/assets/bullet-symbolic.symbolic.png\")); }\n";

GtkCssProvider* provider = nullptr;
bool applied = false;

bool themeIsAdwaita(GtkSettings* settings) {
  // GTK_THEME outranks the setting ("Name" or "Name:variant").
  if (const char* forced = g_getenv("GTK_THEME"); forced && *forced) return std::strncmp(forced, "Adwaita", 7) == 0;
  gchar* name = nullptr;
  g_object_get(settings, "gtk-theme-name", &name, nullptr);
  // Unset means GTK's default, which is Adwaita; "Adwaita-dark" uses the same marks.
  bool adwaita = !name || !*name || std::strncmp(name, "Adwaita", 7) == 0;
  g_free(name);
  return adwaita;
}

void follow(GtkSettings* settings) {
  GdkScreen* screen = gdk_screen_get_default();
  bool wanted = themeIsAdwaita(settings);
  if (!screen || wanted == applied) return;
  if (wanted) gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                                        GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  else gtk_style_context_remove_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider));
  applied = wanted;
}

void onThemeChanged(GtkSettings* settings, GParamSpec*, gpointer) { follow(settings); }

}  // namespace

void GtkMenuMarks::install() {
  GtkSettings* settings = gtk_settings_get_default();
  if (provider || !settings) return;
  provider = gtk_css_provider_new();
  if (!gtk_css_provider_load_from_data(provider, kMarks, -1, nullptr)) return;
  follow(settings);
  g_signal_connect(settings, "notify::gtk-theme-name", G_CALLBACK(onThemeChanged), nullptr);
}

}  // namespace platform::ui::desktop
