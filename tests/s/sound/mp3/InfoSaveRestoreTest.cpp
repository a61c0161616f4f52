#include <gtest/gtest.h>

#include <string>

#include "platform/text/Utf.h"
#include "s/sound/mp3/win/Info.h"
#include "s/system/codepage/CodePageList.h"
#include "s/xml/MappedData.h"
#include "tests/s/sound/mp3/TagTestFiles.h"
#include "s/thread/Pooled.h"

namespace {

using s::sound::mp3::TagFields;
using s::sound::mp3::win::Info;
using s::system::codepage::CodePageList;
using namespace tag_test_files;

std::u16string wide(const std::string& path) { return platform::text::fileNameToUtf16(path); }

std::string bytesOf(const Info& info, int field) {
  const auto& bytes = info.getTagBytes(field);
  return std::string(reinterpret_cast<const char*>(bytes.bytes()), bytes.size());
}

TEST(InfoSaveRestore, TextsBytesAndCodePagesSurviveAPlayListFileAndForcedFlagsDoNot) {
  testing_support::TempDir dir;
  std::string song = dir.file("song.mp3"), list = dir.file("list.mpl");
  ASSERT_TRUE(makeMp3(song));
  ASSERT_TRUE(run("id3v2 -t " + shellWord("\x93\xfa\x96\x7b") + " -a " +
                  shellWord("\xcf\xf0\xe8") + " -A Album " + song));
  Info saved;
  ASSERT_TRUE(saved.load(wide(song)));
  saved.setCodePage(CodePageList::byNumber(932), true);
  saved.setArtistCodePage(CodePageList::byNumber(1251), true);
  saved.setSongNumber(7);
  saved.setPlayTimeMs(300);
  saved.setBitRateKbps(128);
  saved.setVolumeBoost(25);

  auto out = s::thread::holdPooled(s::xml::openXmlStore(wide(list).c_str(), u"PlayListXml", false));
  saved.save(out.get(), u"PlayList\\_0", wide(list).c_str());
  out->flush();
  std::string file = readFile(list);
  EXPECT_NE(file.find("filePath=\"song.mp3\""), std::string::npos) << file;  // beside the list
  EXPECT_NE(file.find("titleCodePageName=\"Japanese (Shift_JIS)\""), std::string::npos) << file;
  EXPECT_EQ(file.find("CodePageForced"), std::string::npos);
  EXPECT_EQ(file.find("year"), std::string::npos);  // no text, no keys

  auto in = s::thread::holdPooled(s::xml::openXmlStore(wide(list).c_str(), u"PlayListXml", true));
  Info restored;
  restored.restore(in.get(), u"PlayList\\_0", wide(list).c_str(), u"");
  EXPECT_EQ(restored.getPath(), wide(song));
  EXPECT_EQ(restored.getSongNumber(), 7);
  EXPECT_EQ(restored.getPlayTimeMs(), 300);
  EXPECT_EQ(restored.getBitRateKbps(), 128);
  EXPECT_EQ(restored.getVolumeBoost(), 25);
  for (int field : {TagFields::kTitle, TagFields::kArtist, TagFields::kAlbum}) {
    SCOPED_TRACE(field);
    EXPECT_EQ(restored.getTag(field).view(), saved.getTag(field).view());
    EXPECT_EQ(bytesOf(restored, field), bytesOf(saved, field));
    EXPECT_EQ(restored.getTagCodePage(field), saved.getTagCodePage(field));
    EXPECT_EQ(restored.getTagCodePageChoice(field), saved.getTagCodePage(field));
    EXPECT_FALSE(restored.isTagForced(field));
  }
  EXPECT_EQ(restored.getTitle(), u"日本");
  EXPECT_EQ(restored.getArtist(), u"При");
  EXPECT_FALSE(restored.isCodePageForced());
  // The restored bytes decode again like the loaded ones.
  restored.setTitleCodePage(CodePageList::byNumber(1252), false);
  EXPECT_EQ(restored.getTitle(), u"“ú–{");
}

TEST(InfoSaveRestore, MissingKeysGiveDefaultsAndUnknownCodePagesAreIgnored) {
  testing_support::TempDir dir;
  std::string list = dir.file("odd.mpl");
  auto store = s::thread::holdPooled(s::xml::openXmlStore(wide(list).c_str(), u"PlayListXml", false));
  store->setString(u"PlayList\\_0", u"filePath", u"/music/a.mp3");
  store->setString(u"PlayList\\_0", u"title", u"Kept as saved");
  store->setString(u"PlayList\\_0", u"titleCodePageName", u"Klingon (KLI-1)");
  store->setS32(u"PlayList\\_0", u"titleCodePage", 1251);
  store->setString(u"PlayList\\_0", u"artist", u"A");
  store->setString(u"PlayList\\_0", u"artistCodePageName", u"Klingon (KLI-1)");
  store->setS32(u"PlayList\\_0", u"artistCodePage", -5);
  store->setBool(u"PlayList\\_0", u"albumCodePageForced", true);
  Info info;
  info.restore(store.get(), u"PlayList\\_0", u"", u"");
  EXPECT_EQ(info.getPath(), u"/music/a.mp3");
  EXPECT_FALSE(info.hasSongNumber());
  EXPECT_EQ(info.getBitRateKbps(), 0);
  EXPECT_TRUE(info.isStereo());
  EXPECT_EQ(info.getSampleRate(), 44100);
  EXPECT_FALSE(info.hasVolumeBoost());
  EXPECT_EQ(info.getTitle(), u"Kept as saved");
  EXPECT_EQ(info.getTitleCodePage()->getNumber(), 1251u);  // the name failed, the number did not
  EXPECT_EQ(info.getArtistCodePageChoice(), nullptr);      // neither: the default stays
  EXPECT_EQ(info.getArtistCodePage(), CodePageList::getDefault());
  EXPECT_TRUE(info.isTagForced(TagFields::kAlbum));
}

}  // namespace
