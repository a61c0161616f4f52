#pragma once
#include <memory>

namespace s::gui::drawer {
class IButton;
class IText;
class ICheckBox;
class IRadioButton;
class ISlider;
class IScrollBar;
class IGroupBox;
class ICounter;
class IListBox;
class IListHeader;
}  // namespace s::gui::drawer

namespace s::gui::win {

// Plain drawers of our own in one light palette, for a tree that has no skin (tests, tools):
// solid fills, 1-pixel frames and text, through the same drawer interfaces a skin offers.
class PlainDrawers {
 public:
  PlainDrawers();
  ~PlainDrawers();
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

 private:
  struct Set;
  std::unique_ptr<Set> set_;
};

}  // namespace s::gui::win
