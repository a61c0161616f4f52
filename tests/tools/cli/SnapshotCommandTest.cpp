// sonvia-cli snapshot: the real player window drawn headless, run as a user would, and one
// picture of it compared with an image that was looked at and kept.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ui/Image.h"
#include "tests/support/CliRun.h"
#include "tests/support/Signals.h"
#include "tests/support/TempDir.h"

namespace {

using testing_support::runCli;

std::string q(const std::string& path) { return testing_support::quoted(path); }
using platform::ui::Image;

// A tone that swells and fades, so that the display's graph has a shape.
std::vector<int16_t> swelling(double hz, double seconds, uint32_t rate) {
  std::vector<int16_t> pcm = testing_support::sine16(hz, seconds, rate, 2);
  for (std::size_t i = 0; i < pcm.size(); ++i) {
    const double t = static_cast<double>(i / 2) / rate;
    pcm[i] = static_cast<int16_t>(pcm[i] * (0.3 + 0.7 * std::fabs(std::sin(t * 1.7))));
  }
  return pcm;
}

class SnapshotCommandTest : public ::testing::Test {
 protected:
  SnapshotCommandTest() {
    // The default play list lives in the music folder: the test's own, so nothing of the user's
    // is shown.
    env = "XDG_MUSIC_DIR=" + q(dir.file("music")) + " XDG_CONFIG_HOME=" + q(dir.file("config"));
  }
  // A list "Evening" of three songs.
  std::string evening() {
    const std::string list = dir.file("Evening.mpl");
    std::string songs;
    for (auto [name, seconds, hz] : {std::tuple{"Harbour Lights", 12.0, 330.0}, std::tuple{"Morning Light", 4.0, 440.0},
                                     std::tuple{"Night Train", 9.0, 220.0}}) {
      const std::string path = dir.file(std::string(name) + ".wav");
      EXPECT_TRUE(testing_support::writeWave16(path, swelling(hz, seconds, 22050), 22050, 2));
      songs += " " + q(path);
    }
    EXPECT_EQ(runCli("playlist add " + q(list) + songs, env).status, 0);
    return list;
  }
  Image snapshot(const std::string& args) {
    const std::string out = dir.file("out.png");
    const auto r = runCli("snapshot " + q(out) + " " + args, env);
    EXPECT_EQ(r.status, 0) << r.all();
    return Image::loadPng(out);
  }

  testing_support::TempDir dir;
  std::string env;
};

TEST_F(SnapshotCommandTest, TheStripAndTheLargeWindowHaveTheirSizes) {
  struct Case {
    std::string args;
    int width, height;
  } cases[] = {{"", 300, 46}, {"--large", 350, 280}, {"--scale 3", 900, 138}, {"--large --lang jpn", 350, 280}};
  for (const Case& c : cases) {
    const Image image = snapshot(c.args);
    ASSERT_TRUE(image.valid()) << c.args;
    EXPECT_EQ(image.width(), c.width) << c.args;
    EXPECT_EQ(image.height(), c.height) << c.args;
  }
}

TEST_F(SnapshotCommandTest, BadArgumentsAreExplained) {
  const std::string out = q(dir.file("x.png"));
  const std::string notes = dir.file("notes.txt");
  ASSERT_TRUE(testing_support::writeWave16(dir.file("short.wav"), {}, 8000, 1));
  struct Case {
    std::string args;
    int status;
    const char* says;
  } cases[] = {{"", 2, "needs OUT.png"},
               {out + " --wobble", 2, "unknown option --wobble"},
               {out + " --scale 0", 2, "--scale"},
               {out + " --skin", 2, "--skin needs a value"},
               {out + " --skin 'No Such'", 1, "no skin named"},
               {out + " --lang Klingon", 1, "no language named"},
               {out + " --list " + q(dir.file("missing.mpl")), 1, "no play list file"},
               {out + " --playing " + q(notes), 1, "cannot open"},
               {"/nonexistent-folder/x.png", 1, "cannot write"}};
  for (const Case& c : cases) {
    const auto r = runCli("snapshot " + c.args, env);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.all();
    EXPECT_NE(r.all().find(c.says), std::string::npos) << c.args << "\n" << r.all();
  }
}

int differingPixels(const Image& a, const Image& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  return n;
}

// The window with its list, a song five seconds in: the tree, the skin's drawers, the display's
// graph and the playing row's mark all in one picture. Text may differ a little between font
// versions; shapes may not.
TEST_F(SnapshotCommandTest, APlayingWindowMatchesItsReviewedImage) {
  const std::string list = evening();
  const Image actual =
      snapshot("--large --skin 'Deep Water' --list " + q(list) + " --playing " + q(dir.file("Harbour Lights.wav")));
  ASSERT_TRUE(actual.valid());
  const std::string golden = std::string(SONVIA_SOURCE_DIR) + "/tests/tools/cli/golden/player-playing-Deep-Water.png";
  if (const char* update = std::getenv("SONVIA_UPDATE_GOLDEN"); update && *update == '1') {
    ASSERT_TRUE(actual.savePng(golden));
  }
  const std::string saved = ::testing::TempDir() + "/player-playing-Deep-Water.png";
  ASSERT_TRUE(actual.savePng(saved));
  const Image expected = Image::loadPng(golden);
  ASSERT_TRUE(expected.valid()) << "no reviewed image at " << golden << "; this run's is " << saved;
  ASSERT_EQ(expected.width(), actual.width());
  ASSERT_EQ(expected.height(), actual.height());
  EXPECT_LE(differingPixels(actual, expected), actual.width() * actual.height() / 100)
      << "compare " << saved << " with " << golden;
}

}  // namespace
