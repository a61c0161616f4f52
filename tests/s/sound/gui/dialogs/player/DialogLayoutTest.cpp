// The player window's component tree: where every control sits in the small and the large
// window, and how showing and hiding the list changes the window.
#include <gtest/gtest.h>

#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/Counter.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/Slider.h"
#include "tests/s/sound/gui/dialogs/player/DialogFixture.h"

namespace {

using namespace dialog_test;
using s::gui::IComponent;

// Where a component lies in the window's client area.
platform::ui::Rect placeOf(const IComponent* c) {
  int x = 0, y = 0;
  for (const IComponent* p = c; p; p = p->getParent()) {
    x += p->getX();
    y += p->getY();
    if (!p->getParent() || !p->getParent()->getParent()) break;
  }
  return platform::ui::Rect::fromSize(x, y, c->getWidth(), c->getHeight());
}

TEST_F(DialogTest, FirstStartShowsTheLargeWindowWithTheList) {
  open();
  int width = 0, height = 0;
  onWindow([&] {
    width = dialog->window()->getWidth();
    height = dialog->window()->getHeight();
  });
  EXPECT_EQ(width, 350);
  EXPECT_EQ(height, 280);
}

}  // namespace
