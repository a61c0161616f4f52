#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/text/Utf.h"
#include "s/file/FileInputStream.h"
#include "s/file/FileOutputStream.h"
#include "s/file/win/PathWin.h"
#include "tests/support/TempDir.h"

namespace {

using s::file::win::PathWin;

std::u16string u16(const std::string& s) { return platform::text::fileNameToUtf16(s); }

TEST(PathWin, PiecesOfAPath) {
  struct Case {
    const char16_t* path;
    const char16_t* folder;
    const char16_t* file;
    const char16_t* base;
    const char16_t* ext;
  } cases[] = {
      {u"/music/a.b.mp3", u"/music", u"a.b.mp3", u"a.b", u"mp3"},
      {u"/a", u"/", u"a", u"a", u""},
      {u"song.WAV", u"", u"song.WAV", u"song", u"WAV"},
      {u"/m/.hidden", u"/m", u".hidden", u".hidden", u""},
      {u"/m.d/noext", u"/m.d", u"noext", u"noext", u""},
      {u"C:\\Music\\x.mp3", u"C:\\Music", u"x.mp3", u"x", u"mp3"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PathWin::folder(c.path), c.folder) << platform::text::utf16ToUtf8(c.path);
    EXPECT_EQ(PathWin::fileName(c.path), c.file) << platform::text::utf16ToUtf8(c.path);
    EXPECT_EQ(PathWin::baseName(c.path), c.base) << platform::text::utf16ToUtf8(c.path);
    EXPECT_EQ(PathWin::extension(c.path), c.ext) << platform::text::utf16ToUtf8(c.path);
  }
  EXPECT_TRUE(PathWin::hasExtension(u"/x/Song.Mp3", u"mp3"));
  EXPECT_FALSE(PathWin::hasExtension(u"/x/Song.mp3.bak", u"mp3"));
  EXPECT_TRUE(PathWin::isAbsolute(u"/x"));
  EXPECT_TRUE(PathWin::isAbsolute(u"D:\\x"));
  EXPECT_TRUE(PathWin::isAbsolute(u"\\\\server\\share"));
  EXPECT_FALSE(PathWin::isAbsolute(u"x/y"));
  EXPECT_EQ(PathWin::join(u"/m", u"a.mp3"), u"/m/a.mp3");
  EXPECT_EQ(PathWin::join(u"/m/", u"/abs.mp3"), u"/abs.mp3");
  EXPECT_EQ(PathWin::relativeInside(u"/m", u"/m/x/a.mp3"), u"x/a.mp3");
  EXPECT_EQ(PathWin::relativeInside(u"/m/", u"/m/a.mp3"), u"a.mp3");
  EXPECT_EQ(PathWin::relativeInside(u"/m", u"/music/a.mp3"), u"");  // a sibling, not inside
  EXPECT_EQ(PathWin::relativeInside(u"/M", u"/m/a.mp3"), u"");      // names are case-sensitive
  EXPECT_EQ(PathWin::normalize(u"/a/./b/../c//d"), u"/a/c/d");
  EXPECT_EQ(PathWin::normalize(u"../x/../../y"), u"../../y");
  EXPECT_EQ(PathWin::fromWindows(u"sub\\a.mp3"), u"sub/a.mp3");
}

TEST(FileStreams, WriteReadSeekAndReportFailures) {
  testing_support::TempDir dir;
  std::u16string folder = u16(dir.file("deep/er"));
  ASSERT_TRUE(PathWin::createFolders(folder));
  EXPECT_TRUE(PathWin::isFolder(folder));
  std::u16string path = PathWin::join(folder, u"data.bin");

  s::file::FileOutputStream out;
  ASSERT_TRUE(out.open(path));
  std::string payload(10000, 'q');
  payload[9999] = 'z';
  EXPECT_TRUE(out.write(payload.data(), static_cast<uint32_t>(payload.size())));
  EXPECT_TRUE(out.flush());
  EXPECT_TRUE(out.close());

  auto* in = s::file::FileInputStream::create();
  ASSERT_TRUE(in->open(path));
  EXPECT_EQ(in->getSize(), 10000);
  ASSERT_TRUE(in->seek(9990));
  char buf[64];
  uint32_t got = 0;
  EXPECT_TRUE(in->read(buf, sizeof buf, &got));
  EXPECT_EQ(got, 10u);
  EXPECT_EQ(buf[9], 'z');
  EXPECT_EQ(in->getPosition(), 10000);
  EXPECT_FALSE(in->read(buf, sizeof buf, &got));  // end of file
  EXPECT_EQ(got, 0u);
  in->release();

  s::file::FileInputStream missing;
  EXPECT_FALSE(missing.open(PathWin::join(folder, u"nope")));
  EXPECT_STREQ(missing.lastError(), "No such file or directory");
  EXPECT_FALSE(missing.open(folder));  // a folder is not a file
  EXPECT_EQ(PathWin::fileSize(path), 10000);
  EXPECT_EQ(PathWin::fileSize(folder), -1);
}

TEST(FileStreams, MoveReplacingSwapsWholeFilesAndOddNamesSurvive) {
  testing_support::TempDir dir;
  std::u16string target = u16(dir.file("list.mpl"));
  std::u16string temp = u16(dir.file("list.mpl.tmp"));
  std::ofstream(dir.file("list.mpl")) << "old";
  std::ofstream(dir.file("list.mpl.tmp")) << "new";
  EXPECT_TRUE(PathWin::moveReplacing(temp, target));
  EXPECT_FALSE(PathWin::exists(temp));
  std::string text;
  std::ifstream(dir.file("list.mpl")) >> text;
  EXPECT_EQ(text, "new");

  // A file name that is not valid UTF-8 still opens through the program's UTF-16 strings.
  std::string odd = dir.file("bad\xFFname.mp3");
  std::ofstream(odd) << "x";
  std::u16string oddPath = u16(odd);
  EXPECT_TRUE(PathWin::isFile(oddPath));
  auto names = PathWin::listFolder(u16(dir.path()));
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(platform::text::fileNameFromUtf16(names[0]), "bad\xFFname.mp3");
  EXPECT_EQ(names[1], u"list.mpl");
}

}  // namespace
