#include "s/gui/menuitem/MenuItem.h"

#include "s/lang/Localizer.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::menuitem {

namespace {
using ItemPool = thread::PoolOf<MenuItem, MenuItem::kPoolCapacity>;
}  // namespace

MenuItem* MenuItem::create() { return ItemPool::acquire(); }

MenuItem* MenuItem::separator() {
  MenuItem* item = create();
  item->separator_ = true;
  return item;
}

MenuItem* MenuItem::fromTextId(lang::Localizer* localizer, std::int32_t textId, int commandId,
                               bool checked) {
  MenuItem* item = create();
  item->localizer_ = localizer;
  item->commandId_ = commandId;
  item->checked_ = checked;
  item->setTextId(textId);
  return item;
}

MenuItem* MenuItem::fromText(const std::u16string& text, int commandId, bool checked) {
  MenuItem* item = create();
  item->text_ = text;
  item->commandId_ = commandId;
  item->checked_ = checked;
  return item;
}

void MenuItem::release() { ItemPool::release(this); }

void MenuItem::reset() { *this = MenuItem(); }

void MenuItem::setText(const std::u16string& text) {
  text_ = text;
  refreshText();
}

void MenuItem::setTextId(std::int32_t id) {
  textId_ = id;
  refreshText();
}

void MenuItem::refreshText() {
  if (textId_ >= 0 && localizer_) text_ = localizer_->getText(textId_);
}

}  // namespace s::gui::menuitem
