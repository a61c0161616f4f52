#include "s/gui/win/PopupMenu.h"

#include <utility>

#include "platform/text/Utf.h"
#include "platform/ui/WindowSystem.h"
#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/Component.h"
#include "s/gui/win/Host.h"
#include "s/lang/Localizer.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

using namespace platform::ui;
using menuitem::MenuItem;

namespace {
using MenuPool = thread::PoolOf<PopupMenu>;
}  // namespace

PopupMenu* PopupMenu::create() { return MenuPool::acquire(); }

PopupMenu::PopupMenu() = default;

PopupMenu::~PopupMenu() {
  removeAll();
  if (localizer_) localizer_->removeListener(this);
}

void PopupMenu::release() { MenuPool::release(this); }

void PopupMenu::reset() {
  removeAll();
  if (localizer_) localizer_->removeListener(this);
  localizer_ = nullptr;
  title_.clear();
  titleId_ = -1;
  chosen_ = -1;
  listeners_.clear();
}

void PopupMenu::onEvent(base::IObject* source, int) {
  if (source && source == localizer_) refreshTexts();
}

// ---------------------------------------------------------------- entries

void PopupMenu::insertEntry(int position, Entry e) {
  if (position < 0 || position > getEntryCount()) position = getEntryCount();
  entries_.insert(entries_.begin() + position, e);
}

void PopupMenu::addItem(MenuItem* item) { insertItem(getEntryCount(), item); }

void PopupMenu::insertItem(int position, MenuItem* item) {
  if (!item) return;
  // An item made with a text id follows the language of its table even when the owner never
  // gave the menu a localizer.
  if (!localizer_ && item->localizer() && item->textId() >= 0) setLocalizer(item->localizer());
  item->refreshText();
  insertEntry(position, {item, nullptr, true});
}

void PopupMenu::addSubMenu(IPopupMenu* menu) {
  auto* sub = dynamic_cast<PopupMenu*>(menu);
  if (!sub || sub == this) return;
  insertEntry(getEntryCount(), {nullptr, sub, true});
}

void PopupMenu::giveBack(Entry& e) {
  if (e.item) e.item->release();
  if (e.subMenu) e.subMenu->release();
  e = {};
}

void PopupMenu::removeAll() {
  while (!entries_.empty()) removeAt(getEntryCount() - 1);
}

void PopupMenu::removeAt(int position) {
  if (position < 0 || position >= getEntryCount()) return;
  Entry e = entries_[position];
  entries_.erase(entries_.begin() + position);
  giveBack(e);
}

void PopupMenu::removeById(int id) {
  int i = 0;
  if (indexOfId(id, i)) removeAt(i);
}

void PopupMenu::removeByValue(std::int64_t value) {
  int i = 0;
  if (indexOfValue(value, i)) removeAt(i);
}

MenuItem* PopupMenu::itemAt(int position) const {
  return position >= 0 && position < getEntryCount() ? entries_[position].item : nullptr;
}

PopupMenu* PopupMenu::subMenuAt(int position) const {
  return position >= 0 && position < getEntryCount() ? entries_[position].subMenu : nullptr;
}

MenuItem* PopupMenu::findItem(int id) const {
  int i = 0;
  return indexOfId(id, i) ? entries_[i].item : nullptr;
}

bool PopupMenu::indexOfId(int id, int& index) const {
  for (int i = 0; i < getEntryCount(); ++i) {
    const MenuItem* item = entries_[i].item;
    if (item && !item->isSeparator() && item->commandId() == id) {
      index = i;
      return true;
    }
  }
  return false;
}

bool PopupMenu::indexOfValue(std::int64_t value, int& index) const {
  for (int i = 0; i < getEntryCount(); ++i) {
    const MenuItem* item = entries_[i].item;
    if (item && !item->isSeparator() && item->value() == value) {
      index = i;
      return true;
    }
  }
  return false;
}

const PopupMenu* PopupMenu::holderOf(int id, int& position) const {
  if (indexOfId(id, position)) return this;
  for (const Entry& e : entries_)
    if (e.subMenu)
      if (const PopupMenu* found = e.subMenu->holderOf(id, position)) return found;
  return nullptr;
}

PopupMenu* PopupMenu::holderOf(int id, int& position) {
  return const_cast<PopupMenu*>(std::as_const(*this).holderOf(id, position));
}

bool PopupMenu::hasItem(int id) const {
  int i = 0;
  return holderOf(id, i) != nullptr;
}

// ---------------------------------------------------------------- states

void PopupMenu::setSubMenuEnabled(IPopupMenu* subMenu, bool on) {
  for (Entry& e : entries_)
    if (e.subMenu && e.subMenu == subMenu) e.enabled = on;
}

void PopupMenu::setItemEnabled(int id, bool on) {
  int i = 0;
  if (PopupMenu* holder = holderOf(id, i)) holder->entries_[i].enabled = on;
}

bool PopupMenu::isItemEnabled(int id) const {
  int i = 0;
  const PopupMenu* holder = holderOf(id, i);
  return holder && holder->entries_[i].enabled;
}

bool PopupMenu::isChecked(int id) const {
  int i = 0;
  const PopupMenu* holder = holderOf(id, i);
  return holder && holder->entries_[i].item->checked();
}

void PopupMenu::setChecked(int id, bool on) {
  int i = 0;
  if (PopupMenu* holder = holderOf(id, i)) holder->entries_[i].item->setChecked(on);
}

void PopupMenu::checkRadio(int checkPosition, int firstPosition, int lastPosition) {
  for (int i = std::max(0, firstPosition); i <= lastPosition && i < getEntryCount(); ++i)
    if (MenuItem* item = entries_[i].item) item->setRadioChecked(i == checkPosition);
}

void PopupMenu::checkRadioAt(int position) { checkRadio(position, 0, getEntryCount() - 1); }

void PopupMenu::checkRadioById(int id) {
  int i = 0;
  if (indexOfId(id, i)) checkRadioAt(i);
}

void PopupMenu::checkRadioByValue(std::int64_t value) {
  int i = 0;
  if (indexOfValue(value, i)) checkRadioAt(i);
}

// ---------------------------------------------------------------- texts

void PopupMenu::setLocalizer(lang::Localizer* localizer) {
  if (localizer == localizer_) return;
  if (localizer_) localizer_->removeListener(this);
  localizer_ = localizer;
  if (localizer_) localizer_->addListener(this);
}

void PopupMenu::setItemText(int id, const std::u16string& text) {
  int i = 0;
  if (PopupMenu* holder = holderOf(id, i)) holder->entries_[i].item->setText(text);
}

void PopupMenu::setItemTextId(int id, std::int32_t textId) {
  int i = 0;
  PopupMenu* holder = holderOf(id, i);
  if (!holder) return;
  MenuItem* item = holder->entries_[i].item;
  if (!item->localizer()) item->setLocalizer(localizer_);
  item->setTextId(textId);
}

void PopupMenu::refreshTexts() {
  for (Entry& e : entries_) {
    if (e.item) e.item->refreshText();
    // A sub-menu without a table of its own follows ours.
    if (e.subMenu && !e.subMenu->localizer_) e.subMenu->refreshTexts();
  }
}

std::u16string PopupMenu::getTitle() const {
  if (titleId_ >= 0 && localizer_) return localizer_->getText(titleId_);
  return title_;
}

// ---------------------------------------------------------------- choosing and showing

void PopupMenu::choose(int id) {
  chosen_ = id;
  listeners_.raise(this, kChosen);
}

desktop::MenuModel PopupMenu::toModel() const {
  desktop::MenuModel model;
  for (const Entry& e : entries_) {
    desktop::MenuEntry entry;
    if (e.subMenu) {
      entry = desktop::MenuEntry::subMenu(platform::text::utf16ToUtf8(e.subMenu->getTitle()),
                                          e.subMenu->toModel());
    } else if (e.item->isSeparator()) {
      entry = desktop::MenuEntry::separator();
    } else if (e.item->radioChecked()) {
      entry = desktop::MenuEntry::radioItem(platform::text::utf16ToUtf8(e.item->text()),
                                            e.item->commandId(), true);
    } else {
      entry = desktop::MenuEntry::item(platform::text::utf16ToUtf8(e.item->text()),
                                       e.item->commandId(), e.item->checked());
    }
    entry.enabled = e.enabled;
    model.push_back(std::move(entry));
  }
  return model;
}

bool PopupMenu::show(WindowSystem& ws, Handle top, Point screen, desktop::MenuEdge edge) const {
  return ws.backend().desktop().showMenu(ws, top, toModel(), screen, edge);
}

bool PopupMenu::showFor(int x, int y, IComponent& owner, desktop::MenuEdge edge) const {
  auto* c = dynamic_cast<Component*>(&owner);
  if (!c || !c->host() || c->nativeHandle() == kNoWindow) return false;
  WindowSystem& ws = c->host()->windowSystem();
  return show(ws, ws.topLevelOf(c->nativeHandle()), {x, y}, edge);
}

bool PopupMenu::showAbove(int x, int y, IComponent& owner) {
  return showFor(x, y, owner, desktop::MenuEdge::kBottom);
}

bool PopupMenu::showBelow(int x, int y, IComponent& owner) {
  return showFor(x, y, owner, desktop::MenuEdge::kTop);
}

}  // namespace s::gui::win
