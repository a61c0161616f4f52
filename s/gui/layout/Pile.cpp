#include "s/gui/layout/Pile.h"

#include <algorithm>
#include <vector>

#include "s/gui/IContainer.h"

namespace s::gui::layout {

Pile* Pile::shared() {
  static Pile instance;
  return &instance;
}

void Pile::layout(IContainer* container) {
  if (container) arrange(*container, {});
}

ContentSizes Pile::arrange(IContainer& container, const Arrangement& how) {
  FrozenChildren frozen(container);
  std::vector<IComponent*> kids;
  for (int i = 0; i < container.getComponentCount(); ++i)
    if (IComponent* c = container.getComponent(i); c->isShown()) kids.push_back(c);
  ContentSizes out;
  for (IComponent* c : kids) {
    out.minWidth = std::max(out.minWidth, c->getMinWidth());
    out.minHeight = std::max(out.minHeight, c->getMinHeight());
    out.maxWidth = std::max(out.maxWidth, std::max(c->getMaxWidth(), c->getMinWidth()));
    out.maxHeight = std::max(out.maxHeight, std::max(c->getMaxHeight(), c->getMinHeight()));
  }
  const int width = std::max(container.getInnerWidth(), out.minWidth);
  const int height = std::max(container.getInnerHeight(), out.minHeight);
  for (IComponent* c : kids) {
    c->setSizeClamped(width, 0);
    if (c->getHeight() < c->getMaxHeight())
      c->setSizeClamped(c->getWidth(), std::max(height, c->getMaxHeight()));
    int x = 0;
    int y = 0;
    if (c->getWidth() < width) x = how.hAlign == 1 ? (width - c->getWidth()) / 2 : how.hAlign == 2 ? width - c->getWidth() : 0;
    if (c->getHeight() < height) y = how.vAlign == 1 ? (height - c->getHeight()) / 2 : how.vAlign == 2 ? height - c->getHeight() : 0;
    c->setLocation(x, y);
  }
  return out;
}

}  // namespace s::gui::layout
