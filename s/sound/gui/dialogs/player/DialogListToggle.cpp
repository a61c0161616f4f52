// Showing and hiding the list: the window grows to the large height (downwards, or upwards when
// it sits low on the screen) and shrinks back to the strip of controls.
#include "platform/ui/WindowSystem.h"
#include "s/gui/IWindow.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/Window.h"
#include "s/sound/gui/dialogs/player/Dialog.h"

namespace s::sound::gui::dialogs::player {

using s::gui::IWindow;
using s::gui::win::Window;

void Dialog::showList(bool shown) {
  Window& w = *window_;
  const int x = w.getX(), y = w.getY(), width = w.getWidth(), height = w.getHeight();
  view_.listShown = shown;
  if (shown) {
    tree_.listToggle->setText(u"#Up");
    w.setFixedHeight(-1, false);
    tree_.listPanel->setVisible(true);
    // A window in the bottom quarter of the screen would open its list below the screen's edge.
    const platform::ui::Rect screen = services_.windowSystem->virtualScreen();
    view_.shrinkToBottom = y >= screen.top + screen.height() * 3 / 4;
    store(ViewSettings::kView, u"ShrinkToBottom", view_.shrinkToBottom);
    if (view_.shrinkToBottom)
      w.setBounds(x, y + height - view_.largeHeight, width, view_.largeHeight);
    else
      w.setSize(width, view_.largeHeight);
    tree_.list->doLayout();
    tree_.list->doLayout();
  } else {
    view_.largeHeight = height;
    store(ViewSettings::kLargeHeight, u"", height);
    tree_.listToggle->setText(u"#Down");
    w.setFixedHeight(kSmallHeight, false);
    tree_.listPanel->setVisible(false);
    if (view_.shrinkToBottom)
      w.setBounds(x, y + height - kSmallHeight, width, kSmallHeight);
    else
      w.setSize(width, kSmallHeight);
  }
  w.repaint();
  store(ViewSettings::kListShown, u"", shown);
}

// While the list is hidden the user may change only the width: the edge being dragged gives
// way, as it does for the minimum size.
void Dialog::onSizing() {
  if (view_.listShown) return;
  Window& w = *window_;
  const int edge = w.getSizingEdge();
  if (edge == IWindow::kEdgeTop || edge == IWindow::kEdgeTopLeft || edge == IWindow::kEdgeTopRight)
    w.setSizingTop(w.getSizingBottom() - kSmallHeight);
  else
    w.setSizingBottom(w.getSizingTop() + kSmallHeight);
}

}  // namespace s::sound::gui::dialogs::player
