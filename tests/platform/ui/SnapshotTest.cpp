#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ui/Canvas.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

using namespace platform::ui;
using uitest::UiTest;

constexpr Color kFace = rgb(240, 240, 240);
constexpr Color kRed = rgb(200, 30, 30);
constexpr Color kBlue = rgb(40, 70, 200);
constexpr Color kInk = rgb(20, 20, 20);
const char* const kLine = "Play · Играть · 再生する · تشغيل · Αναπαραγωγή";

class SnapshotTest : public UiTest {};

// A small window: shapes painted by the top-level window, the text line by a child window.
Handle buildWindow(WindowSystem& ws) {
  WindowSetup top;
  top.bounds = Rect::fromSize(40, 40, 420, 90);
  top.visible = true;
  top.background = kFace;
  top.proc = [&ws](const Message& m) -> LResult {
    if (m.code == msg::kPaint) {
      Canvas& c = reinterpret_cast<PaintEvent*>(m.lParam)->canvas;
      c.frameRect({0, 0, 420, 90}, kInk);
      c.fillRect({8, 8, 48, 28}, kRed);
      c.fillRect({56, 8, 96, 28}, kBlue);
      c.frameRect({104, 8, 144, 28}, kInk);
      c.frameRect({152, 8, 192, 28}, kBlue, 2);
      // A right-pointing chevron of 2 x 2 dots, as the skins draw "#Right".
      c.drawLine({204, 8}, {211, 15}, kInk, 2);
      c.drawLine({211, 16}, {204, 23}, kInk, 2);
      return 0;
    }
    return ws.defaultProc(m);
  };
  Handle h = ws.create(top);
  WindowSetup text;
  text.parent = h;
  text.bounds = Rect::fromSize(8, 40, 404, 40);
  text.visible = true;
  text.background = rgb(255, 255, 255);
  text.proc = [&ws](const Message& m) -> LResult {
    if (m.code == msg::kPaint) {
      Canvas& c = reinterpret_cast<PaintEvent*>(m.lParam)->canvas;
      Font f;
      f.pointSize = 10;
      c.drawText(std::string_view(kLine), {4, 0, 400, 40}, f, kInk, text::kVCenter | text::kEndEllipsis);
      return 0;
    }
    return ws.defaultProc(m);
  };
  ws.create(text);
  return h;
}

int differingPixels(const Image& a, const Image& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      Color p = a.pixel(x, y), q = b.pixel(x, y);
      int d = std::max({std::abs(redOf(p) - redOf(q)), std::abs(greenOf(p) - greenOf(q)),
                        std::abs(blueOf(p) - blueOf(q))});
      n += d > 40;
    }
  return n;
}

TEST_F(SnapshotTest, SmallWindowMatchesTheReviewedImage) {
  Handle top = buildWindow(ws);
  Image shot = ws.snapshot(top);
  ASSERT_EQ(shot.width(), 420);
  ASSERT_EQ(shot.height(), 90);

  // Shapes are exact whatever the fonts.
  EXPECT_EQ(shot.pixel(0, 0), kInk);
  EXPECT_EQ(shot.pixel(8, 8), kRed);
  EXPECT_EQ(shot.pixel(47, 27), kRed);
  EXPECT_EQ(shot.pixel(48, 27), kFace);
  EXPECT_EQ(shot.pixel(60, 10), kBlue);
  EXPECT_EQ(shot.pixel(104, 8), kInk);
  EXPECT_EQ(shot.pixel(105, 9), kFace);
  EXPECT_EQ(shot.pixel(153, 9), kBlue);
  EXPECT_EQ(shot.pixel(154, 10), kFace);
  EXPECT_EQ(shot.pixel(204, 8), kInk);
  EXPECT_EQ(shot.pixel(212, 16), kInk);
  EXPECT_EQ(shot.pixel(205, 24), kInk);
  EXPECT_EQ(shot.pixel(203, 16), kFace);

  // Every script of the line left ink in the text window.
  int columnsWithInk = 0;
  for (int x = 8; x < 412; ++x)
    for (int y = 40; y < 80; ++y)
      if (greenOf(shot.pixel(x, y)) < 128) {
        ++columnsWithInk;
        break;
      }
  EXPECT_GT(columnsWithInk, 150);

  std::string actual = ::testing::TempDir() + "/ui-snapshot.png";
  ASSERT_TRUE(shot.savePng(actual));
  std::string golden = std::string(SONVIA_SOURCE_DIR) + "/tests/platform/ui/golden/ui-snapshot.png";
  if (const char* update = std::getenv("SONVIA_UPDATE_GOLDEN"); update && *update == '1') {
    ASSERT_TRUE(shot.savePng(golden));
  }
  Image expected = Image::loadPng(golden);
  ASSERT_TRUE(expected.valid()) << "no reviewed image at " << golden << "; this run's is " << actual;
  ASSERT_EQ(expected.width(), shot.width());
  ASSERT_EQ(expected.height(), shot.height());
  // Small differences in anti-aliasing between font versions are allowed; a missing script or a
  // moved shape is not.
  EXPECT_LT(differingPixels(shot, expected), shot.width() * shot.height() / 200)
      << "compare " << actual << " with " << golden;
}

}  // namespace
