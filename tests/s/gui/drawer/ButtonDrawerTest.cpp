#include <gtest/gtest.h>

#include "s/gui/drawer/button/win/Thin.h"
#include "s/thread/Pooled.h"
#include "tests/s/gui/drawer/DrawerFixtures.h"

namespace {

using namespace drawer_test;
using platform::ui::Canvas;
using platform::ui::Rect;
using s::gui::drawer::ButtonState;
using s::gui::drawer::Look;
using Button = s::gui::drawer::button::win::Thin;

struct ButtonDrawerTest : ::testing::Test {
  ButtonDrawerTest() { drawer->configure(colors); }
  platform::ui::Image paint(const ButtonState& state, int w = 22, int h = 16) {
    platform::ui::Image image = paper(w, h);
    Canvas canvas(image);
    drawer->paint(state, {0, 0, w, h}, canvas);
    return image;
  }
  SkinColors colors = distinctPalette();
  s::thread::Pooled<Button> drawer{Button::create()};
};

TEST_F(ButtonDrawerTest, CheckedToggleIsFilledAtRestAndShowsItsGlyphInTheCheckedColour) {
  ButtonState state;
  state.caption = u"#Stop";
  state.checked = true;
  state.look = Look::kEmphasised;
  const auto image = paint(state);
  const auto fill = colors[Role::kListHeaderBg];
  const auto glyph = colors[Role::kListHeaderFont];
  EXPECT_EQ(image.pixel(2, 1), fill);    // face inside the frame, beside the glyph
  EXPECT_EQ(count(image, {4, 1, 18, 15}, glyph), 14 * 14);
  EXPECT_EQ(image.pixel(0, 5), colors[Role::kCompFg]);  // frame in the checked state colour

  state.checked = false;
  state.look = Look::kNormal;
  const auto plain = paint(state);
  EXPECT_EQ(plain.pixel(2, 1), kPaper);
  EXPECT_EQ(count(plain, {4, 1, 18, 15}, colors[Role::kCompFg]), 14 * 14);
}

TEST_F(ButtonDrawerTest, StateColourFollowsEnabledThenChecked) {
  struct Case {
    bool enabled, checked;
    Role frame;
  } cases[] = {{true, false, Role::kCompFg}, {false, false, Role::kCompDisabled},
               {false, true, Role::kCompDisabled}, {true, true, Role::kCompFg}};
  for (const Case& c : cases) {
    ButtonState state;
    state.enabled = c.enabled;
    state.checked = c.checked;
    EXPECT_EQ(paint(state).pixel(0, 8), colors[c.frame]) << c.enabled << c.checked;
  }
}

TEST_F(ButtonDrawerTest, CaptionShiftsWithTheHoverStateAndCheckedSwapsHoverAndPressed) {
  ButtonState state;
  state.caption = u"#Stop";  // at rest the square covers (4, 1) to (17, 14)
  const auto rest = paint(state);
  EXPECT_EQ(rest.pixel(3, 13), kPaper);
  EXPECT_EQ(rest.pixel(18, 14), kPaper);
  state.hover = 1;  // raised: one pixel up and left
  EXPECT_EQ(paint(state).pixel(3, 13), colors[Role::kCompFg]);
  state.hover = 2;  // pressed: one pixel down and right
  const auto pressed = paint(state);
  EXPECT_EQ(pressed.pixel(18, 14), colors[Role::kCompFg]);
  EXPECT_EQ(pressed.pixel(4, 13), kPaper);
  state.checked = true;  // a checked button under the pointer looks pressed
  state.hover = 1;
  state.look = Look::kEmphasised;
  EXPECT_EQ(paint(state).pixel(18, 14), colors[Role::kListHeaderFont]);
}

TEST_F(ButtonDrawerTest, TextCaptionsAreTextAndEmptyRectanglesDrawNothing) {
  ButtonState state;
  state.caption = u"Play";  // no "#": drawn as text in the caption colour
  const auto image = paint(state, 60, 20);
  EXPECT_GT(inked(image, {2, 2, 58, 18}, colors[Role::kText], kPaper), 10);
  EXPECT_EQ(count(image, {2, 2, 58, 18}, colors[Role::kCompFg]), 0);

  platform::ui::Image untouched = paper(10, 10);
  Canvas canvas(untouched);
  drawer->paint(state, {5, 5, 5, 9}, canvas);
  EXPECT_EQ(count(untouched, untouched.bounds(), kPaper), 100);
}

TEST_F(ButtonDrawerTest, MeasureGrowsWithTheCaption) {
  ButtonState shortCaption, longCaption;
  shortCaption.caption = u"Ok";
  longCaption.caption = u"Open a folder of songs";
  const auto a = drawer->measure(shortCaption), b = drawer->measure(longCaption);
  EXPECT_GT(b.width, a.width);
  EXPECT_EQ(a.height, b.height);
  ButtonState glyph;
  glyph.caption = u"#Play";
  EXPECT_EQ(drawer->measure(glyph), (platform::ui::Size{22, 16}));
}

}  // namespace
