// sonvia-cli skins and paint, run as a user would.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/ui/Image.h"
#include "tests/s/system/audio/CliRun.h"
#include "tests/support/TempDir.h"

namespace {

using enginetest::cli;
using enginetest::q;

int occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(SkinsCommandTest, ListsTheBuiltInSkinsWithTheirColours) {
  const auto r = cli("skins");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(occurrences(r.out, "\"name\""), 86);
  EXPECT_NE(r.out.find("{\"name\": \"Fresh L\", \"windowBg\": [231, 233, 237]"), std::string::npos) << r.out;
  EXPECT_LT(r.out.find("\"Fresh L\""), r.out.find("\"Deep Water\""));
  EXPECT_EQ(occurrences(r.out, "\"counter02\": [255, 165, 0]"), 86);
}

TEST(SkinsCommandTest, SetListsWhatAnImportWouldAdd) {
  testing_support::TempDir dir;
  const std::string file = dir.file("mine.xml");
  std::ofstream(file) << "<SkinSetXml><SkinSet><ThinWindow numOfSkins=\"2\"></ThinWindow>"
                         "<ThinWindow_0 name=\"\"></ThinWindow_0>"
                         "<ThinWindow_1 name=\"Mine\"><text R=\"200\" G=\"200\" B=\"200\"></text></ThinWindow_1>"
                         "</SkinSet></SkinSetXml>";
  const auto r = cli("skins --set " + q(file));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(occurrences(r.out, "\"name\""), 1);
  EXPECT_NE(r.out.find("\"textOutLineSpecific\": [51, 51, 51]"), std::string::npos) << r.out;

  std::ofstream(dir.file("other.xml")) << "<lang></lang>";
  const auto wrong = cli("skins --set " + q(dir.file("other.xml")));
  EXPECT_EQ(wrong.status, 1);
  EXPECT_NE(wrong.out.find("not a skin-set file"), std::string::npos) << wrong.out;
  EXPECT_EQ(cli("skins --set " + q(dir.file("missing.xml"))).status, 1);
}

TEST(SkinsCommandTest, PaintWritesTheWidgetEnlarged) {
  testing_support::TempDir dir;
  const std::string out = dir.file("button.png");
  const auto r = cli("paint button " + q(out) + " --caption '#Stop' --size 22x16 --checked --scale 3 --skin 'Sheer Black'");
  ASSERT_EQ(r.status, 0) << r.out;
  const platform::ui::Image image = platform::ui::Image::loadPng(out);
  ASSERT_TRUE(image.valid());
  EXPECT_EQ(image.width(), 66);
  EXPECT_EQ(image.height(), 48);
  EXPECT_EQ(image.pixel(4 * 3, 1 * 3), platform::ui::rgb(255, 255, 255));  // the checked glyph colour

  for (const char* widget : {"slider", "counter", "list", "glyphs", "player"})
    EXPECT_EQ(cli(std::string("paint ") + widget + " " + q(dir.file(std::string(widget) + ".png"))).status, 0) << widget;
  const auto window = cli("paint window " + q(dir.file("w.png")) + " --size 40x30 --corners 2,0");
  EXPECT_EQ(window.status, 0) << window.out;
  const platform::ui::Image w = platform::ui::Image::loadPng(dir.file("w.png"));
  EXPECT_EQ(w.alpha(0, 0), 0);
  EXPECT_EQ(w.alpha(0, 29), 255);
}

TEST(SkinsCommandTest, BadArgumentsAreExplained) {
  testing_support::TempDir dir;
  const std::string out = q(dir.file("x.png"));
  struct Case {
    std::string args;
    int status;
    const char* says;
  } cases[] = {{"paint button " + out + " --size 0x5", 2, "--size"},
               {"paint button " + out + " --hover 3", 2, "--hover"},
               {"paint window " + out + " --corners 1", 2, "--corners"},
               {"paint dial " + out, 2, "unknown widget"},
               {"paint button " + out + " --skin 'No Such'", 1, "no skin named"},
               {"paint button " + out + " --wobble", 2, "unknown option"},
               {"paint button /nonexistent-folder/x.png", 1, "cannot write"}};
  for (const Case& c : cases) {
    const auto r = cli(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
    EXPECT_NE(r.out.find(c.says), std::string::npos) << c.args << "\n" << r.out;
  }
}

}  // namespace
