#include <gtest/gtest.h>

#include "platform/ui/Canvas.h"

namespace {

using namespace platform::ui;

constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kRed = rgb(255, 0, 0);

// Pixels of `img` inside `r` that differ from `background`.
int inkIn(const Image& img, const Rect& r, Color background = kWhite) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += img.pixel(x, y) != background;
  return n;
}

Rect inkBounds(const Image& img, Color background = kWhite) {
  Rect b;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != background) b = b.unite({x, y, x + 1, y + 1});
  return b;
}

TEST(CanvasTest, RectanglesPixelsAndLinesLandOnExactPixels) {
  Image img(20, 20);
  Canvas c(img);
  c.fillRect({0, 0, 20, 20}, kWhite);
  c.fillRect({2, 3, 5, 6}, kRed);
  EXPECT_EQ(inkIn(img, img.bounds()), 9);
  EXPECT_EQ(img.pixel(2, 3), kRed);
  EXPECT_EQ(img.pixel(5, 3), kWhite);

  c.fillRect({0, 0, 20, 20}, kWhite);
  c.frameRect({10, 10, 20, 20}, kBlack, 2);
  EXPECT_EQ(inkIn(img, img.bounds()), 100 - 36);
  EXPECT_EQ(img.pixel(11, 15), kBlack);
  EXPECT_EQ(img.pixel(12, 15), kWhite);

  c.fillRect({0, 0, 20, 20}, kWhite);
  c.setPixel(7, 8, kRed);
  EXPECT_EQ(img.pixel(7, 8), kRed);
  EXPECT_EQ(inkIn(img, img.bounds()), 1);

  c.fillRect({0, 0, 20, 20}, kWhite);
  c.drawLine({0, 0}, {9, 9}, kBlack);
  EXPECT_EQ(inkIn(img, img.bounds()), 10) << "both ends included";
  c.fillRect({0, 0, 20, 20}, kWhite);
  // A chevron of 2 x 2 dots, as the skins draw their arrows.
  c.drawLine({4, 2}, {8, 6}, kBlack, 2);
  c.drawLine({8, 6}, {4, 10}, kBlack, 2);
  EXPECT_EQ(img.pixel(9, 7), kBlack);
  EXPECT_EQ(img.pixel(4, 2), kBlack);
  EXPECT_EQ(img.pixel(5, 11), kBlack);
  EXPECT_EQ(img.pixel(4, 6), kWhite);
}

TEST(CanvasTest, PolygonsEllipsesAndRegionsFillTheirInsides) {
  Image img(30, 30);
  Canvas c(img);
  c.fillRect({0, 0, 30, 30}, kWhite);
  c.fillPolygon({{0, 0}, {20, 0}, {0, 20}}, kRed);
  EXPECT_EQ(img.pixel(2, 2), kRed);
  EXPECT_EQ(img.pixel(18, 18), kWhite);
  c.fillRect({0, 0, 30, 30}, kWhite);
  c.fillEllipse({0, 0, 30, 30}, kBlack);
  EXPECT_EQ(img.pixel(15, 15), kBlack);
  EXPECT_EQ(img.pixel(1, 1), kWhite);
  c.fillRect({0, 0, 30, 30}, kWhite);
  c.frameEllipse({0, 0, 30, 30}, kBlack, 4);
  EXPECT_EQ(img.pixel(15, 15), kWhite);
  EXPECT_EQ(img.pixel(15, 1), kBlack);
  c.fillRect({0, 0, 30, 30}, kWhite);
  c.fillRegion(Region::roundRect({0, 0, 30, 30}, 11, 11), kRed);
  EXPECT_EQ(img.pixel(0, 0), kWhite);
  EXPECT_EQ(img.pixel(15, 0), kRed);
}

TEST(CanvasTest, ClipAndOriginConfineDrawing) {
  Image img(40, 40);
  Canvas c(img);
  c.fillRect({0, 0, 40, 40}, kWhite);
  c.setOrigin({10, 10});
  c.intersectClip({0, 0, 20, 20});
  c.excludeClip({5, 5, 10, 10});
  c.fillRect({-100, -100, 100, 100}, kRed);
  EXPECT_EQ(inkIn(img, img.bounds()), 400 - 25);
  EXPECT_EQ(img.pixel(10, 10), kRed);
  EXPECT_EQ(img.pixel(16, 16), kWhite);
  EXPECT_EQ(img.pixel(30, 30), kWhite);
  Region clip = c.clip();
  EXPECT_TRUE(clip.contains({0, 0}));
  EXPECT_FALSE(clip.contains({6, 6}));
  c.resetClip();
  c.fillRect({20, 20, 30, 30}, kBlack);
  EXPECT_EQ(img.pixel(35, 35), kBlack) << "origin stays";
}

TEST(CanvasTest, ImagesCopyExactlyAndShrinkByAveraging) {
  Image src(52, 52);
  {
    Canvas s(src);
    s.fillRect({0, 0, 52, 52}, kWhite);
    s.fillRect({0, 0, 26, 52}, kBlack);
    s.setPixel(30, 1, kRed);
  }
  Image dst(60, 60);
  Canvas c(dst);
  c.fillRect({0, 0, 60, 60}, kWhite);
  c.drawImage(src, {24, 0, 32, 4}, {2, 3});
  EXPECT_EQ(dst.pixel(2, 3), kBlack);
  EXPECT_EQ(dst.pixel(4, 3), kWhite);
  EXPECT_EQ(dst.pixel(8, 4), kRed);
  EXPECT_EQ(dst.pixel(10, 3), kWhite) << "only the source rectangle";

  c.drawImageScaled(src, src.bounds(), {40, 40, 53, 53});
  EXPECT_EQ(dst.pixel(41, 45), kBlack);
  EXPECT_EQ(dst.pixel(51, 45), kWhite);
  int g = greenOf(dst.pixel(46, 45));  // the column where black meets white
  EXPECT_GT(g, 20);
  EXPECT_LT(g, 235);

  Image copy = src;
  EXPECT_EQ(copy.pixel(30, 1), kRed);
  EXPECT_TRUE(copy.savePng(::testing::TempDir() + "/canvas-copy.png"));
  Image back = Image::loadPng(::testing::TempDir() + "/canvas-copy.png");
  ASSERT_TRUE(back.valid());
  EXPECT_EQ(back.pixel(30, 1), kRed);
  EXPECT_FALSE(Image::loadPng(::testing::TempDir() + "/no-such.png").valid());
  EXPECT_FALSE(copy.savePng("/no-such-dir/x.png"));
}

TEST(CanvasTest, TextIsMeasuredAndPlacedAsAsked) {
  Image img(200, 60);
  Canvas c(img);
  Font f;
  Size shortText = c.measureText(std::string_view("Play"), f);
  Size longText = c.measureText(std::string_view("Play the whole list again"), f);
  EXPECT_GT(longText.width, shortText.width);
  EXPECT_EQ(longText.height, shortText.height);
  EXPECT_EQ(c.lineHeight(f), shortText.height);
  EXPECT_EQ(c.measureText(std::string_view(""), f).width, 0);
  EXPECT_EQ(c.measureText(std::u16string_view(u"Play"), f), shortText);

  Font bold = f;
  bold.weight = 700;
  EXPECT_GT(c.measureText(std::string_view("Play the whole list again"), bold).width, longText.width);
  Font big = f;
  big.pointSize = 18;
  EXPECT_GT(c.lineHeight(big), c.lineHeight(f) * 3 / 2);

  Size cut = c.measureText(std::string_view("Play the whole list again"), f, text::kEndEllipsis, 60);
  EXPECT_LE(cut.width, 60);
  EXPECT_EQ(cut.height, shortText.height);
  Size wrapped = c.measureText(std::string_view("Play the whole list again"), f, text::kWordWrap, 60);
  EXPECT_LE(wrapped.width, 60);
  EXPECT_GE(wrapped.height, 2 * shortText.height);

  c.fillRect(img.bounds(), kWhite);
  c.drawText(std::string_view("Play"), {0, 0, 200, 60}, f, kBlack, text::kCenter | text::kVCenter);
  Rect ink = inkBounds(img);
  EXPECT_NEAR((ink.left + ink.right) / 2, 100, 3);
  EXPECT_NEAR((ink.top + ink.bottom) / 2, 30, 4);
  c.fillRect(img.bounds(), kWhite);
  c.drawText(std::string_view("Play"), {0, 0, 200, 60}, f, kBlack, text::kRight | text::kBottom);
  ink = inkBounds(img);
  EXPECT_GE(ink.right, 195);
  EXPECT_GE(ink.bottom, 50);

  // Clipped to its rectangle unless told otherwise.
  c.fillRect(img.bounds(), kWhite);
  c.drawText(std::string_view("Play the whole list again"), {0, 0, 30, 60}, f, kBlack);
  EXPECT_EQ(inkIn(img, {30, 0, 200, 60}), 0);
  c.drawText(std::string_view("Play the whole list again"), {0, 0, 30, 60}, f, kBlack, text::kNoClip);
  EXPECT_GT(inkIn(img, {30, 0, 200, 60}), 0);

  c.fillRect(img.bounds(), kWhite);
  c.drawText(std::string_view("Play"), {0, 0, 200, 30}, f, kBlack);
  int plain = inkIn(img, img.bounds());
  c.fillRect(img.bounds(), kWhite);
  Font underlined = f;
  underlined.underline = true;
  c.drawText(std::string_view("Play"), {0, 0, 200, 30}, underlined, kBlack);
  EXPECT_GT(inkIn(img, img.bounds()), plain);
}

// The language names of all 33 languages, each in its own script.
TEST(CanvasTest, EveryLanguageHasAFont) {
  const char* names[] = {
      "English", "Беларуская", "简体中文", "繁體中文", "Deutsch", "Ελληνικά", "Español",
      "Français", "Italiano", "日本語", "한국어", "Nederlands", "فارسی", "Русский", "Українська",
      "العربية", "Bahasa Indonesia", "Български", "Čeština", "Dansk", "Eesti", "Hrvatski",
      "Magyar", "Polski", "Português (Brasil)", "Română", "Slovenčina", "Српски", "Suomi",
      "Svenska", "Türkçe", "Vèneto", "Tiếng Việt"};
  Image img(1, 1);
  Canvas c(img);
  for (const char* name : names) {
    EXPECT_EQ(c.unknownGlyphs(name, Font{}), 0) << name;
    EXPECT_GT(c.measureText(std::string_view(name), Font{}).width, 0) << name;
  }
  EXPECT_GT(c.unknownGlyphs("\xF3\xB0\x80\x80", Font{}), 0) << "a private-use character has no font";
}

}  // namespace
