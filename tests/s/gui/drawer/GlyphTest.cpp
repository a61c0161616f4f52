// Glyphs are pixel art: every pixel is checked against the drawings they were made from.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/ui/Canvas.h"
#include "platform/ui/Image.h"
#include "s/gui/drawer/Glyph.h"

namespace {

using platform::ui::Canvas;
using platform::ui::Image;
using platform::ui::Rect;
using platform::ui::rgb;
using s::gui::drawer::Glyph;

constexpr auto kInk = rgb(0, 0, 0);
constexpr auto kPaper = rgb(255, 255, 255);

// The glyph painted on white in a button rectangle of the given size at (0, 0).
Image painted(std::u16string_view caption, int w, int h) {
  Image image(w, h);
  image.fill(kPaper);
  Canvas canvas(image);
  Glyph::paint(caption, {0, 0, w, h}, kInk, canvas);
  return image;
}

std::vector<std::string> picture(const Image& image) {
  std::vector<std::string> rows;
  for (int y = 0; y < image.height(); ++y) {
    std::string row;
    for (int x = 0; x < image.width(); ++x) row += image.pixel(x, y) == kInk ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

// The filled pixels' bounding box.
Rect inked(const Image& image) {
  Rect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == kInk) box = box.unite(Rect::fromSize(x, y, 1, 1));
  return box;
}

struct Drawing {
  std::u16string_view name;
  std::array<const char*, 16> rows;
};

const Drawing kAt22x16[] = {
    {u"#Play",
     {"......................",
      "....##................",
      "....####..............",
      "....######............",
      "....########..........",
      "....##########........",
      "....############......",
      "....##############....",
      "....##############....",
      "....############......",
      "....##########........",
      "....########..........",
      "....######............",
      "....####..............",
      "....##................",
      "......................"}},
    {u"#Pause",
     {"......................",
      "....#####....#####....",
      "....#####....#####....",
      "....#####....#####....",
      "....#####....#####....",
      "....#####....#####....",
      "....#####....#####....",
      "....#####....#####....",
      "....#####....#####....",
      "....#####....#####....",
      "....#####....#####....",
      "....#####....#####....",
      "....#####....#####....",
      "....#####....#####....",
      "....#####....#####....",
      "......................"}},
    {u"#Stop",
     {"......................",
      "....##############....",
      "....##############....",
      "....##############....",
      "....##############....",
      "....##############....",
      "....##############....",
      "....##############....",
      "....##############....",
      "....##############....",
      "....##############....",
      "....##############....",
      "....##############....",
      "....##############....",
      "....##############....",
      "......................"}},
    {u"#Left",
     {"......................",
      "............##........",
      "...........###........",
      "..........###.........",
      ".........###..........",
      "........###...........",
      ".......###............",
      "......###.............",
      "......###.............",
      ".......###............",
      "........###...........",
      ".........###..........",
      "..........###.........",
      "...........###........",
      "............##........",
      "......................"}},
    {u"#Right",
     {"......................",
      "........##............",
      "........###...........",
      ".........###..........",
      "..........###.........",
      "...........###........",
      "............###.......",
      ".............###......",
      ".............###......",
      "............###.......",
      "...........###........",
      "..........###.........",
      ".........###..........",
      "........###...........",
      "........##............",
      "......................"}},
    {u"#Down",
     {"......................",
      "......................",
      "......................",
      "......................",
      "......................",
      "....##..........##....",
      "....###........###....",
      ".....###......###.....",
      "......###....###......",
      ".......###..###.......",
      "........######........",
      ".........####.........",
      "..........##..........",
      "......................",
      "......................",
      "......................"}},
    {u"#Speaker",
     {"......................",
      "......................",
      "......................",
      "......................",
      "..........#...#.......",
      ".........##..#........",
      ".......####.#.........",
      ".......####...........",
      ".......####.###.......",
      ".......####...........",
      ".......####.#.........",
      ".........##..#........",
      "..........#...#.......",
      "......................",
      "......................",
      "......................"}},
    {u"#Mute",
     {"......................",
      "......................",
      "......................",
      "......................",
      "..........#..##.......",
      ".........##..##.......",
      ".......####..##.......",
      ".......####..##.......",
      ".......####..##.......",
      ".......####..##.......",
      ".......####..##.......",
      ".........##..##.......",
      "..........#..##.......",
      "......................",
      "......................",
      "......................"}},
};

TEST(GlyphTest, EightGlyphsAt22x16MatchTheirDrawingsPixelForPixel) {
  for (const Drawing& d : kAt22x16) {
    const std::vector<std::string> want(d.rows.begin(), d.rows.end());
    EXPECT_EQ(picture(painted(d.name, 22, 16)), want) << std::string(d.name.begin(), d.name.end());
  }
}

TEST(GlyphTest, SquareAndBarsFollowTheButtonSize) {
  EXPECT_EQ(inked(painted(u"#Stop", 22, 16)), Rect::fromSize(4, 1, 14, 14));
  EXPECT_EQ(inked(painted(u"#Stop", 30, 24)), Rect::fromSize(4, 1, 22, 22));
  // Pause at 30 x 24: two 8 x 22 bars at x = 4 and x = 18, nothing between them.
  const Image pause = painted(u"#Pause", 30, 24);
  EXPECT_EQ(inked(pause), Rect::fromSize(4, 1, 22, 22));
  for (int x = 0; x < 30; ++x) {
    const bool bar = (x >= 4 && x < 12) || (x >= 18 && x < 26);
    for (int y = 1; y < 23; ++y) ASSERT_EQ(pause.pixel(x, y) == kInk, bar) << x << "," << y;
  }
  // A 14-pixel square gives 5-pixel bars, a 10-pixel one 4-pixel bars.
  EXPECT_EQ(picture(painted(u"#Pause", 12, 12))[1], ".####..####.");
}

TEST(GlyphTest, BarThicknessIsAFifthOfTheSquareRoundedDownToEven) {
  struct Case {
    int w, h, thickness;
  } cases[] = {{16, 16, 2}, {24, 24, 4}, {32, 32, 6}, {6, 6, 1}};
  for (const Case& c : cases) {
    const Rect minus = inked(painted(u"#Minus", c.w, c.h));
    EXPECT_EQ(minus.height(), c.thickness) << c.w;
    EXPECT_EQ(minus.width(), (c.w - 2) & ~1) << c.w;
    const Rect plus = inked(painted(u"#Plus", c.w, c.h));
    EXPECT_EQ(plus.width(), plus.height()) << c.w;
  }
}

// The player's window buttons are 18 x 18: minimize is a bar, into the tray a dot, both low in
// the square and apart from the cross beside them.
TEST(GlyphTest, MinimizeAndTrayAreABarAndADotNearTheBottom) {
  EXPECT_EQ(picture(painted(u"#_", 18, 18)), (std::vector<std::string>{
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 ".....########.....",
                                                 ".....########.....",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                             }));
  EXPECT_EQ(picture(painted(u"#.", 18, 18)), (std::vector<std::string>{
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                                 ".......####.......",
                                                 ".......####.......",
                                                 ".......####.......",
                                                 ".......####.......",
                                                 "..................",
                                                 "..................",
                                                 "..................",
                                             }));
}

TEST(GlyphTest, UnknownNamesAndBadColoursDrawNothing) {
  for (std::u16string_view caption : {u"#Nothing", u"#", u"#play", u"Play", u"#Color-00FF00",
                                      u"#Color-00FF00GG", u"#Color-00FF000000"}) {
    Image image = painted(caption, 22, 16);
    EXPECT_TRUE(inked(image).empty()) << std::string(caption.begin(), caption.end());
    Canvas canvas(image);
    EXPECT_FALSE(Glyph::paint(caption, {0, 0, 22, 16}, kInk, canvas));
  }
}

TEST(GlyphTest, ColourSwatchIsFramedInBlackAndIgnoresTheFirstTwoDigits) {
  Image image = painted(u"#Color-FF0080FF", 22, 16);  // 0x00BBGGRR: red 255, green 128, blue 0
  const auto swatch = rgb(255, 128, 0);
  EXPECT_EQ(image.pixel(0, 0), kPaper);
  EXPECT_EQ(image.pixel(1, 1), rgb(0, 0, 0));
  EXPECT_EQ(image.pixel(2, 2), swatch);
  EXPECT_EQ(image.pixel(19, 11), swatch);
  EXPECT_EQ(image.pixel(20, 11), rgb(0, 0, 0));   // 1 pixel of black on the right
  EXPECT_EQ(image.pixel(10, 12), rgb(0, 0, 0));   // 3 at the bottom
  EXPECT_EQ(image.pixel(10, 14), rgb(0, 0, 0));
  EXPECT_EQ(image.pixel(10, 15), kPaper);
}

TEST(GlyphTest, PlayAndTreeClosedAreTheSameTriangleAndTreeOpenIsItTurned) {
  EXPECT_EQ(picture(painted(u"#TreeClosed", 22, 16)), picture(painted(u"#Play", 22, 16)));
  const std::vector<std::string> open = picture(painted(u"#TreeOpen", 16, 16));
  const std::vector<std::string> play = picture(painted(u"#Play", 16, 16));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(open[y][x], play[x][y]) << x << "," << y;
}

TEST(GlyphTest, PrevIsNextMirroredAndLeftLeftIsRightRightMirrored) {
  auto mirrored = [](std::vector<std::string> rows) {
    for (std::string& r : rows) r.assign(r.rbegin(), r.rend());
    return rows;
  };
  // Mirrors are exact where the group's margins come out even: 22 x 22 for the skip glyphs,
  // 24 x 24 for the chevrons.
  EXPECT_EQ(picture(painted(u"#Prev", 22, 22)), mirrored(picture(painted(u"#Next", 22, 22))));
  EXPECT_EQ(picture(painted(u"#Left", 24, 24)), mirrored(picture(painted(u"#Right", 24, 24))));
  EXPECT_EQ(picture(painted(u"#LeftLeft", 24, 24)), mirrored(picture(painted(u"#RightRight", 24, 24))));
}

TEST(GlyphTest, EveryNamedGlyphStaysInsideTheInsetRectangle) {
  for (std::u16string_view name : {u"#Play", u"#Pause", u"#Stop", u"#Prev", u"#Next", u"#Left", u"#Right",
                                   u"#LeftLeft", u"#RightRight", u"#Down", u"#Up", u"#Speaker", u"#Mute",
                                   u"#Minus", u"#Plus", u"#PlusMinus", u"#Check", u"#OnTop", u"#X",
                                   u"#ThumbLineV", u"#ThumbLineH", u"#TreeOpen", u"#TreeClosed",
                                   u"#TurnRight", u"#TurnLeft", u"#FitWindow", u"#FitToWindow",
                                   u"#KeepRatio", u"#Palm", u"#_", u"#."}) {
    for (auto [w, h] : {std::pair{22, 16}, std::pair{30, 24}}) {
      const Rect box = inked(painted(name, w, h));
      EXPECT_FALSE(box.empty()) << std::string(name.begin(), name.end());
      EXPECT_EQ(box.intersect({1, 1, w - 1, h - 1}), box) << std::string(name.begin(), name.end()) << " " << w;
    }
  }
}

}  // namespace
