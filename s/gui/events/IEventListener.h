#pragma once

namespace s::base {
class IObject;
}

namespace s::gui::events {

// Events are small integer codes per source; a listener that serves several sources tells them
// apart by the source object and reads what it needs from it. Each source names its codes beside
// its listener registrations (IBox::kFilesDropped .. kClicked, Button::kClicked/kToggled/kPressed,
// Slider::kChanged, CheckControl::kChecked/kUnchecked/kEnabledChanged, Label::kClicked, ...);
// ListenerList tells the listeners of one event in registration order.
class IEventListener {
 public:
  virtual ~IEventListener() = default;
  virtual void onEvent(base::IObject* source, int code) = 0;
};

}  // namespace s::gui::events
