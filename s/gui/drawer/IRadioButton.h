#pragma once
#include "s/gui/drawer/ICheckBox.h"

namespace s::gui::drawer {

class IRadioButton : public IDrawer {
 public:
  virtual void paint(const CheckState& state, const platform::ui::Rect& rect,
                     platform::ui::Canvas& canvas) const = 0;
  // Circle and caption together.
  virtual platform::ui::Size measure(const CheckState& state) const = 0;
};

}  // namespace s::gui::drawer
