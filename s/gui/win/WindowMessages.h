#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/ui/Message.h"

namespace s::gui::win {

class Window;

// The one place where the messages of a window's native top-level window become window events
// and calls on the window, as MessageDecoder does for the components inside it.
class WindowMessages {
 public:
  // Messages of the window's own, sent or posted to its native top-level window.
  static constexpr std::uint32_t kRequestMessage = platform::ui::msg::kUser + 1;
  static constexpr std::uint32_t kBringToFrontMessage = platform::ui::msg::kUser + 3;
  static constexpr std::uint32_t kMessageBoxInfo = platform::ui::msg::kUser + 4;
  static constexpr std::uint32_t kMessageBoxError = platform::ui::msg::kUser + 5;
  static constexpr std::uint32_t kMessageBoxAsk = platform::ui::msg::kUser + 6;
  static constexpr std::uint32_t kHandOverMessage = platform::ui::msg::kUser + 7;
  static constexpr std::uint32_t kRunMessage = platform::ui::msg::kApp + 41;
  static constexpr std::uint32_t kSkinChangedMessage = platform::ui::msg::kApp + 42;
  static constexpr std::uint32_t kSessionEndMessage = platform::ui::msg::kApp + 43;
  static constexpr std::uint32_t kShutdownMessage = platform::ui::msg::kApp + 44;

  // What a request carries to the window's thread; `answered` tells a request that a closed
  // window turned away from one whose listeners answered 0.
  struct Request {
    std::array<int, 4> params{};
    int result = 0;
    bool answered = false;
  };

  static platform::ui::LResult decode(Window& w, const platform::ui::Message& m);

 private:
  static void sizing(Window& w, int platformEdge, platform::ui::Rect& r);
  static void tray(Window& w, platform::ui::Point screen, platform::ui::LParam mouse);
  static bool messageBox(Window& w, std::uint32_t kind, const std::u16string& text);
};

}  // namespace s::gui::win
