#pragma once
#include "platform/ui/desktop/MenuModel.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _GtkMenuItem GtkMenuItem;

namespace platform::ui::desktop {

// Makes GtkMenus from menu models, and brings a built menu to another model. Opening a menu whose
// widgets are new is what costs: GTK works out every new item's style when it is first shown,
// loading the theme's mark and arrow images again for each. So a built menu is changed in place,
// and only the entries whose place now needs another kind of widget are made anew.
//
// GTK thread only.
class GtkMenuBuilder {
 public:
  using Activated = void (*)(GtkMenuItem* item, void* data);
  // Every item made reports its activation to `activated` with `data`.
  GtkMenuBuilder(Activated activated, void* data) : activated_(activated), data_(data) {}

  // A new menu, floating, for `model`.
  GtkWidget* build(const MenuModel& model) const;
  // Brings `menu`, built for `built`, to `wanted`: texts, marks, enabled states and commands.
  // Setting a mark activates the item, so the caller forgets any choice afterwards.
  void reshape(GtkWidget* menu, const MenuModel& built, const MenuModel& wanted) const;
  // The command of an item made here.
  static int commandOf(GtkMenuItem* item);

 private:
  GtkWidget* makeEntry(const MenuEntry& e) const;
  void update(GtkWidget* item, const MenuEntry& built, const MenuEntry& wanted) const;

  Activated activated_;
  void* data_;
};

}  // namespace platform::ui::desktop
