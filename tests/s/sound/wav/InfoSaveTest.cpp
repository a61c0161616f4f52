#include <gtest/gtest.h>

#include <string>

#include "s/sound/wav/Info.h"
#include "s/xml/MappedData.h"
#include "tests/s/sound/SoundFixtures.h"
#include "tests/support/TempDir.h"

namespace {

using s::sound::wav::Info;
using testing_support::u16;

constexpr const char16_t* kEntry = u"PlayList\\_0";

TEST(WavInfoSaveTest, KeysAreWrittenUnderTheirConditionsAndReadBack) {
  testing_support::TempDir dir;
  s::xml::MappedData store;
  store.open(u16(dir.file("list.mpl")).c_str(), u"PlayListXml", false);

  Info* info = Info::create();
  info->setPath(u16(dir.file("songs/a.wav")));
  info->setPlayTimeMs(61000);
  info->setStereo(false);
  info->setSampleRate(22050);
  info->save(&store, kEntry, u16(dir.file("list.mpl")));
  EXPECT_EQ(std::u16string(store.getString(kEntry, u"filePath", u"?")), u"songs/a.wav");
  EXPECT_FALSE(store.hasValue(kEntry, u"songNumber"));
  EXPECT_FALSE(store.hasValue(kEntry, u"individualVolumeBoost"));
  EXPECT_FALSE(store.hasValue(kEntry, u"bitRateKBps"));
  EXPECT_EQ(store.getS32(kEntry, u"playTimeMilliSec", 0), 61000);
  EXPECT_FALSE(store.getBool(kEntry, u"isStereo", true));
  EXPECT_EQ(store.getS32(kEntry, u"sampleRate", 0), 22050);

  info->setSongNumber(7);
  info->setVolumeBoost(30);
  info->save(&store, kEntry, u"/elsewhere");
  EXPECT_EQ(std::u16string(store.getString(kEntry, u"filePath", u"?")), u16(dir.file("songs/a.wav")));
  EXPECT_EQ(store.getS32(kEntry, u"songNumber", 0), 7);
  EXPECT_EQ(store.getS32(kEntry, u"individualVolumeBoost", 0), 30);
  info->release();

  Info* back = Info::create();
  back->restore(&store, kEntry, u16(dir.file("list.mpl")), u"");
  EXPECT_EQ(back->getPath(), u16(dir.file("songs/a.wav")));
  EXPECT_EQ(back->getSongNumber(), 7);
  EXPECT_EQ(back->getPlayTimeMs(), 61000);
  EXPECT_FALSE(back->isStereo());
  EXPECT_EQ(back->getSampleRate(), 22050);
  EXPECT_EQ(back->getVolumeBoost(), 30);
  back->release();
}

TEST(WavInfoSaveTest, MissingKeysTakeTheirDefaults) {
  testing_support::TempDir dir;
  s::xml::MappedData store;
  store.open(u16(dir.file("list.mpl")).c_str(), u"PlayListXml", false);
  store.setString(kEntry, u"filePath", u"C:\\Music\\a.wav");
  Info* info = Info::create();
  info->setSongNumber(3);
  info->setStereo(false);
  info->restore(&store, kEntry, u16(dir.path()), u"");
  EXPECT_EQ(info->getPath(), u"C:\\Music\\a.wav");
  EXPECT_EQ(info->getSongNumber(), -1);
  EXPECT_EQ(info->getPlayTimeMs(), 0);
  EXPECT_TRUE(info->isStereo());
  EXPECT_EQ(info->getSampleRate(), 44100);
  EXPECT_FALSE(info->hasVolumeBoost());
  info->release();
}

TEST(WavInfoSaveTest, AListMovedWithItsSongsStillFindsThem) {
  testing_support::TempDir before, after;
  testing_support::writeBytes(after.file("a.wav"), {1});
  s::xml::MappedData store;
  store.open(u16(before.file("list.mpl")).c_str(), u"PlayListXml", false);
  Info* info = Info::create();
  info->setPath(u16(before.file("a.wav")));
  info->save(&store, kEntry, u16(before.file("list.mpl")));
  info->release();

  Info* back = Info::create();
  back->restore(&store, kEntry, u16(before.file("list.mpl")), u16(after.file("list.mpl")));
  EXPECT_EQ(back->getPath(), u16(after.file("a.wav")));
  back->release();
}

}  // namespace
