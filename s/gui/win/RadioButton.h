#pragma once
#include "s/gui/win/CheckControl.h"
#include "s/thread/IPoolable.h"

namespace s::gui::win {

// A circle with a caption. A click turns it on and turns off the other radio buttons of the same
// parent (they raise kUnchecked); a click on one that is on changes nothing.
class RadioButton : public CheckControl, public thread::IPoolable {
 public:
  static RadioButton* create();
  const char16_t* typeName() const override { return u"s_gui_win_RadioButton"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override { resetCheckControl(); }

 protected:
  void clicked() override;
  void paintControl(const drawer::CheckState& state, platform::ui::Canvas& canvas,
                    const platform::ui::Rect& client) override;
  platform::ui::Size measureControl(const drawer::CheckState& state) override;
};

}  // namespace s::gui::win
