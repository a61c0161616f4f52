#pragma once
#include <optional>

#include "s/gui/win/Component.h"
#include "s/thread/IPoolable.h"

namespace s::gui::win {

// A scroll bar over a range [minimum, maximum] of which `page` is visible; the position is the
// first visible unit, at most maximum - page + 1. The arrows step one line, the track a page,
// the thumb follows a drag, the wheel steps three lines; each change the user makes raises
// kChanged once. The parts are where the drawer says they are, so hits match the pixels.
class ScrollBar : public Component, public thread::IPoolable {
 public:
  static constexpr int kChanged = 0;
  static constexpr int kHorizontal = 0, kVertical = 1;

  static ScrollBar* create();
  const char16_t* typeName() const override { return u"s_gui_win_ScrollBar"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  // Its thickness is its fixed size across the direction it scrolls in.
  void setOrientation(int orientation, int thickness);
  void setRange(int minimum, int maximum, int page);
  int getPosition() const { return position_; }
  void setPosition(int position);  // no event
  void setBarColor(int r, int g, int b);
  void addChangeListener(events::IEventListener* l) { changeListeners_.add(l); }

 protected:
  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;
  void onMouseDown(const MouseEvent& e) override;
  void onMouseMove(const MouseEvent& e) override;
  void onMouseUp(const MouseEvent& e) override;
  void onCaptureLost() override { dragging_ = false; }
  bool onWheel(const WheelEvent& e) override;

 private:
  int lastPosition() const;
  void scrollTo(int position);
  bool vertical() const { return orientation_ == kVertical; }

  int orientation_ = kVertical;
  int minimum_ = 0, maximum_ = 0, page_ = 0, position_ = 0;
  std::optional<platform::ui::Color> color_;
  events::ListenerList changeListeners_;
  bool dragging_ = false;
  int dragAnchor_ = 0;          // pointer position along the bar when the thumb was taken
  int dragStartPosition_ = 0;
};

}  // namespace s::gui::win
