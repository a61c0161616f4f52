#include "s/sound/gui/dialogs/player/ForeignListFile.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "tests/support/TempDir.h"

namespace {

using s::sound::gui::dialogs::player::ForeignListFile;
using Format = ForeignListFile::Format;
using Result = ForeignListFile::Result;
namespace fs = std::filesystem;

// web, unsupported, other system, empty, missing, long lines
using Counts = std::array<int, 6>;
Counts countsOf(const Result& r) {
  return {r.web, r.unsupported, r.otherSystem, r.empty, r.missing, r.longLines};
}

std::vector<std::string> narrowed(const std::vector<std::u16string>& paths) {
  std::vector<std::string> out;
  for (const std::u16string& p : paths) out.push_back(platform::text::fileNameFromUtf16(p));
  return out;
}

struct Case {
  const char* what;
  Format format;
  std::string bytes;
  std::vector<std::string> paths;  // file-name bytes, the list lying in "/music"
  Counts counts;
};

Result parsed(const Case& c) {
  return ForeignListFile::parse(c.bytes, c.format, u"/music", false);
}

void check(const Case& c) {
  const Result r = parsed(c);
  EXPECT_TRUE(r.opened) << c.what << ": " << r.failure;
  EXPECT_EQ(narrowed(r.paths), c.paths) << c.what;
  EXPECT_EQ(countsOf(r), c.counts) << c.what;
}

const Counts kNone = {0, 0, 0, 0, 0, 0};

TEST(ForeignListFile, M3uEntriesBecomePathsOrAreCountedByWhyTheyNameNoFileHere) {
  const Case cases[] = {
      {"absolute", Format::kM3u, "/songs/a.mp3\n/songs/b c.wav\n/x:/d.mp3",
       {"/songs/a.mp3", "/songs/b c.wav", "/x:/d.mp3"}, kNone},
      {"relative to the list's folder", Format::kM3u, "a.mp3\nsub/b.mp3\n../up/c.mp3\n./d.mp3\n",
       {"/music/a.mp3", "/music/sub/b.mp3", "/up/c.mp3", "/music/d.mp3"}, kNone},
      {"relative, written on Windows", Format::kM3u, "Album\\Disc 1\\a.mp3\r\n..\\b.mp3\r\n",
       {"/music/Album/Disc 1/a.mp3", "/b.mp3"}, kNone},
      {"file addresses", Format::kM3u,
       "file:///songs/a%20b.mp3\nfile://localhost/x/%C3%A9t%C3%A9.mp3\nFILE:/x/y.mp3\n"
       "file:///x/100%.mp3\nfile:///x/caf%c3%a9%2Fz.mp3\nfile:///x/%FF.mp3\n",
       {"/songs/a b.mp3", "/x/\xC3\xA9t\xC3\xA9.mp3", "/x/y.mp3", "/x/100%.mp3",
        "/x/caf\xC3\xA9/z.mp3", "/x/\xFF.mp3"},
       kNone},
      {"file addresses naming no file here", Format::kM3u,
       "file://server/share/a.mp3\nfile:///C:/Music/a.mp3\nfile:///D|/a.mp3\nfile:///x/%00.mp3\n"
       "file:relative.mp3\nfile://localhost",
       {}, {0, 4, 2, 0, 0, 0}},
      {"web addresses", Format::kM3u,
       "http://radio.example/stream\nHTTPS://x.example/y.mp3\nftp://h/a.mp3\nmms://h/s\n"
       "rtsp://h/s\n/songs/kept.mp3\n",
       {"/songs/kept.mp3"}, {5, 0, 0, 0, 0, 0}},
      {"other addresses", Format::kM3u, "smb://host/share/a.mp3\nspotify:track:4uLU6hMCjMI75M1A2tKU\n",
       {}, {0, 2, 0, 0, 0, 0}},
      {"Windows paths", Format::kM3u,
       "C:\\Music\\a.mp3\n\\\\server\\share\\a.mp3\n\\Music\\a.mp3\nD:song.mp3\nc:/x.mp3\n", {},
       {0, 0, 5, 0, 0, 0}},
      {"extended M3U, comments, blank lines and spaces", Format::kM3u,
       "#EXTM3U\n\n#EXTINF:123,Artist - Title\n  a.mp3 \t\n\t\n#EXTGRP:Rock\n# b.mp3\nb.mp3",
       {"/music/a.mp3", "/music/b.mp3"}, kNone},
      {"CRLF, CR and mixed line ends", Format::kM3u, "#EXTM3U\r\na.mp3\r\nb.mp3\rc.mp3\n\rd.mp3\r\n",
       {"/music/a.mp3", "/music/b.mp3", "/music/c.mp3", "/music/d.mp3"}, kNone},
      {"a byte order mark", Format::kM3u, "\xEF\xBB\xBF" "a.mp3\n",
       {"/music/a.mp3"}, kNone},
      {"a byte order mark before a Latin-1 byte keeps the list UTF-8", Format::kM3u,
       "\xEF\xBB\xBF\xE9.mp3\n", {"/music/\xE9.mp3"}, kNone},
      {"UTF-8", Format::kM3u, "caf\xC3\xA9.mp3\n\xE6\x97\xA5\xE6\x9C\xAC.wav\n",
       {"/music/caf\xC3\xA9.mp3", "/music/\xE6\x97\xA5\xE6\x9C\xAC.wav"}, kNone},
      {"Windows-1252", Format::kM3u, "#EXTINF:1,Caf\xE9\ncaf\xE9.mp3\n\x80uro.mp3\n",
       {"/music/caf\xC3\xA9.mp3", "/music/\xE2\x82\xACuro.mp3"}, kNone},
      {"one bad byte makes all of an .m3u Windows-1252", Format::kM3u, "\xC3\xA9.mp3\n\xE9.mp3\n",
       {"/music/\xC3\x83\xC2\xA9.mp3", "/music/\xC3\xA9.mp3"}, kNone},
      {"an .m3u8 is UTF-8 and keeps other bytes as they are", Format::kM3u8,
       "\xC3\xA9.mp3\n\xE9.mp3\n", {"/music/\xC3\xA9.mp3", "/music/\xE9.mp3"}, kNone},
      {"a NUL in an entry", Format::kM3u, std::string("a\0b.mp3\nc.mp3", 13), {"/music/c.mp3"},
       {0, 1, 0, 0, 0, 0}},
      {"empty", Format::kM3u, "", {}, kNone},
  };
  for (const Case& c : cases) check(c);
}

TEST(ForeignListFile, PlsEntriesFollowTheirNumbersWhateverTheFileClaims) {
  const Case cases[] = {
      {"out of order, numbers compared as numbers", Format::kPls,
       "[playlist]\nFile2=b.mp3\nTitle2=Bee\nFile10=j.mp3\nFile1=a.mp3\nLength1=60\n"
       "NumberOfEntries=3\nVersion=2\n",
       {"/music/a.mp3", "/music/b.mp3", "/music/j.mp3"}, kNone},
      {"NumberOfEntries smaller than the entries", Format::kPls,
       "[playlist]\nNumberOfEntries=1\nFile1=a.mp3\nFile2=b.mp3\nFile3=c.mp3\n",
       {"/music/a.mp3", "/music/b.mp3", "/music/c.mp3"}, kNone},
      {"NumberOfEntries larger, numbers with gaps", Format::kPls,
       "[playlist]\nNumberOfEntries=99\nFile7=b.mp3\nFile3=a.mp3\n", {"/music/a.mp3", "/music/b.mp3"},
       kNone},
      {"empty entries and spaces", Format::kPls, "[playlist]\nFile1=\nFile2 = b.mp3 \nFile3=  \n",
       {"/music/b.mp3"}, {0, 0, 0, 2, 0, 0}},
      {"keys in any case, other sections ignored", Format::kPls,
       "[other]\nFile1=x.mp3\n[PlayList]\nfile2=b.mp3\nFILE1=a.mp3\n[more]\nFile0=y.mp3\n",
       {"/music/a.mp3", "/music/b.mp3"}, kNone},
      {"no section at all", Format::kPls, "File2=b.mp3\nFile1=a.mp3\n",
       {"/music/a.mp3", "/music/b.mp3"}, kNone},
      {"keys that are no entries", Format::kPls,
       "[playlist]\nFileName=x.mp3\nFile=y.mp3\nFile1x=z.mp3\n; File1=c.mp3\nFile1 a.mp3\n", {}, kNone},
      {"a number too large, and a number given twice", Format::kPls,
       "[playlist]\nFile99999999999999999999999=z.mp3\nFile1=a.mp3\nFile1=b.mp3\n",
       {"/music/a.mp3", "/music/b.mp3", "/music/z.mp3"}, kNone},
      {"streams, Windows paths and addresses", Format::kPls,
       "[playlist]\r\nFile1=http://radio.example:8000/\r\nFile2=C:\\a.mp3\r\nFile3=file:///x/a%20b.mp3"
       "\r\nFile4=Album\\c.mp3\r\n",
       {"/x/a b.mp3", "/music/Album/c.mp3"}, {1, 0, 1, 0, 0, 0}},
      {"a byte order mark and Windows-1252", Format::kPls, "\xEF\xBB\xBF[playlist]\nFile1=a.mp3\n",
       {"/music/a.mp3"}, kNone},
      {"Windows-1252", Format::kPls, "[playlist]\nFile1=caf\xE9.mp3\n", {"/music/caf\xC3\xA9.mp3"},
       kNone},
  };
  for (const Case& c : cases) check(c);
}

TEST(ForeignListFile, AnOverlongLineIsLeftOutAndTheListReadOn) {
  const std::size_t longest = ForeignListFile::kLongestLine;
  // The line at the limit is still taken.
  const std::string atLimit = "/" + std::string(longest - 1, 'x');
  const std::string bytes = "a.mp3\n" + std::string(longest + 1, 'y') + "\r\n" + atLimit +
                            "\n#" + std::string(3 * longest, 'z') + "\nb.mp3";
  const Result r = ForeignListFile::parse(bytes, Format::kM3u, u"/music", false);
  EXPECT_EQ(narrowed(r.paths), (std::vector<std::string>{"/music/a.mp3", atLimit, "/music/b.mp3"}));
  EXPECT_EQ(r.longLines, 2);
  EXPECT_EQ(r.firstLongLine, 2);
  EXPECT_EQ(r.skippedText(), "2 lines longer than 65536 bytes (the first is line 2)");
}

TEST(ForeignListFile, AListInUtf16IsRefusedWithAMessage) {
  for (const std::string& bytes : {std::string("\xFF\xFE" "a\0.\0m\0p\0" "3\0", 12),
                                   std::string("\xFE\xFF\0a", 4)}) {
    const Result r = ForeignListFile::parse(bytes, Format::kM3u, u"/music", false);
    EXPECT_FALSE(r.opened);
    EXPECT_TRUE(r.paths.empty());
    EXPECT_NE(r.summary().find("UTF-16"), std::string::npos) << r.summary();
  }
}

class ForeignListFileOnDisk : public ::testing::Test {
 protected:
  std::string make(const std::string& name, const std::string& bytes = "") {
    const std::string path = dir_.file(name);
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  Result read(const std::string& path, bool checkFiles) {
    return ForeignListFile::read(platform::text::fileNameToUtf16(path), checkFiles);
  }
  testing_support::TempDir dir_;
};

TEST_F(ForeignListFileOnDisk, EntriesResolveBesideTheListAndMissingFilesAreCountedWhenAsked) {
  const std::string a = make("songs/a.wav"), sub = dir_.file("songs/sub");
  fs::create_directories(sub);
  const std::string list = make("lists/mix.M3U", "../songs/a.wav\n../songs/sub\n../songs/gone.wav\n");
  const Result unchecked = read(list, false);
  EXPECT_EQ(narrowed(unchecked.paths),
            (std::vector<std::string>{a, sub, dir_.file("songs/gone.wav")}));
  const Result checked = read(list, true);
  EXPECT_EQ(narrowed(checked.paths), (std::vector<std::string>{a, sub}));
  EXPECT_EQ(checked.missing, 1);
  EXPECT_EQ(checked.skippedText(), "1 missing file");
}

TEST_F(ForeignListFileOnDisk, ALatin1ListTakesTheNameThatExists) {
  // The name converted from Windows-1252, when it exists; else the bytes as they stand, as a
  // list written where file names were Latin-1 has them.
  const std::string converted = make("caf\xC3\xA9.wav"), asBytes = make("\xE9t\xE9.wav");
  const std::string colon = make("Intro: Take 2.wav");
  const std::string list = make("old.m3u", "caf\xE9.wav\n\xE9t\xE9.wav\nIntro: Take 2.wav\n");
  const Result r = read(list, true);
  EXPECT_EQ(narrowed(r.paths), (std::vector<std::string>{converted, asBytes, colon}));
  EXPECT_EQ(r.skipped(), 0) << r.skippedText();
  // Without looking files up, the text alone decides.
  const Result unchecked = read(list, false);
  EXPECT_EQ(narrowed(unchecked.paths),
            (std::vector<std::string>{converted, dir_.file("\xC3\xA9t\xC3\xA9.wav")}));
  EXPECT_EQ(unchecked.unsupported, 1);
}

TEST_F(ForeignListFileOnDisk, WhatIsNoReadableListSaysWhy) {
  EXPECT_EQ(read(dir_.file("none.m3u"), true).summary(),
            "cannot be read: No such file or directory");
  fs::create_directories(dir_.file("folder.pls"));
  EXPECT_FALSE(read(dir_.file("folder.pls"), true).opened);
  EXPECT_EQ(read(make("list.txt", "a.wav\n"), true).summary(),
            "not an .m3u, .m3u8 or .pls play list");
  const Result empty = read(make("empty.m3u8"), true);
  EXPECT_TRUE(empty.opened);
  EXPECT_EQ(empty.summary(), "added 0 songs");
}

TEST(ForeignListFile, FormatsAreKnownByTheirExtensionInAnyCase) {
  EXPECT_EQ(ForeignListFile::formatOf(u"/a/b.m3u"), Format::kM3u);
  EXPECT_EQ(ForeignListFile::formatOf(u"/a/b.M3U8"), Format::kM3u8);
  EXPECT_EQ(ForeignListFile::formatOf(u"/a/b.Pls"), Format::kPls);
  for (const char16_t* other : {u"/a/b.mpl", u"/a/m3u", u"/a.m3u/b", u"/a/b.m3u.txt"})
    EXPECT_EQ(ForeignListFile::formatOf(other), Format::kNone) << platform::text::utf16ToUtf8(other);
}

}  // namespace
