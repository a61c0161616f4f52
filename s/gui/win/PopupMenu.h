#pragma once
#include <vector>

#include "platform/ui/Message.h"
#include "platform/ui/desktop/DesktopServices.h"
#include "s/gui/IPopupMenu.h"
#include "s/gui/events/ListenerList.h"
#include "s/thread/IPoolable.h"

namespace platform::ui {
class WindowSystem;
}

namespace s::gui::win {

// A menu shown by the desktop with its own look (not the skin's). It keeps its entries as our
// own objects and describes itself to the desktop as a menu model each time it opens, so that
// texts, marks and enabled states are always those of the moment.
//
// Threads: used on the thread of the window that owns it.
class PopupMenu final : public IPopupMenu, public thread::IPoolable {
 public:
  static PopupMenu* create();
  PopupMenu();
  ~PopupMenu() override;
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  const char16_t* typeName() const override { return u"s_gui_win_PopupMenu"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  // ---- IPopupMenu
  void onEvent(base::IObject* source, int code) override;
  void addItem(menuitem::MenuItem* item) override;
  void insertItem(int position, menuitem::MenuItem* item) override;
  void removeAll() override;
  void removeAt(int position) override;
  void removeById(int id) override;
  void removeByValue(std::int64_t value) override;
  menuitem::MenuItem* findItem(int id) const override;
  bool hasItem(int id) const override;
  bool indexOfId(int id, int& index) const override;
  bool indexOfValue(std::int64_t value, int& index) const override;
  void setSubMenuEnabled(IPopupMenu* subMenu, bool on) override;
  void setItemEnabled(int id, bool on) override;
  void addSubMenu(IPopupMenu* menu) override;
  void setLocalizer(lang::Localizer* localizer) override;
  bool isChecked(int id) const override;
  void setChecked(int id, bool on) override;
  void setItemText(int id, const std::u16string& text) override;
  void setItemTextId(int id, std::int32_t textId) override;
  void refreshTexts() override;
  std::u16string getTitle() const override;
  std::int32_t getTitleId() const override { return titleId_; }
  void setTitleId(std::int32_t id) override { titleId_ = id; }
  void setTitle(const std::u16string& text) override { title_ = text; }
  void checkRadio(int checkPosition, int firstPosition, int lastPosition) override;
  void checkRadioAt(int position) override;
  void checkRadioById(int id) override;
  void checkRadioByValue(std::int64_t value) override;
  int getChosenId() const override { return chosen_; }
  void addListener(events::IEventListener* l) override { listeners_.add(l); }
  void removeListener(events::IEventListener* l) override { listeners_.remove(l); }
  void choose(int id) override;
  bool showAbove(int x, int y, IComponent& owner) override;
  bool showBelow(int x, int y, IComponent& owner) override;
  int getEntryCount() const override { return static_cast<int>(entries_.size()); }

  // The entry at a position: an item, or else a sub-menu.
  menuitem::MenuItem* itemAt(int position) const;
  PopupMenu* subMenuAt(int position) const;
  bool isItemEnabled(int id) const;
  // The menu as the desktop shows it.
  platform::ui::desktop::MenuModel toModel() const;
  // Opens the menu for a top-level window, which receives the command.
  bool show(platform::ui::WindowSystem& ws, platform::ui::Handle top, platform::ui::Point screen,
            platform::ui::desktop::MenuEdge edge) const;

 private:
  struct Entry {
    menuitem::MenuItem* item = nullptr;
    PopupMenu* subMenu = nullptr;
    bool enabled = true;
  };
  void insertEntry(int position, Entry e);
  void giveBack(Entry& e);
  // The menu (this one or a sub-menu, depth-first) whose own items hold the id, and its position.
  const PopupMenu* holderOf(int id, int& position) const;
  PopupMenu* holderOf(int id, int& position);
  bool showFor(int x, int y, IComponent& owner, platform::ui::desktop::MenuEdge edge) const;

  std::vector<Entry> entries_;
  lang::Localizer* localizer_ = nullptr;
  std::u16string title_;
  std::int32_t titleId_ = -1;
  int chosen_ = -1;
  events::ListenerList listeners_;
};

}  // namespace s::gui::win
