#include "s/sound/wav/Info.h"

#include <gtest/gtest.h>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/codepage/CodePageList.h"
#include "tests/support/TempDir.h"
#include "tests/s/sound/SoundFixtures.h"

namespace {

using s::sound::wav::Info;

TEST(WavInfoTest, VolumeBoostOfZeroMeansNone) {
  Info* info = Info::create();
  EXPECT_FALSE(info->hasVolumeBoost());
  info->setVolumeBoost(25);
  EXPECT_TRUE(info->hasVolumeBoost());
  EXPECT_EQ(info->getVolumeBoost(), 25);
  info->setVolumeBoost(0);
  EXPECT_FALSE(info->hasVolumeBoost());
  EXPECT_EQ(info->getVolumeBoost(), -1000);
  info->release();
}

TEST(WavInfoTest, ARecordFromThePoolIsFresh) {
  Info* info = Info::create();
  info->setPath(u"/m/a.wav");
  info->setSongNumber(4);
  info->setPlayTimeMs(1234);
  info->setStereo(false);
  info->setSampleRate(8000);
  info->setVolumeBoost(10);
  info->release();

  info = Info::create();
  EXPECT_EQ(info->getPath(), u"");
  EXPECT_EQ(info->getFileName(), u"");
  EXPECT_FALSE(info->hasSongNumber());
  EXPECT_EQ(info->getSongNumber(), -1);
  EXPECT_EQ(info->getPlayTimeMs(), 0);
  EXPECT_TRUE(info->isStereo());
  EXPECT_EQ(info->getSampleRate(), 44100);
  EXPECT_FALSE(info->hasVolumeBoost());
  info->release();
}

TEST(WavInfoTest, LoadChecksThePathAndTagsAreAbsent) {
  testing_support::TempDir dir;
  testing_support::writeBytes(dir.file("a.wav"), {1, 2, 3});
  Info* info = Info::create();
  info->setSongNumber(3);
  EXPECT_TRUE(info->load(testing_support::u16(dir.file("a.wav"))));
  EXPECT_EQ(info->getSongNumber(), 3);
  EXPECT_FALSE(info->load(testing_support::u16(dir.file("b.wav"))));
  EXPECT_EQ(info->getPath(), testing_support::u16(dir.file("b.wav")));
  EXPECT_FALSE(info->saveTags(testing_support::u16(dir.file("c.wav"))));
  EXPECT_EQ(info->getPath(), testing_support::u16(dir.file("c.wav")));

  // The tag menus of a WAVE song show the page the program reads tags with, as an MP3 song
  // without tags does, even after the song was given a page of its own.
  info->setCodePage(s::system::codepage::CodePageList::byNumber(932), true);
  ASSERT_NE(s::system::codepage::CodePageList::getDefault(), nullptr);
  EXPECT_EQ(info->getTitleCodePage(), s::system::codepage::CodePageList::getDefault());
  EXPECT_EQ(info->getCommentCodePageChoice(), s::system::codepage::CodePageList::getDefault());

  info->setTitle(u"ignored");
  EXPECT_FALSE(info->hasTitle());
  EXPECT_EQ(info->getArtist(), u"");
  EXPECT_FALSE(info->hasBitRate());
  EXPECT_EQ(info->getBitRateKbps(), 0);
  s::str::strbuffer::StrBuffer* preview = info->previewComment(nullptr, 10);
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isEmpty());
  preview->release();
  info->clear();
  EXPECT_EQ(info->getPath(), u"");
  info->release();
}

}  // namespace
