#pragma once
#include "s/gui/ILayoutManager.h"
#include "s/gui/layout/Arrangement.h"

namespace s::gui::layout {

// Children in rows, left to right, a new row when the next child does not fit. Every child is
// first given the row width within its own bounds; rows are as high as their tallest child, and
// room below the rows is shared out to the children in proportion to what they may still grow.
// A child that is hidden or 0 wide takes no gap.
class FlowH final : public ILayoutManager {
 public:
  static FlowH* shared();
  static ContentSizes arrange(IContainer& container, const Arrangement& how);

  void layout(IContainer* container) override;
  const char16_t* typeName() const override { return u"s_gui_layout_FlowH"; }
  base::IObject* newInstance() const override { return new FlowH; }
};

}  // namespace s::gui::layout
