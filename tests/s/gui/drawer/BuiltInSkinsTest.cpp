#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "s/gui/drawer/BuiltInSkins.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/Skinner.h"
#include "s/thread/Pooled.h"
#include "tests/s/gui/drawer/DrawerFixtures.h"

namespace {

using namespace drawer_test;
using platform::ui::Color;
using platform::ui::rgb;
using s::gui::drawer::BuiltInSkins;
using s::gui::drawer::Skinner;

s::thread::Pooled<Skinner> builtIn() {
  auto skinner = s::thread::holdPooled(Skinner::createSkinner());
  EXPECT_TRUE(BuiltInSkins::load(*skinner));
  return skinner;
}

// Relative luminance and contrast ratio of the web accessibility guidelines.
double luminance(Color c) {
  auto lin = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(platform::ui::redOf(c)) + 0.7152 * lin(platform::ui::greenOf(c)) +
         0.0722 * lin(platform::ui::blueOf(c));
}

double contrast(Color a, Color b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(BuiltInSkinsTest, EightySixSkinsInTheirOrderReplaceTheFallbacks) {
  auto skinner = builtIn();
  const std::vector<std::u16string> want = {
      u"Fresh L", u"Fresh W", u"Fresh B", u"Fresh M", u"pastel pink", u"pastel Yellow", u"pastel blue",
      u"pastel Green", u"pastel Lavender", u"Classic LG", u"Classic YE", u"Classic PN", u"Classic BL",
      u"Classic OR", u"Velvet PP", u"Velvet RB", u"Velvet GR", u"Velvet BG", u"Velvet BB", u"Velvet PN",
      u"Velvet LG", u"Gray BL", u"Gray YB", u"Gray BB", u"Gray WG", u"Snowed Pink", u"Snowed Green",
      u"Snowed Blue", u"Snowed Lavender", u"Snowed Banana", u"Pencil", u"Pencil I", u"Pencil I2", u"Pencil II",
      u"Sheer Indigo", u"Sheer Red", u"Sheer Black", u"Sheer Purple", u"Sheer Green", u"Sheer Pink", u"BLN RG",
      u"BLN RD", u"BLN GG", u"BLN OR", u"BLN YE", u"BLN PN", u"BLN PP", u"BLN BB", u"BLN BG", u"BLN GR",
      u"BLN DP", u"Trans GR 70%", u"Trans GR 60%", u"Trans OR 60%", u"Trans YE 60%", u"Trans BL 60%",
      u"Trans SR 60%", u"Red Mail Box", u"Red nylons 80%", u"Red Beam", u"Red Beam II", u"Red Comet 2",
      u"Soot Blz", u"Soot Brn", u"Soot Flm", u"Bento Box I", u"Bento Box II", u"Green 01", u"Green 02",
      u"Green 03", u"Green 04", u"Green 05", u"Plastic BB", u"Plastic PI", u"Plastic YB", u"Plastic PP",
      u"Plastic BG", u"Mist BK", u"Mist YE", u"Mist YG", u"Mist OR", u"Mist RD", u"Mist GR", u"Luminous Pink",
      u"Water blue", u"Deep Water"};
  EXPECT_EQ(skinner->getSkinNames(), want);
  for (int i = 0; i < skinner->getSkinCount(); ++i)
    EXPECT_EQ(skinner->getSkin(i)->getColors()[Role::kCounter02], rgb(255, 165, 0)) << i;
}

TEST(BuiltInSkinsTest, TheFourGivenSkinsHaveExactlyTheirColours) {
  auto skinner = builtIn();
  // windowBg, windowFg, compFg, compDisabled, text, sliderBg, listHeaderBg, listHeaderFont, listBg,
  // listFont, listAlternate, counter01
  const Role roles[] = {Role::kWindowBg,      Role::kWindowFg,     Role::kCompFg,  Role::kCompDisabled,
                        Role::kText,          Role::kSliderBg,     Role::kListHeaderBg, Role::kListHeaderFont,
                        Role::kListBg,        Role::kListFont,     Role::kListAlternate, Role::kCounter01};
  struct Row {
    const char16_t* name;
    int rgb[12][3];
  } rows[] = {
      {u"Fresh L", {{231, 233, 237}, {231, 233, 237}, {0, 0, 0}, {170, 170, 170}, {0, 0, 0}, {173, 206, 53},
                    {71, 70, 61}, {255, 255, 255}, {244, 244, 244}, {32, 32, 28}, {255, 255, 255}, {248, 220, 42}}},
      {u"Classic LG", {{116, 116, 116}, {116, 116, 116}, {17, 17, 17}, {51, 51, 51}, {237, 237, 237},
                       {116, 116, 116}, {25, 25, 25}, {255, 255, 255}, {49, 49, 49}, {191, 191, 191},
                       {56, 56, 56}, {195, 234, 0}}},
      {u"Sheer Black", {{0, 0, 0}, {0, 0, 0}, {89, 89, 89}, {51, 51, 51}, {192, 192, 192}, {89, 89, 89},
                        {0, 0, 0}, {255, 255, 255}, {89, 89, 89}, {209, 209, 209}, {89, 89, 89}, {30, 30, 30}}},
      {u"Deep Water", {{0, 68, 117}, {128, 0, 255}, {128, 0, 255}, {26, 107, 156}, {255, 255, 255}, {0, 68, 117},
                       {128, 0, 255}, {0, 255, 255}, {0, 68, 117}, {211, 211, 211}, {0, 68, 117}, {103, 253, 253}}},
  };
  for (const Row& row : rows) {
    const int index = skinner->findSkin(row.name);
    ASSERT_GE(index, 0);
    const SkinColors colors = skinner->getSkin(index)->getColors();
    for (int i = 0; i < 12; ++i)
      EXPECT_EQ(colors[roles[i]], rgb(row.rgb[i][0], row.rgb[i][1], row.rgb[i][2])) << i;
    // not in the file: the reader's defaults
    EXPECT_EQ(colors[Role::kGroupBorder], colors[Role::kCompFg]);
  }
  EXPECT_EQ(skinner->getSkin(0)->getColors()[Role::kTextOutLineSpecific], rgb(238, 238, 238));
  EXPECT_EQ(skinner->getSkin(85)->getColors()[Role::kTextOutLineSpecific], rgb(51, 51, 51));
}

TEST(BuiltInSkinsTest, EveryTextStaysLegibleOnItsBackground) {
  auto skinner = builtIn();
  struct Pair {
    Role text, background;
    const char* what;
  } pairs[] = {{Role::kText, Role::kWindowBg, "text"},
               {Role::kListFont, Role::kListBg, "list text"},
               {Role::kListFont, Role::kListAlternate, "list text on alternate rows"},
               {Role::kListHeaderFont, Role::kListHeaderBg, "selected rows and header captions"}};
  for (int i = 0; i < skinner->getSkinCount(); ++i) {
    const std::u16string name = skinner->getSkinName(i);
    const SkinColors c = skinner->getSkin(i)->getColors();
    for (const Pair& p : pairs) {
      // The given grey of one classic skin has light text at 4.0; it is kept as given.
      const double needed = name == u"Classic LG" && p.text == Role::kText ? 3.9 : 4.5;
      EXPECT_GE(contrast(c[p.text], c[p.background]), needed)
          << std::string(name.begin(), name.end()) << ": " << p.what;
    }
    // glyphs and frames must show on the window; the deep blue skin's violet marks are given
    if (name != u"Deep Water") {
      EXPECT_GE(contrast(c[Role::kCompFg], c[Role::kWindowBg]), 2.9) << std::string(name.begin(), name.end());
    }
  }
}

TEST(BuiltInSkinsTest, SeeThroughSkinsStayLegibleOverAnyDesktop) {
  // At 60 % opacity the desktop shows through text and background alike; the "Trans" skins are
  // made to keep their texts apart from their grounds over a white, black or grey desktop.
  auto blend = [](Color c, Color desk) {
    auto mix = [](int a, int b) { return static_cast<int>(std::lround(a * 0.6 + b * 0.4)); };
    return rgb(mix(platform::ui::redOf(c), platform::ui::redOf(desk)),
               mix(platform::ui::greenOf(c), platform::ui::greenOf(desk)),
               mix(platform::ui::blueOf(c), platform::ui::blueOf(desk)));
  };
  auto skinner = builtIn();
  int seeThrough = 0;
  for (int i = 0; i < skinner->getSkinCount(); ++i) {
    const std::u16string name = skinner->getSkinName(i);
    if (name.rfind(u"Trans", 0) != 0) continue;
    ++seeThrough;
    const SkinColors c = skinner->getSkin(i)->getColors();
    for (Color desk : {rgb(255, 255, 255), rgb(0, 0, 0), rgb(128, 128, 128)})
      for (auto [text, ground] : {std::pair{Role::kText, Role::kWindowBg}, std::pair{Role::kListFont, Role::kListBg},
                                  std::pair{Role::kListFont, Role::kListAlternate},
                                  std::pair{Role::kListHeaderFont, Role::kListHeaderBg}})
        EXPECT_GE(contrast(blend(c[text], desk), blend(c[ground], desk)), 3.0)
            << std::string(name.begin(), name.end()) << " over " << desk;
  }
  EXPECT_EQ(seeThrough, 6);
}

TEST(BuiltInSkinsTest, ShippedFileIsWhatTheScriptWrites) {
  const std::string command = std::string("python3 ") + SONVIA_SOURCE_DIR + "/scripts/skins/build_skins.py --check";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
