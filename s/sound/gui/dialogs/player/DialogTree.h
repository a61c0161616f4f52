#pragma once
#include <vector>

namespace s::gui {
class IComponent;
}
namespace s::gui::drawer {
class IButton;
}
namespace s::gui::events {
class IEventListener;
}
namespace s::gui::win {
class Box;
class Button;
class Counter;
class Label;
class ListBox2;
class Slider;
class Window;
}  // namespace s::gui::win
namespace s::lang {
class Localizer;
}

namespace s::sound::gui::dialogs::player {

// The player window's components: a strip of transport controls over the list of the selected
// play list with its tab row. build() makes every component from its pool with its sizes, texts
// and ranges and puts the tree into the window; release() takes it out and gives everything back.
//
//   root (margins 4)
//     controls: [< > stop play] 2 [display: title song] 2 [. _ X]
//               3
//               1 time 1 [position slider] speaker [volume] list-toggle   (gaps of 3)
//     1
//     list panel: 35 [< previous] 5 list name 5 [next >] 35
//                 list view
//
// Threads: the window's, like every component.
struct DialogTree {
  static constexpr int kButtonSide = 18;
  static constexpr int kSmallButtonSide = 14;
  static constexpr int kDisplayHeight = 18;
  static constexpr int kSliderHeight = 12;
  static constexpr int kVolumeWidth = 50;
  static constexpr int kTabButtonHeight = 14;
  static constexpr int kPositionMaximum = 1000;
  static constexpr int kGraphCapacity = 32767;
  static constexpr int kProductNameText = 3009000;
  static constexpr int kLabelSizeCode = -2;

  s::gui::win::Box* root = nullptr;
  s::gui::win::Box* controls = nullptr;
  s::gui::win::Box* buttonRow = nullptr;
  s::gui::win::Box* sliderRow = nullptr;
  s::gui::win::Box* listPanel = nullptr;
  s::gui::win::Box* tabRow = nullptr;
  s::gui::win::Box* displayContent = nullptr;
  s::gui::win::Counter* display = nullptr;
  s::gui::win::Label* title = nullptr;
  s::gui::win::Label* song = nullptr;
  s::gui::win::Label* time = nullptr;
  s::gui::win::Label* listName = nullptr;
  s::gui::win::Button* previous = nullptr;
  s::gui::win::Button* next = nullptr;
  s::gui::win::Button* stop = nullptr;
  s::gui::win::Button* play = nullptr;
  s::gui::win::Button* tray = nullptr;
  s::gui::win::Button* minimize = nullptr;
  s::gui::win::Button* close = nullptr;
  s::gui::win::Button* speaker = nullptr;
  s::gui::win::Button* listToggle = nullptr;
  s::gui::win::Button* previousList = nullptr;
  s::gui::win::Button* nextList = nullptr;
  s::gui::win::Slider* position = nullptr;
  s::gui::win::Slider* volume = nullptr;
  s::gui::win::ListBox2* list = nullptr;

  // Builds the tree into `window`; `volumeValue` is the volume slider's value (0..100).
  void build(s::gui::win::Window& window, int volumeValue);
  // The square buttons of the transport and the window are painted by `drawer` (not owned).
  void setSquareButtonDrawer(const s::gui::drawer::IButton* drawer);
  // Every button, both sliders and the controls box report to `listener`.
  void listen(s::gui::events::IEventListener* listener);
  // Takes the tree out of the window and gives every component back to its pool.
  void release(s::gui::win::Window& window);

 private:
  s::gui::win::Box* box(bool horizontal);
  s::gui::win::Button* button(const char16_t* glyph, int side);
  s::gui::win::Label* label();
  s::gui::win::Slider* slider(int maximum, int value);
  void space(s::gui::win::Box* into, int pixels);
  void add(s::gui::win::Box* into, s::gui::IComponent* child);

  // Everything made, in the order it was made; given back in reverse.
  std::vector<s::gui::IComponent*> made_;
};

}  // namespace s::sound::gui::dialogs::player
