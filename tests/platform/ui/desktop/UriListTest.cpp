#include <gtest/gtest.h>

#include "platform/ui/desktop/UriList.h"

namespace {

using platform::ui::desktop::UriList;

TEST(UriListTest, AnyBytePathSurvivesTheRoundTrip) {
  std::string longName = "/music/" + std::string(1000, 'a') + ".mp3";
  std::vector<std::string> paths = {
      "/home/u/Music/a b.mp3",
      "/home/u/Musik/Ärzte – Schrei.mp3",
      std::string("/home/u/latin1-\xe9t\xe9.wav"),  // not UTF-8
      "/odd/100%/#1 ?.mpl",
      "/x/\r\nline.mp3",
      longName,
  };
  std::string list = UriList::encode(paths);
  EXPECT_EQ(list.find(' '), std::string::npos) << list;
  EXPECT_EQ(UriList::decode(list), paths);
  EXPECT_EQ(UriList::fileUri("/a b/c"), "file:///a%20b/c");
  EXPECT_EQ(UriList::fileUri("relative/x"), "");
}

TEST(UriListTest, DecodesWhatOtherProgramsSend) {
  struct Case {
    const char* list;
    std::vector<std::string> paths;
  } cases[] = {
      {"file:///a%20b.mp3\r\n", {"/a b.mp3"}},
      {"file:///one\nfile:///two", {"/one", "/two"}},  // bare LF, no final line end
      {"# comment\r\n\r\nfile:///x\r\n", {"/x"}},
      {"file://localhost/x\r\n", {"/x"}},
      {"FILE:///upper\r\n", {"/upper"}},
      {"file:/single-slash\r\n", {"/single-slash"}},
      {"file:///%e9t%E9\r\n", {std::string("/\xe9t\xe9")}},
      {"file:///raw-\xe9\r\n", {std::string("/raw-\xe9")}},  // unescaped bytes taken as they come
      {"file://otherhost/x\r\nhttp://example.org/a.mp3\r\n", {}},
      {"file:///a%2Fb\r\nfile:///nul%00\r\nfile:///bad%zz\r\nfile:///cut%4\r\n", {}},
      {"file:///song.mp3?x=1#frag\r\n", {"/song.mp3"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(UriList::decode(c.list), c.paths) << c.list;
}

}  // namespace
