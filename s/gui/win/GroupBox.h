#pragma once
#include "s/gui/win/Box.h"
#include "s/gui/win/Caption.h"
#include "s/gui/win/FontSetting.h"

namespace s::gui::win {

// A frame with a caption around children that are piled inside it. The frame's inner area comes
// from the drawer, and becomes the box's margins.
class GroupBox : public Box {
 public:
  static GroupBox* create();
  GroupBox();
  ~GroupBox() override;
  const char16_t* typeName() const override { return u"s_gui_win_GroupBox"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  void setText(const std::u16string& caption);
  void setTextId(int id);
  const std::u16string& getText() const { return caption_.text(); }
  FontSetting& font() { return font_; }
  void fontChanged() { fitFrame(); }
  void onEvent(base::IObject* source, int code) override;

 protected:
  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;
  void onRealised() override;

 private:
  void fitFrame();
  Caption caption_;
  FontSetting font_;
};

}  // namespace s::gui::win
