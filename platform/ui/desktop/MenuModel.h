#pragma once
#include <string>
#include <vector>

namespace platform::ui::desktop {

// One entry of a popup menu as the desktop shows it. The toolkit's menus describe themselves
// in this plain form; the desktop draws it with its own look.
struct MenuEntry {
  enum class Kind { kItem, kSeparator, kSubMenu };
  Kind kind = Kind::kItem;
  // UTF-8; "&x" marks x as the access key and "&&" is a plain "&", as in the toolkit's texts.
  std::string text;
  int command = -1;       // what kCommand carries when the item is chosen
  bool checked = false;   // the mark is shown
  bool radio = false;     // the mark is a radio dot (one of a group), not a check mark
  bool enabled = true;
  std::vector<MenuEntry> children;  // kSubMenu only

  static MenuEntry item(std::string text, int command, bool checked = false) {
    MenuEntry e;
    e.text = std::move(text);
    e.command = command;
    e.checked = checked;
    return e;
  }
  static MenuEntry radioItem(std::string text, int command, bool checked) {
    MenuEntry e = item(std::move(text), command, checked);
    e.radio = true;
    return e;
  }
  static MenuEntry separator() {
    MenuEntry e;
    e.kind = Kind::kSeparator;
    return e;
  }
  static MenuEntry subMenu(std::string title, std::vector<MenuEntry> children) {
    MenuEntry e;
    e.kind = Kind::kSubMenu;
    e.text = std::move(title);
    e.children = std::move(children);
    return e;
  }
  friend bool operator==(const MenuEntry&, const MenuEntry&) = default;
};

using MenuModel = std::vector<MenuEntry>;

// The toolkit's "&" access-key marks in the "_" form that GTK and the desktop's menu protocol
// use: "&x" becomes "_x", "&&" a plain "&", and a literal "_" is doubled.
std::string mnemonicLabel(const std::string& text);

// Whether a user could choose `command` in the menu: an enabled item that holds it, reached
// through enabled sub-menus only.
bool canChoose(const MenuModel& menu, int command);

// Whether two menus have the same entries in the same places (kinds, sub-menus, which items carry
// a mark and of which kind), so that one can be shown by changing the other's texts, marks and
// enabled states.
bool sameShape(const MenuModel& a, const MenuModel& b);

// What kind of desktop widget an entry needs: entries of one kind can take each other's place by
// changing texts, marks and states only.
enum class EntryWidget { kSeparator, kPlain, kMarked, kSubMenu };
EntryWidget widgetFor(const MenuEntry& e);

// How many entries (counting those inside sub-menus) have to be made anew when a menu built for
// `built` is brought to `wanted` place by place: an entry is kept where the widget at its place
// is of its kind, and a sub-menu kept in place is brought along the same way.
int entriesToBuild(const MenuModel& built, const MenuModel& wanted);

}  // namespace platform::ui::desktop
