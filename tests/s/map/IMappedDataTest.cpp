// Behaviour both settings stores share, run on each of them.
#include "s/map/IMappedData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "platform/text/Utf.h"
#include "s/col/_array/ArrayU08.h"
#include "s/reg/MappedData.h"
#include "s/xml/MappedData.h"
#include "tests/support/TempDir.h"

using s::map::IMappedData;

namespace {

struct StoreKind {
  const char* name;
  std::function<IMappedData*(const std::string& dir)> open;
};

void PrintTo(const StoreKind& kind, std::ostream* os) { *os << kind.name; }

class MappedDataBoth : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    hadConfig_ = old != nullptr;
    if (old) oldConfig_ = old;
    setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
    store_ = GetParam().open(dir_.path());
  }
  void TearDown() override {
    store_->release();
    hadConfig_ ? setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
  }

  testing_support::TempDir dir_;
  IMappedData* store_ = nullptr;
  bool hadConfig_ = false;
  std::string oldConfig_;
};

}  // namespace

TEST_P(MappedDataBoth, FreshStoreGivesDefaultsAndCreatesNothing) {
  EXPECT_EQ(store_->getS32(u"PlayLists", u"NumOfPlayLists", 0), 0);
  EXPECT_EQ(store_->getS32(u"PlayLists", u"NumOfPlayLists", -4), -4);
  EXPECT_FALSE(store_->selectPath(u"PlayLists"));
  EXPECT_FALSE(store_->hasValue(u"PlayLists", u"NumOfPlayLists"));
  EXPECT_EQ(std::u16string(store_->getString(u"Language", u"", u"English")), u"English");
  EXPECT_EQ(store_->getStrings(u"a", u"b", nullptr), nullptr);
  EXPECT_EQ(store_->getBytes(u"a", u"b", nullptr), nullptr);
  s::col::_array::ArrayU08* keep = s::col::_array::ArrayU08::create();
  keep->append(9);
  EXPECT_EQ(store_->getBytes(u"a", u"b", keep), keep);
  EXPECT_EQ(keep->size(), 1u);
  keep->release();
  store_->removePath(u"PlayLists");
  store_->removeValue(u"PlayLists", u"x");
  EXPECT_FALSE(store_->selectPath(u"PlayLists"));
}

TEST_P(MappedDataBoth, EveryKindReadsBackWhatWasSet) {
  store_->setU08(u"Kinds", u"u8", 200);
  store_->setU16(u"Kinds", u"u16", 60000);
  store_->setU32(u"Kinds", u"u32", 4000000000u);
  store_->setU64(u"Kinds", u"u64", 0x123456789ABCull);
  store_->setS08(u"Kinds", u"s8", -100);
  store_->setS16(u"Kinds", u"s16", -30000);
  store_->setS32(u"Kinds", u"s32", -2000000000);
  store_->setS64(u"Kinds", u"s64", -0x123456789ABCll);
  store_->setF32(u"Kinds", u"f32", 0.25f);
  store_->setF64(u"Kinds", u"f64", -2.5);
  store_->setBool(u"Kinds", u"on", true);
  store_->setBool(u"Kinds", u"off", false);
  store_->setString(u"Language", u"", u"German & <more> \"quoted\"\r\n  two  spaces ");
  auto* bytes = s::col::_array::ArrayU08::create();
  for (std::uint8_t b : {0x00, 0xFF, 0x1A}) bytes->append(b);
  store_->setBytes(u"Blob", u"data", bytes);
  bytes->release();

  EXPECT_EQ(store_->getU08(u"Kinds", u"U8", 0), 200);
  EXPECT_EQ(store_->getU16(u"Kinds", u"u16", 0), 60000);
  EXPECT_EQ(store_->getU32(u"Kinds", u"u32", 0), 4000000000u);
  EXPECT_EQ(store_->getU64(u"Kinds", u"u64", 0), 0x123456789ABCull);
  EXPECT_EQ(store_->getS08(u"Kinds", u"s8", 0), -100);
  EXPECT_EQ(store_->getS16(u"Kinds", u"s16", 0), -30000);
  EXPECT_EQ(store_->getS32(u"Kinds", u"s32", 0), -2000000000);
  EXPECT_EQ(store_->getS64(u"Kinds", u"s64", 0), -0x123456789ABCll);
  EXPECT_EQ(store_->getF32(u"Kinds", u"f32", 0), 0.25f);
  EXPECT_EQ(store_->getF64(u"Kinds", u"f64", 0), -2.5);
  EXPECT_TRUE(store_->getBool(u"Kinds", u"on", false));
  EXPECT_FALSE(store_->getBool(u"Kinds", u"off", true));
  bool expandable = true;
  EXPECT_EQ(std::u16string(store_->getString(u"Language", u"", u"", &expandable)),
            u"German & <more> \"quoted\"\r\n  two  spaces ");
  EXPECT_FALSE(expandable);
  auto* back = store_->getBytes(u"Blob", u"DATA", nullptr);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(std::vector<std::uint8_t>(back->begin(), back->end()),
            (std::vector<std::uint8_t>{0x00, 0xFF, 0x1A}));
  back->release();

  EXPECT_TRUE(store_->hasValue(u"Kinds", u"S8"));
  store_->removeValue(u"Kinds", u"S8");
  EXPECT_FALSE(store_->hasValue(u"Kinds", u"s8"));
  EXPECT_EQ(store_->getS08(u"Kinds", u"s8", 5), 5);
}

TEST_P(MappedDataBoth, RemovePathTakesEverythingBelowIt) {
  store_->setS32(u"PlayLists\\0", u"Count", 3);
  store_->setS32(u"PlayLists\\1", u"Count", 4);
  store_->setS32(u"Other", u"Count", 5);
  EXPECT_TRUE(store_->selectPath(u"PlayLists\\1"));
  store_->removePath(u"PlayLists");
  EXPECT_FALSE(store_->selectPath(u"PlayLists\\1"));
  EXPECT_FALSE(store_->selectPath(u"PlayLists"));
  EXPECT_EQ(store_->getS32(u"PlayLists\\0", u"Count", -1), -1);
  EXPECT_EQ(store_->getS32(u"Other", u"Count", -1), 5);
  EXPECT_TRUE(store_->openPath(u"New\\Deeper"));
  EXPECT_TRUE(store_->selectPath(u"New"));
}

INSTANTIATE_TEST_SUITE_P(
    Stores, MappedDataBoth,
    ::testing::Values(
        StoreKind{"registry",
                  [](const std::string&) -> IMappedData* {
                    return s::reg::openRegistryStore(u"Software\\Pruv\\Test\\SaveData");
                  }},
        StoreKind{"xml",
                  [](const std::string& dir) -> IMappedData* {
                    auto path = platform::text::utf8ToUtf16(dir + "/store.xml");
                    return s::xml::openXmlStore(path.c_str(), u"Root", true);
                  }}),
    [](const ::testing::TestParamInfo<StoreKind>& info) { return std::string(info.param.name); });
