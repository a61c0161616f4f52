#pragma once
#include "s/gui/win/Component.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer {
class ISlider;
}

namespace s::gui::win {

// A value in [minimum, maximum], horizontal or vertical (minimum at the left or top). The user
// changes it by pressing and dragging (the value follows the pointer, limited to the range),
// with the wheel and with the arrow, page, Home and End keys; each change made by the user is
// reported once as kChanged. setValue from the program reports nothing. Letting go of a thumb
// that was dragged reports kReleased, so that a listener can act once on where the drag ended.
//
// In limit mode a second thumb, the limit, stands above the value: the value stays below it,
// and a press picks the thumb it hits (nothing when it hits neither).
class Slider : public Component, public thread::IPoolable {
 public:
  static constexpr int kChanged = 0, kReleased = 1;

  static Slider* create();
  Slider();
  const char16_t* typeName() const override { return u"s_gui_win_Slider"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  // A slider stretches along its direction; across it, it is as thick as a thumb is wide.
  void setVertical(bool on);
  void setRange(int minimum, int maximum);
  int getMinimum() const { return minimum_; }
  int getMaximum() const { return maximum_; }
  int getValue() const { return value_; }
  void setValue(int v);
  // Page steps (Page Up/Down) and line steps (arrows, wheel notches).
  void setSteps(int line, int page);
  void setTickFrequency(int n);
  void addChangeListener(events::IEventListener* l) { changeListeners_.add(l); }
  void setDrawer(const drawer::ISlider* own);
  void setHighlight(bool on);
  void setLimitMode(bool on) { limitMode_ = on; }
  int getLimit() const { return limit_; }
  void setLimit(int v);
  void setTrackMode(int mode, int p, int q);
  // The left button holds a thumb: the value is the user's for now.
  bool isDragging() const { return dragging_; }

  // The value a pointer position along the slider stands for (not limited to the range).
  int valueAt(int position) const;

 protected:
  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;
  void onMouseDown(const MouseEvent& e) override;
  void onMouseMove(const MouseEvent& e) override;
  void onMouseUp(const MouseEvent& e) override;
  void onCaptureLost() override {
    if (dragging_) endDrag();
  }
  bool onWheel(const WheelEvent& e) override;
  bool onKeyDown(const KeyEvent& e) override;

 private:
  const drawer::ISlider& drawer() const;
  int limited(int v) const;
  void setByUser(int v);
  void endDrag();
  // Left edge of a thumb showing `v`, along the slider.
  int thumbAt(int v) const;
  int length() const { return vertical_ ? getHeight() : getWidth(); }

  int minimum_ = 0, maximum_ = 100;
  int value_ = 0;
  bool limitMode_ = false;
  int limit_ = 100;
  bool vertical_ = false;
  int line_ = 1, page_ = 10;
  events::ListenerList changeListeners_;
  const drawer::ISlider* own_ = nullptr;
  bool highlight_ = false;
  int trackMode_ = 0, trackP_ = 0, trackQ_ = 0;
  int tickFrequency_ = 1;
  bool dragging_ = false;
  bool draggingLimit_ = false;
};

}  // namespace s::gui::win
