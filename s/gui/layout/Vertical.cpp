#include "s/gui/layout/Vertical.h"

#include "s/gui/IContainer.h"
#include "s/gui/layout/Linear.h"

namespace s::gui::layout {

Vertical* Vertical::shared() {
  static Vertical instance;
  return &instance;
}

void Vertical::layout(IContainer* container) {
  if (container) Linear::arrange(*container, {}, Linear::Axis::kVertical);
}

}  // namespace s::gui::layout
