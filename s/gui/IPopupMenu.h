#pragma once
#include <cstdint>
#include <string>

#include "s/base/IObject.h"
#include "s/gui/events/IEventListener.h"

namespace s::lang {
class Localizer;
}

namespace s::gui {

class IComponent;
namespace menuitem {
class MenuItem;
}

// A context, tray or sub-menu: items and sub-menus in menu order, texts that follow the language
// table, check and radio marks, and the chosen command reported to its listeners as event 0.
// Positions count every entry (items and sub-menus) in menu order. The menu owns what is added
// to it and gives it back to its pool when it is removed.
class IPopupMenu : public base::IObject, public events::IEventListener {
 public:
  static constexpr int kChosen = 0;

  virtual void addItem(menuitem::MenuItem* item) = 0;
  virtual void insertItem(int position, menuitem::MenuItem* item) = 0;
  virtual void removeAll() = 0;
  virtual void removeAt(int position) = 0;
  virtual void removeById(int id) = 0;
  virtual void removeByValue(std::int64_t value) = 0;
  // This menu only.
  virtual menuitem::MenuItem* findItem(int id) const = 0;
  // This menu or any sub-menu, depth-first.
  virtual bool hasItem(int id) const = 0;
  virtual bool indexOfId(int id, int& index) const = 0;
  virtual bool indexOfValue(std::int64_t value, int& index) const = 0;
  virtual void setSubMenuEnabled(IPopupMenu* subMenu, bool on) = 0;
  virtual void setItemEnabled(int id, bool on) = 0;
  virtual void addSubMenu(IPopupMenu* menu) = 0;
  virtual void setLocalizer(lang::Localizer* localizer) = 0;
  virtual bool isChecked(int id) const = 0;
  virtual void setChecked(int id, bool on) = 0;
  virtual void setItemText(int id, const std::u16string& text) = 0;
  virtual void setItemTextId(int id, std::int32_t textId) = 0;
  virtual void refreshTexts() = 0;
  virtual std::u16string getTitle() const = 0;
  virtual std::int32_t getTitleId() const = 0;
  virtual void setTitleId(std::int32_t id) = 0;
  virtual void setTitle(const std::u16string& text) = 0;
  virtual void checkRadio(int checkPosition, int firstPosition, int lastPosition) = 0;
  // A negative position clears every radio mark.
  virtual void checkRadioAt(int position) = 0;
  virtual void checkRadioById(int id) = 0;
  virtual void checkRadioByValue(std::int64_t value) = 0;
  virtual int getChosenId() const = 0;
  virtual void addListener(events::IEventListener* l) = 0;
  virtual void removeListener(events::IEventListener* l) = 0;
  virtual void choose(int id) = 0;
  // Opens the menu at a screen point, its bottom (showAbove) or top (showBelow) edge there; the
  // choice reaches the owner's top-level window as a command. False when it cannot be shown.
  virtual bool showAbove(int x, int y, IComponent& owner) = 0;
  virtual bool showBelow(int x, int y, IComponent& owner) = 0;
  virtual int getEntryCount() const = 0;
  virtual void release() = 0;
};

}  // namespace s::gui
