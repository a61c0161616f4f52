#include "s/gui/layout/Arrangement.h"

#include "s/gui/IContainer.h"

namespace s::gui::layout {

FrozenChildren::FrozenChildren(IContainer& container)
    : container_(container), active_(!container.isFrozen()) {
  if (!active_) return;
  for (int i = 0; i < container_.getComponentCount(); ++i) container_.getComponent(i)->freeze();
}

FrozenChildren::~FrozenChildren() {
  if (!active_) return;
  for (int i = 0; i < container_.getComponentCount(); ++i) {
    IComponent* child = container_.getComponent(i);
    child->unfreeze();
    child->repaint();
  }
}

}  // namespace s::gui::layout
