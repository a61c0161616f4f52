#include "platform/ui/desktop/MenuModel.h"

namespace platform::ui::desktop {

std::string mnemonicLabel(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '_') {
      out += "__";
    } else if (c == '&' && i + 1 < text.size()) {
      ++i;
      if (text[i] == '&') out += '&';
      else if (text[i] == '_') out += "__";  // an access key on "_" has no "_" form; keep the text
      else out += '_', out += text[i];
    } else {
      out += c;
    }
  }
  return out;
}

bool canChoose(const MenuModel& menu, int command) {
  for (const MenuEntry& e : menu) {
    if (!e.enabled) continue;
    if (e.kind == MenuEntry::Kind::kItem && e.command == command) return true;
    if (e.kind == MenuEntry::Kind::kSubMenu && canChoose(e.children, command)) return true;
  }
  return false;
}

bool sameShape(const MenuModel& a, const MenuModel& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].kind != b[i].kind || a[i].radio != b[i].radio) return false;
    if ((a[i].checked || a[i].radio) != (b[i].checked || b[i].radio)) return false;
    if (!sameShape(a[i].children, b[i].children)) return false;
  }
  return true;
}

EntryWidget widgetFor(const MenuEntry& e) {
  switch (e.kind) {
    case MenuEntry::Kind::kSeparator: return EntryWidget::kSeparator;
    case MenuEntry::Kind::kSubMenu: return EntryWidget::kSubMenu;
    case MenuEntry::Kind::kItem: break;
  }
  return e.checked || e.radio ? EntryWidget::kMarked : EntryWidget::kPlain;
}

namespace {
int entriesIn(const MenuModel& menu) {
  int n = 0;
  for (const MenuEntry& e : menu) n += 1 + entriesIn(e.children);
  return n;
}
}  // namespace

int entriesToBuild(const MenuModel& built, const MenuModel& wanted) {
  int n = 0;
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    const MenuEntry& e = wanted[i];
    if (i >= built.size() || widgetFor(built[i]) != widgetFor(e)) n += 1 + entriesIn(e.children);
    else n += entriesToBuild(built[i].children, e.children);
  }
  return n;
}

}  // namespace platform::ui::desktop
