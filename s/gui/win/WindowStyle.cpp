#include "platform/ui/WindowSystem.h"
#include "s/gui/win/Window.h"

namespace s::gui::win {

using platform::ui::FrameStyle;

void Window::layoutTree(IComponent& component) {
  if (auto* container = dynamic_cast<IContainer*>(&component)) container->doLayout();
  for (int i = 0; i < component.getComponentCount(); ++i)
    if (IComponent* child = component.getComponent(i)) layoutTree(*child);
}

void Window::changeFrame(const std::function<void(FrameStyle&)>& change) {
  run([&] {
    FrameStyle style = ws_.frameStyleOf(top_);
    change(style);
    ws_.setFrameStyle(top_, style);
  });
}

void Window::setMaximizeBox(bool on) { changeFrame([on](FrameStyle& s) { s.maximizable = on; }); }
void Window::setMinimizeBox(bool on) { changeFrame([on](FrameStyle& s) { s.minimizable = on; }); }
void Window::setSystemMenu(bool on) { changeFrame([on](FrameStyle& s) { s.windowMenu = on; }); }
void Window::setCaption(bool on) { changeFrame([on](FrameStyle& s) { s.titleBar = on; }); }
void Window::setToolWindow(bool on) { changeFrame([on](FrameStyle& s) { s.toolWindow = on; }); }
void Window::setResizableFrame(bool on) { changeFrame([on](FrameStyle& s) { s.resizable = on; }); }

}  // namespace s::gui::win
