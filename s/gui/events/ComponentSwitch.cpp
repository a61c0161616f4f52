#include "s/gui/events/ComponentSwitch.h"

#include "s/gui/IComponent.h"

namespace s::gui::events {

void ComponentSwitch::onEvent(base::IObject* source, int) {
  if (source != source_) return;
  for (IComponent* c : components_) {
    if (what_ == What::kEnabled)
      c->setEnabled(on_);
    else
      c->setEditable(on_);
  }
}

}  // namespace s::gui::events
