#pragma once
#include <memory>

#include "platform/ui/Geometry.h"
#include "s/gui/win/PlainDrawers.h"

namespace platform::ui {
class WindowSystem;
}
namespace s::lang {
class Localizer;
}
namespace s::gui::drawer {
class ISkin;
}

namespace s::gui::win {

// What every component of one tree shares: the window system its native windows live in, the
// language table its texts come from, the skin it paints with, and the display's scale factor.
// The root of the tree owns it; components point to it from the moment they are realised.
//
// Threads: read and written only on the thread that owns the tree's windows.
class Host {
 public:
  explicit Host(platform::ui::WindowSystem& ws);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  platform::ui::WindowSystem& windowSystem() const { return ws_; }

  lang::Localizer* localizer() const { return localizer_; }
  void setLocalizer(lang::Localizer* localizer) { localizer_ = localizer; }

  // The skin's drawers; while no skin is set (or it lacks a drawer), plain ones of our own.
  drawer::ISkin* skin() const { return skin_; }
  void setSkin(drawer::ISkin* skin) { skin_ = skin; }
  const drawer::IButton& button() const;
  const drawer::IText& text() const;
  const drawer::ICheckBox& checkBox() const;
  const drawer::IRadioButton& radioButton() const;
  const drawer::ISlider& slider() const;
  const drawer::IScrollBar& scrollBar() const;
  const drawer::IGroupBox& groupBox() const;
  const drawer::ICounter& counter() const;
  const drawer::IListBox& listBox() const;
  const drawer::IListHeader& listHeader() const;
  // The colour behind transparent components at the root.
  platform::ui::Color background() const;

  // Sizes that come from content (text, glyphs) are measured at 96 dots per inch and multiplied
  // by this; the display's factor by default (1 without a display).
  double scale() const { return scale_; }
  void setScale(double scale) { scale_ = scale > 0 ? scale : 1; }
  int scaled(int pixels) const { return static_cast<int>(pixels * scale_ + 0.5); }

 private:
  platform::ui::WindowSystem& ws_;
  lang::Localizer* localizer_ = nullptr;
  drawer::ISkin* skin_ = nullptr;
  double scale_ = 1;
  std::unique_ptr<PlainDrawers> plain_;
};

}  // namespace s::gui::win
