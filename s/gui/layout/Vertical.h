#pragma once
#include "s/gui/ILayoutManager.h"

namespace s::gui::layout {

// Stacks the children top-down (see Linear), the default of a top-level window.
class Vertical final : public ILayoutManager {
 public:
  static Vertical* shared();
  void layout(IContainer* container) override;
  const char16_t* typeName() const override { return u"s_gui_layout_Vertical"; }
  base::IObject* newInstance() const override { return new Vertical; }
};

}  // namespace s::gui::layout
