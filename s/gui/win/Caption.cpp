#include "s/gui/win/Caption.h"

#include "s/lang/Localizer.h"

namespace s::gui::win {

Caption::~Caption() { unbind(); }

void Caption::unbind() {
  if (localizer_ && listener_) localizer_->removeListener(listener_);
  localizer_ = nullptr;
  listener_ = nullptr;
}

void Caption::setText(std::u16string text) { text_ = std::move(text); }

void Caption::setTextId(int id, lang::Localizer* localizer, events::IEventListener* listener) {
  id_ = id;
  if (localizer != localizer_) {
    unbind();
    localizer_ = localizer;
    listener_ = listener;
    if (localizer_ && listener_) localizer_->addListener(listener_);
  }
  refresh();
}

bool Caption::refresh() {
  if (id_ < 0 || !localizer_) return false;
  text_ = localizer_->getText(id_);
  return true;
}

}  // namespace s::gui::win
