#include <gtest/gtest.h>

#include "platform/ui/Canvas.h"
#include "platform/ui/Geometry.h"

namespace {

using namespace platform::ui;

TEST(RectHelpers, ShrinkCentreAndEdgesStayInside) {
  const Rect r = Rect::fromSize(10, 20, 100, 40);
  EXPECT_EQ(r.shrink(1, 2, 3, 4), (Rect{11, 22, 107, 56}));
  EXPECT_TRUE(r.shrink(60, 0, 60, 0).empty());
  EXPECT_EQ(r.shrink(60, 0, 60, 0).width(), 0);  // never turned inside out
  EXPECT_EQ(r.centred({20, 10}), Rect::fromSize(50, 35, 20, 10));
  EXPECT_EQ(r.centred({21, 11}), Rect::fromSize(49, 34, 21, 11));  // halves rounded down
  EXPECT_EQ(r.takeLeft(5), (Rect{10, 20, 15, 60}));
  EXPECT_EQ(r.takeRight(5), (Rect{105, 20, 110, 60}));
  EXPECT_EQ(r.takeTop(3), (Rect{10, 20, 110, 23}));
  EXPECT_EQ(r.takeBottom(3), (Rect{10, 57, 110, 60}));
  EXPECT_EQ(r.takeLeft(500), r);
  EXPECT_EQ(r.takeTop(-4).height(), 0);
  EXPECT_EQ(Rect{}.takeLeft(3), Rect{});
}

TEST(CanvasSaved, TranslationAndClipComeBackAtTheEndOfTheScope) {
  Image image(20, 20);
  Canvas canvas(image);
  canvas.fillRect({0, 0, 20, 20}, rgb(0, 0, 0));
  {
    Canvas::Saved keep(canvas);
    canvas.translate(5, 5);
    canvas.intersectClip({0, 0, 5, 5});
    canvas.fillRect({0, 0, 20, 20}, rgb(255, 0, 0));  // only (5,5)..(10,10) of the image
  }
  canvas.fillRect({0, 0, 2, 2}, rgb(0, 255, 0));  // back at the origin, unclipped
  EXPECT_EQ(image.pixel(4, 4), rgb(0, 0, 0));
  EXPECT_EQ(image.pixel(5, 5), rgb(255, 0, 0));
  EXPECT_EQ(image.pixel(9, 9), rgb(255, 0, 0));
  EXPECT_EQ(image.pixel(10, 10), rgb(0, 0, 0));
  EXPECT_EQ(image.pixel(0, 0), rgb(0, 255, 0));
  EXPECT_EQ(canvas.origin(), (Point{0, 0}));
}

}  // namespace
