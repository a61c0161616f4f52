#pragma once
#include "s/gui/win/Component.h"
#include "s/thread/IPoolable.h"

namespace s::gui::counter {
class CounterData;
}

namespace s::gui::win {

// How far something has come: a position in [minimum, maximum]. The skins have no drawer of its
// own for it; it is painted as the graph panel's bar style, whose one sample is the position.
class ProgressBar : public Component, public thread::IPoolable {
 public:
  static ProgressBar* create();
  ProgressBar();
  ~ProgressBar() override;
  const char16_t* typeName() const override { return u"s_gui_win_ProgressBar"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  void setRange(int minimum, int maximum);
  void setPosition(int n);
  int getPosition() const { return position_; }

 protected:
  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;

 private:
  void stretch();
  int minimum_ = 0, maximum_ = 100, position_ = 0;
  counter::CounterData* bar_;
};

}  // namespace s::gui::win
