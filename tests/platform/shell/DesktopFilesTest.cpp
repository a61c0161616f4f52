// The desktop's small files: the user's default programs and our desktop entry.
#include <gtest/gtest.h>

#include "platform/shell/DesktopEntry.h"
#include "platform/shell/MimeAppsList.h"
#include "tests/s/system/audio/CliRun.h"
#include "tests/support/TempDir.h"

using platform::shell::DesktopEntry;
using platform::shell::MimeAppsList;

TEST(MimeAppsList, ChangesOneDefaultAndKeepsEveryOtherLine) {
  const std::optional<std::string> ours = std::string("sonvia.desktop;");
  struct Case {
    std::string before;
    std::optional<std::string> value;
    std::string after;
  } cases[] = {
      {"", ours, "[Default Applications]\naudio/mpeg=sonvia.desktop;\n"},
      {"# c\n[Added Associations]\naudio/mpeg=a.desktop;\n", ours,
       "# c\n[Added Associations]\naudio/mpeg=a.desktop;\n\n[Default Applications]\naudio/mpeg=sonvia.desktop;\n"},
      {"[Default Applications]\naudio/mpeg = old.desktop;\ntext/plain=t.desktop;\n\n[Added Associations]\nx/y=z;\n",
       ours,
       "[Default Applications]\naudio/mpeg=sonvia.desktop;\ntext/plain=t.desktop;\n\n[Added Associations]\nx/y=z;\n"},
      {"[Default Applications]\ntext/plain=t.desktop;\n\n[Other]\na=b\n", ours,
       "[Default Applications]\ntext/plain=t.desktop;\naudio/mpeg=sonvia.desktop;\n\n[Other]\na=b\n"},
      {"[Default Applications]\naudio/mpeg=a;\naudio/mpeg=b;\naudio/mpegx=c;\n", std::nullopt,
       "[Default Applications]\naudio/mpegx=c;\n"},
      {"[Added Associations]\naudio/mpeg=a;\n", std::nullopt, "[Added Associations]\naudio/mpeg=a;\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MimeAppsList::withDefault(c.before, "audio/mpeg", c.value), c.after) << c.before;
    EXPECT_EQ(MimeAppsList::defaultIn(c.after, "audio/mpeg"), c.value) << c.after;
  }
  EXPECT_EQ(MimeAppsList::firstId(" vlc.desktop;mpv.desktop;"), "vlc.desktop");
}

TEST(DesktopEntry, AnyProgramPathSurvivesTheExecLineAndTheEntryValidates) {
  testing_support::TempDir dir;
  const std::string paths[] = {"/usr/bin/sonvia", "/opt/My Music/sonvia", "/o/a\"b`c$d\\e/sonvia",
                               "/o/100%/x;y&z(1)'q'/sonvia", "/o/\xe6\x97\xa5/s"};
  for (const std::string& path : paths) {
    const std::string text = DesktopEntry::text(path, {"audio/mpeg", "audio/x-wav"});
    EXPECT_EQ(DesktopEntry::programOf(text), path) << text;
    const std::string file = dir.file("sonvia.desktop");
    FILE* f = std::fopen(file.c_str(), "w");
    std::fputs(text.c_str(), f);
    std::fclose(f);
    const auto validate = enginetest::runProgram("desktop-file-validate", enginetest::q(file));
    EXPECT_EQ(validate.status, 0) << path << "\n" << validate.out;
  }
  EXPECT_EQ(DesktopEntry::text("/a\nb", {}), "") << "a newline cannot be written in an entry";
}
