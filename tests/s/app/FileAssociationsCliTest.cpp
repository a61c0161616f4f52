// `sonvia -associate` / `-deassociate` in a private desktop session, checked with the desktop's
// own tools (xdg-mime, desktop-file-validate, GIO).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/shell/DesktopEntry.h"
#include "tests/s/system/audio/CliRun.h"
#include "tests/support/FileText.h"
#include "tests/support/TempDir.h"

using enginetest::q;
using enginetest::runProgram;
using namespace testing_support;

namespace {

struct Desktop {
  TempDir dir;
  Desktop() {
    mkdir(dir.file("config").c_str(), 0700);
    mkdir(dir.file("data").c_str(), 0700);
    mkdir(dir.file("run").c_str(), 0700);
    // The programs the user had chosen before, so that the desktop's tools see them installed.
    mkdir(dir.file("data/applications").c_str(), 0700);
    for (const char* id : {"vlc", "mpv", "audacious", "gedit"})
      writeText(dir.file("data/applications/") + id + ".desktop",
                std::string("[Desktop Entry]\nType=Application\nName=") + id + "\nExec=/bin/true %F\n");
  }
  std::string env() const {
    return "XDG_CONFIG_HOME=" + q(dir.file("config")) + " XDG_DATA_HOME=" + q(dir.file("data")) +
           " XDG_RUNTIME_DIR=" + q(dir.file("run")) +
           // A desktop that asks GIO for file types, as GNOME, Xfce and their kin do; the
           // generic mode's helpers never let a user's type win over a system one.
           " XDG_CURRENT_DESKTOP=GNOME";
  }
  enginetest::CliResult sonvia(const std::string& args) const {
    return runProgram(SONVIA_APP_PATH, args, env());
  }
  // One line of a tool's answer, without its newline.
  std::string tool(const std::string& command) const {
    std::string out = runProgram(command, "", env()).out;
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
  }
  std::string mimeapps() const { return dir.file("config") + "/mimeapps.list"; }
  std::string entry() const { return dir.file("data") + "/applications/sonvia.desktop"; }
};

constexpr const char* kPlayList =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><PlayListXml><Generator/><PlayList/></PlayListXml>";

}  // namespace

TEST(FileAssociations, AssociateMakesUsTheDefaultAndDeassociateGivesEveryPreviousDefaultBack) {
  Desktop d;
  const std::string before =
      "# mine\n[Default Applications]\naudio/mpeg=vlc.desktop;mpv.desktop;\ntext/plain=gedit.desktop;\n"
      "\n[Added Associations]\naudio/mpeg=vlc.desktop;\n";
  writeText(d.mimeapps(), before);
  writeText(d.dir.file("list.mpl"), kPlayList);
  writeText(d.dir.file("no-extension"), kPlayList);

  auto r = d.sonvia("-associate mp3 .WAV mpl");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(d.tool("xdg-mime query default audio/mpeg"), "sonvia.desktop");
  EXPECT_EQ(d.tool("xdg-mime query default audio/x-wav"), "sonvia.desktop");
  EXPECT_EQ(d.tool("xdg-mime query default application/x-sonvia-playlist"), "sonvia.desktop");
  EXPECT_EQ(d.tool("xdg-mime query filetype " + q(d.dir.file("list.mpl"))), "application/x-sonvia-playlist");
  for (const char* file : {"list.mpl", "no-extension"}) {
    const std::string info = d.tool("gio info -a standard::content-type " + q(d.dir.file(file)));
    EXPECT_NE(info.find("content-type: application/x-sonvia-playlist"), std::string::npos)
        << file << " (known by its root element too)\n" << info;
  }
  const auto validate = runProgram("desktop-file-validate", q(d.entry()));
  EXPECT_EQ(validate.status, 0) << validate.out;
  EXPECT_EQ(validate.out, "");
  EXPECT_EQ(platform::shell::DesktopEntry::programOf(readText(d.entry())), SONVIA_APP_PATH);
  EXPECT_TRUE(exists(d.dir.file("data") + "/icons/hicolor/scalable/apps/sonvia.svg"));
  EXPECT_TRUE(exists(d.dir.file("data") + "/icons/hicolor/48x48/apps/sonvia.png"));

  // Associating again must not take our own entry for the one to give back.
  ASSERT_EQ(d.sonvia("-associate mp3").status, 0);
  // The user chooses another program for WAVE files meanwhile.
  std::string chosen = readText(d.mimeapps());
  chosen.replace(chosen.find("audio/x-wav=sonvia.desktop;"), 27, "audio/x-wav=audacious.desktop;");
  writeText(d.mimeapps(), chosen);

  r = d.sonvia("-deassociate mp3 wav mpl");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(d.tool("xdg-mime query default audio/mpeg"), "vlc.desktop");
  EXPECT_EQ(d.tool("xdg-mime query default audio/x-wav"), "audacious.desktop") << "left alone";
  std::string expected = before;
  expected.insert(expected.find("\n\n[Added"), "\naudio/x-wav=audacious.desktop;");
  EXPECT_EQ(readText(d.mimeapps()), expected);
  EXPECT_FALSE(exists(d.entry())) << "nothing is associated any more";
  EXPECT_NE(d.tool("xdg-mime query filetype " + q(d.dir.file("list.mpl"))), "application/x-sonvia-playlist");
}

TEST(FileAssociations, WithoutAPreviousDefaultDeassociateLeavesNoneAndUnknownExtensionsAreRefused) {
  Desktop d;
  ASSERT_EQ(d.sonvia("-associate wav").status, 0);
  EXPECT_EQ(d.tool("xdg-mime query default audio/x-wav"), "sonvia.desktop");
  EXPECT_EQ(readText(d.entry()).find("audio/mpeg"), std::string::npos) << "only what is associated";
  ASSERT_EQ(d.sonvia("-deassociate wav").status, 0);
  EXPECT_EQ(readText(d.mimeapps()).find("audio/x-wav"), std::string::npos) << readText(d.mimeapps());

  const auto r = d.sonvia("-associate ogg mp3");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("cannot associate 'ogg': only mp3, wav and mpl files"), std::string::npos) << r.out;
  EXPECT_EQ(d.tool("xdg-mime query default audio/mpeg"), "sonvia.desktop") << "the others are done";
}
