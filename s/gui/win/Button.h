#pragma once
#include "s/gui/win/Caption.h"
#include "s/gui/win/Component.h"
#include "s/gui/win/FontSetting.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer {
class IButton;
}

namespace s::gui::win {

// A push button, optionally a toggle. A press inside raises kPressed at once (and, with
// auto-repeat, again after 500 ms and then every 100 ms while the pointer stays inside); a
// release inside the button after a press in it is a click: kClicked, then in toggle mode the
// checked state flips (a checked toggle that may not be turned off stays checked) and kToggled.
// Moving out before the release cancels the click. Space and Enter click a focused button.
//
// The caption is text, or "#Name" for a glyph the drawer paints; "#Resizer" makes the button a
// size grip that resizes its parent as it is dragged.
class Button : public Component, public thread::IPoolable {
 public:
  static constexpr int kClicked = 1, kToggled = 2, kPressed = 3;
  static constexpr unsigned kRepeatDelayTimer = 1, kRepeatTimer = 2;
  static constexpr unsigned kRepeatDelayMs = 500, kRepeatMs = 100;

  static Button* create();
  ~Button() override;
  const char16_t* typeName() const override { return u"s_gui_win_Button"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  void setText(const std::u16string& caption);
  void setTextId(int id);
  int getTextId() const { return caption_.textId(); }
  const std::u16string& getText() const { return caption_.text(); }
  void setColorCaption(int r, int g, int b);
  // Applies a change to the normal, disabled and checked fonts alike, then measures again.
  template <class F>
  void changeFonts(F change) {
    change(normalFont_);
    change(disabledFont_);
    change(checkedFont_);
    resizeToText();
  }

  void addClickListener(events::IEventListener* l) { clickListeners_.add(l); }
  void addToggleListener(events::IEventListener* l) { toggleListeners_.add(l); }
  void addPressListener(events::IEventListener* l) { pressListeners_.add(l); }
  void setAutoRepeat(bool on) { autoRepeat_ = on; }
  // A drawer of the button's own instead of the skin's; not owned.
  void setDrawer(const drawer::IButton* own);
  void setToggle(bool toggleMode, bool mayTurnOff, bool showInverted);
  bool mayTurnOff() const { return mayTurnOff_; }
  bool isChecked() const { return checked_; }
  void setChecked(bool on);  // no event
  void setMouseTransparent(bool on) { mouseTransparent_ = on; }
  int hoverState() const { return hover_; }
  void onEvent(base::IObject* source, int code) override;

 protected:
  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;
  void onMouseDown(const MouseEvent& e) override;
  void onMouseUp(const MouseEvent& e) override;
  void onMouseMove(const MouseEvent& e) override;
  void onMouseLeave() override;
  bool onKeyDown(const KeyEvent& e) override;
  void onTimer(unsigned id) override;
  void onCaptureLost() override;
  void onEnabledChanged(bool enabled) override;
  bool isMouseTransparent(platform::ui::Point) const override;
  void onRealised() override;

 private:
  const drawer::IButton& drawer() const;
  bool isResizer() const { return caption_.text() == u"#Resizer"; }
  void click();
  void endPress();
  void setHover(int state);
  void resizeToText();

  Caption caption_;
  FontSetting normalFont_, disabledFont_, checkedFont_;
  events::ListenerList clickListeners_, toggleListeners_, pressListeners_;
  bool autoRepeat_ = false;
  int hover_ = 0;  // 0 none, 1 hover, 2 pressed
  bool pressed_ = false;
  bool toggle_ = false, mayTurnOff_ = true, showInverted_ = false;
  bool checked_ = false;
  bool mouseTransparent_ = false;
  const drawer::IButton* own_ = nullptr;
  platform::ui::Point anchor_;  // screen point of the last press (size grip)
};

}  // namespace s::gui::win
