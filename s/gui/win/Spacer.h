#pragma once
#include "s/gui/win/Component.h"
#include "s/thread/IPoolable.h"

namespace s::gui::win {

// Empty space: horizontal (takes width) or vertical (takes height). Across its own direction
// it takes nothing in a row or column: a horizontal spacer in a column has no height, a vertical
// one in a row no width.
class Spacer : public Component, public thread::IPoolable {
 public:
  static Spacer* create();
  const char16_t* typeName() const override { return u"s_gui_win_Spacer"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  bool isVertical() const { return vertical_; }
  // Each also exchanges the fixed sizes and the percentages of the two axes.
  void setHorizontal();
  void setVertical();

  int getMinWidth() const override;
  int getMinHeight() const override;
  int getMaxWidth() const override;
  int getMaxHeight() const override;

 private:
  void turn(bool vertical);
  bool inParentOfKind(int kind) const;
  bool vertical_ = false;
};

}  // namespace s::gui::win
