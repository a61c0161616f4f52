#pragma once
#include "s/gui/win/Component.h"
#include "s/gui/win/FontSetting.h"
#include "s/thread/IPoolable.h"

namespace s::gui::win {

// One line of text the user may edit while the field is editable: characters are inserted at
// the caret, Backspace and Delete remove one, the arrows, Home and End move the caret. Every
// change the user makes raises kChanged once; setText raises nothing.
class TextField : public Component, public thread::IPoolable {
 public:
  static constexpr int kChanged = 0;

  static TextField* create();
  const char16_t* typeName() const override { return u"s_gui_win_TextField"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  const std::u16string& getText() const { return text_; }
  void setText(const std::u16string& text);
  int caret() const { return caret_; }
  bool isEditable() const override { return editable_; }
  void setEditable(bool on) override;
  FontSetting& font() { return font_; }
  void fontChanged() { resizeToFont(); }
  void addChangeListener(events::IEventListener* l) { changeListeners_.add(l); }

 protected:
  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;
  void onMouseDown(const MouseEvent& e) override;
  bool onKeyDown(const KeyEvent& e) override;
  void onChar(char32_t c) override;
  void onFocusChanged(bool) override { repaint(); }
  void onRealised() override { resizeToFont(); }

 private:
  void edited();
  void resizeToFont();

  std::u16string text_;
  int caret_ = 0;  // UTF-16 index
  bool editable_ = true;
  FontSetting font_;
  events::ListenerList changeListeners_;
};

}  // namespace s::gui::win
