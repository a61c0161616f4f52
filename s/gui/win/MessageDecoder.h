#pragma once
#include "platform/ui/Message.h"

namespace platform::ui {
class Canvas;
}

namespace s::gui::win {

class Component;

// The one place where window messages become typed calls on a component: no widget sees a
// message parameter. Runs on the thread that owns the component's native window.
class MessageDecoder {
 public:
  // Runs a function handed over from another thread (Component::runOnOwner).
  static constexpr std::uint32_t kRunOnOwner = platform::ui::msg::kApp + 40;

  static platform::ui::LResult decode(Component& c, const platform::ui::Message& m);

 private:
  // Fills the component's background; a transparent one shows what its ancestors paint.
  static void eraseBehind(Component& self, platform::ui::Canvas& canvas);
};

}  // namespace s::gui::win
