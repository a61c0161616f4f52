#pragma once

namespace platform::ui::desktop {

// The check and radio marks of our menus under GTK's own theme (Adwaita). That theme draws a
// checked mark from an SVG that GTK renders anew (through librsvg) every time it works out the
// style of a marked item, several times per item and opening: most of the time a new menu with
// a few marks takes to open. The theme ships the same marks pre-rendered; pointing our menus at
// those keeps the look and drops the cost. Other themes are left as they are.
class GtkMenuMarks {
 public:
  // GTK thread, once; follows later changes of the theme.
  static void install();
};

}  // namespace platform::ui::desktop
