#pragma once
#include "s/gui/win/CheckControl.h"
#include "s/thread/IPoolable.h"

namespace s::gui::win {

// A box with a caption; a click flips it.
class CheckBox : public CheckControl, public thread::IPoolable {
 public:
  static CheckBox* create();
  const char16_t* typeName() const override { return u"s_gui_win_CheckBox"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override { resetCheckControl(); }

 protected:
  void clicked() override { setChecked(!isChecked()); }
  void paintControl(const drawer::CheckState& state, platform::ui::Canvas& canvas,
                    const platform::ui::Rect& client) override;
  platform::ui::Size measureControl(const drawer::CheckState& state) override;
};

}  // namespace s::gui::win
