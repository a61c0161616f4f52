// Widgets painted in three skins of very different colours (light, dark, coloured), compared with
// images that were looked at and kept. Shapes must match to the pixel; text may differ a little
// between font versions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/ui/Image.h"
#include "s/gui/counter/CounterData.h"
#include "s/gui/drawer/BuiltInSkins.h"
#include "s/gui/drawer/SkinPreview.h"
#include "s/gui/drawer/Skinner.h"
#include "s/thread/Pooled.h"

namespace {

using platform::ui::Image;
using s::gui::drawer::SkinPreview;

int differingPixels(const Image& a, const Image& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y) || a.alpha(x, y) != b.alpha(x, y);
  return n;
}

void compareWithGolden(const Image& actual, const std::string& name, bool hasText) {
  const std::string golden = std::string(SONVIA_SOURCE_DIR) + "/tests/s/gui/drawer/golden/" + name + ".png";
  if (const char* update = std::getenv("SONVIA_UPDATE_GOLDEN"); update && *update == '1') {
    ASSERT_TRUE(actual.savePng(golden));
  }
  const std::string saved = ::testing::TempDir() + "/" + name + ".png";
  ASSERT_TRUE(actual.savePng(saved));
  const Image expected = Image::loadPng(golden);
  ASSERT_TRUE(expected.valid()) << "no reviewed image at " << golden << "; this run's is " << saved;
  ASSERT_EQ(expected.width(), actual.width()) << name;
  ASSERT_EQ(expected.height(), actual.height()) << name;
  const int allowed = hasText ? actual.width() * actual.height() / 100 : 0;
  EXPECT_LE(differingPixels(actual, expected), allowed) << "compare " << saved << " with " << golden;
}

class SkinGoldenTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SkinGoldenTest, WidgetsMatchTheirReviewedImages) {
  auto skinner = s::thread::holdPooled(s::gui::drawer::Skinner::createSkinner());
  ASSERT_TRUE(s::gui::drawer::BuiltInSkins::load(*skinner));
  const std::string skinName = GetParam();
  const int index = skinner->findSkin(std::u16string(skinName.begin(), skinName.end()));
  ASSERT_GE(index, 0) << skinName;
  const auto& skin = *skinner->getSkin(index);
  std::string file = skinName;
  for (char& c : file)
    if (c == ' ') c = '-';

  compareWithGolden(SkinPreview::glyphs(skin, {22, 16}), file + "-glyphs-22x16", false);
  compareWithGolden(SkinPreview::glyphs(skin, {30, 24}), file + "-glyphs-30x24", false);

  s::gui::drawer::SliderState slider;
  slider.value = 60;
  slider.highlight = true;
  compareWithGolden(SkinPreview::slider(skin, slider, {100, 12}), file + "-slider", false);

  auto series = s::thread::holdPooled(s::gui::counter::CounterData::create());
  series->setAutomaticMaximum(true);
  for (int i = 0; i < 240; ++i) series->addSample((i * 37) % 101);
  compareWithGolden(SkinPreview::counter(skin, 2, *series, {200, 18}), file + "-counter", false);

  compareWithGolden(SkinPreview::list(skin, {240, 110}), file + "-list", true);
}

INSTANTIATE_TEST_SUITE_P(ThreeSkins, SkinGoldenTest, ::testing::Values("Fresh L", "Sheer Black", "Deep Water"),
                         [](const auto& info) {
                           std::string name = info.param;
                           std::erase(name, ' ');
                           return name;
                         });

}  // namespace
