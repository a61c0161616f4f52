#pragma once
#include "s/gui/drawer/ICheckBox.h"
#include "s/gui/win/Caption.h"
#include "s/gui/win/Component.h"
#include "s/gui/win/FontSetting.h"

namespace s::gui::win {

// What a check box and a radio button share: a caption, a checked state that a click inside
// (or Space on the focused control) changes, and the events of the change. kChecked is raised
// when the state goes from unchecked to checked, kUnchecked the other way; kEnabledChanged (to the
// enabled or the disabled listeners) when setEnabled changes the enabled state.
class CheckControl : public Component {
 public:
  static constexpr int kEnabledChanged = 0, kChecked = 1, kUnchecked = 2;

  ~CheckControl() override;
  void setText(const std::u16string& caption);
  void setTextId(int id);
  const std::u16string& getText() const { return caption_.text(); }
  FontSetting& font() { return font_; }
  void fontChanged() { resizeToText(); }

  bool isChecked() const { return checked_; }
  void setChecked(bool on);          // listeners are told
  void setCheckedSilently(bool on);  // they are not
  void addCheckedListener(events::IEventListener* l) { checkedListeners_.add(l); }
  void addUncheckedListener(events::IEventListener* l) { uncheckedListeners_.add(l); }
  void addEnabledListener(events::IEventListener* l) { enabledListeners_.add(l); }
  void addDisabledListener(events::IEventListener* l) { disabledListeners_.add(l); }
  int hoverState() const { return hover_; }
  void onEvent(base::IObject* source, int code) override;

 protected:
  // What a click does: a check box flips, a radio button only turns on.
  virtual void clicked() = 0;
  virtual void paintControl(const drawer::CheckState& state, platform::ui::Canvas& canvas,
                            const platform::ui::Rect& client) = 0;
  virtual platform::ui::Size measureControl(const drawer::CheckState& state) = 0;

  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;
  void onMouseDown(const MouseEvent& e) override;
  void onMouseUp(const MouseEvent& e) override;
  void onMouseMove(const MouseEvent& e) override;
  void onMouseLeave() override;
  void onCaptureLost() override;
  bool onKeyDown(const KeyEvent& e) override;
  void onEnabledChanged(bool enabled) override;
  void onRealised() override;
  void resetCheckControl();

 private:
  drawer::CheckState state() const;
  void resizeToText();
  void setHover(int h);

  Caption caption_;
  FontSetting font_;
  bool checked_ = false;
  bool pressed_ = false;
  int hover_ = 0;
  events::ListenerList checkedListeners_, uncheckedListeners_, enabledListeners_, disabledListeners_;
};

}  // namespace s::gui::win
