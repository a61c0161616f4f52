#include "platform/ui/desktop/GtkMenuBuilder.h"

#include <gtk/gtk.h>

#include <string>
#include <vector>

namespace platform::ui::desktop {

namespace {

constexpr const char* kCommandKey = "sonvia-command";

void setLabel(GtkWidget* item, const std::string& text) {
  std::string label = mnemonicLabel(text);
  const char* shown = gtk_menu_item_get_label(GTK_MENU_ITEM(item));
  if (!shown || label != shown) gtk_menu_item_set_label(GTK_MENU_ITEM(item), label.c_str());
}

std::vector<GtkWidget*> childrenOf(GtkWidget* menu) {
  std::vector<GtkWidget*> out;
  GList* children = gtk_container_get_children(GTK_CONTAINER(menu));
  for (GList* c = children; c; c = c->next) out.push_back(GTK_WIDGET(c->data));
  g_list_free(children);
  return out;
}

}  // namespace

int GtkMenuBuilder::commandOf(GtkMenuItem* item) {
  return GPOINTER_TO_INT(g_object_get_data(G_OBJECT(item), kCommandKey));
}

GtkWidget* GtkMenuBuilder::makeEntry(const MenuEntry& e) const {
  GtkWidget* item = nullptr;
  std::string label = mnemonicLabel(e.text);
  switch (widgetFor(e)) {
    case EntryWidget::kSeparator:
      item = gtk_separator_menu_item_new();
      break;
    case EntryWidget::kSubMenu:
      item = gtk_menu_item_new_with_mnemonic(label.c_str());
      gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), build(e.children));
      break;
    case EntryWidget::kMarked:
      item = gtk_check_menu_item_new_with_mnemonic(label.c_str());
      gtk_check_menu_item_set_draw_as_radio(GTK_CHECK_MENU_ITEM(item), e.radio);
      gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), e.checked);
      break;
    case EntryWidget::kPlain:
      item = gtk_menu_item_new_with_mnemonic(label.c_str());
      break;
  }
  if (e.kind == MenuEntry::Kind::kItem) {
    g_object_set_data(G_OBJECT(item), kCommandKey, GINT_TO_POINTER(e.command));
    g_signal_connect(item, "activate", G_CALLBACK(activated_), data_);
  }
  gtk_widget_set_sensitive(item, e.enabled);
  gtk_widget_show(item);
  return item;
}

GtkWidget* GtkMenuBuilder::build(const MenuModel& model) const {
  GtkWidget* menu = gtk_menu_new();
  for (const MenuEntry& e : model) gtk_menu_shell_append(GTK_MENU_SHELL(menu), makeEntry(e));
  return menu;
}

void GtkMenuBuilder::update(GtkWidget* item, const MenuEntry& built, const MenuEntry& wanted) const {
  if (wanted.kind == MenuEntry::Kind::kSeparator) return;
  setLabel(item, wanted.text);
  gtk_widget_set_sensitive(item, wanted.enabled);
  if (wanted.kind == MenuEntry::Kind::kSubMenu) {
    reshape(gtk_menu_item_get_submenu(GTK_MENU_ITEM(item)), built.children, wanted.children);
    return;
  }
  g_object_set_data(G_OBJECT(item), kCommandKey, GINT_TO_POINTER(wanted.command));
  if (GTK_IS_CHECK_MENU_ITEM(item)) {
    gtk_check_menu_item_set_draw_as_radio(GTK_CHECK_MENU_ITEM(item), wanted.radio);
    gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), wanted.checked);
  }
}

void GtkMenuBuilder::reshape(GtkWidget* menu, const MenuModel& built, const MenuModel& wanted) const {
  std::vector<GtkWidget*> items = childrenOf(menu);
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    if (i < items.size() && i < built.size() && widgetFor(built[i]) == widgetFor(wanted[i])) {
      update(items[i], built[i], wanted[i]);
      continue;
    }
    gtk_menu_shell_insert(GTK_MENU_SHELL(menu), makeEntry(wanted[i]), static_cast<gint>(i));
    if (i < items.size()) gtk_widget_destroy(items[i]);
  }
  for (std::size_t i = wanted.size(); i < items.size(); ++i) gtk_widget_destroy(items[i]);
}

}  // namespace platform::ui::desktop
