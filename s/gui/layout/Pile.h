#pragma once
#include "s/gui/ILayoutManager.h"
#include "s/gui/layout/Arrangement.h"

namespace s::gui::layout {

// Every shown child on top of the others at the same place, each as wide as the container allows
// within its bounds and at its maximum height, aligned in the container. Hidden children are
// left where they are.
class Pile final : public ILayoutManager {
 public:
  static Pile* shared();
  static ContentSizes arrange(IContainer& container, const Arrangement& how);

  void layout(IContainer* container) override;
  const char16_t* typeName() const override { return u"s_gui_layout_Pile"; }
  base::IObject* newInstance() const override { return new Pile; }
};

}  // namespace s::gui::layout
