#pragma once
#include <optional>

#include "s/gui/win/Caption.h"
#include "s/gui/win/Component.h"
#include "s/gui/win/FontSetting.h"
#include "s/thread/IPoolable.h"

namespace s::gui::win {

// One text in its font. A label sizes itself to its text (fixed and percentage sizes set on it
// still win) and is transparent to the mouse, unless it is a link: then it shows hover and
// pressed looks and raises kClicked when a press is released inside it.
//
// Threads: setText and showTextFor may be called from any thread; they run on the owner's.
class Label : public Component, public thread::IPoolable {
 public:
  static constexpr int kClicked = 1;
  static constexpr unsigned kRestoreTimer = 100;

  static Label* create();
  ~Label() override;
  const char16_t* typeName() const override { return u"s_gui_win_Label"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  void setText(const std::u16string& text, bool resize = true);
  void setTextId(int id);
  const std::u16string& getText() const { return caption_.text(); }
  // Shows `text` for a while, then the text it replaced.
  void showTextFor(const std::u16string& text, bool resize, unsigned milliseconds);
  // platform::ui::text flags (kCenter, kRight, kWordWrap).
  void setAlignment(unsigned flags);
  FontSetting& font() { return font_; }
  // Measures again after a change of font.
  void fontChanged() { resizeToText(); }

  void setLink(bool on);
  int hoverState() const { return hover_; }
  void addClickListener(events::IEventListener* l) { clickListeners_.add(l); }
  void onEvent(base::IObject* source, int code) override;

 protected:
  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;
  void onMouseDown(const MouseEvent& e) override;
  void onMouseUp(const MouseEvent& e) override;
  void onMouseMove(const MouseEvent& e) override;
  void onMouseLeave() override;
  void onTimer(unsigned id) override;
  bool isMouseTransparent(platform::ui::Point) const override { return !link_; }
  void onRealised() override;

 private:
  void resizeToText();
  void setHover(int state);

  Caption caption_;
  FontSetting font_;
  unsigned flags_ = 0;
  std::optional<std::u16string> remembered_;
  bool link_ = false;
  int hover_ = 0;  // 0 none, 1 hover, 2 pressed
  events::ListenerList clickListeners_;
};

}  // namespace s::gui::win
