#include "s/reg/MappedData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/registry/Hive.h"
#include "s/col/_array/ArrayU08.h"
#include "tests/support/TempDir.h"

namespace reg = platform::registry;

namespace {

constexpr const char* kRoot = "Software\\Pruv\\Pruv Sonvia\\SaveData";

class RegistryStore : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    hadConfig_ = old != nullptr;
    if (old) oldConfig_ = old;
    setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
    store_ = s::reg::openRegistryStore(u"Software\\Pruv\\Pruv Sonvia\\SaveData");
    hive_ = reg::Hive::currentUser();
  }
  void TearDown() override {
    store_->release();
    hadConfig_ ? setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
  }
  reg::Value raw(const std::string& path, const std::string& name) {
    auto v = hive_->getValue(path.empty() ? kRoot : std::string(kRoot) + "\\" + path, name);
    return v ? *v : reg::Value{};
  }

  testing_support::TempDir dir_;
  s::reg::MappedData* store_ = nullptr;
  std::shared_ptr<reg::Hive> hive_;
  bool hadConfig_ = false;
  std::string oldConfig_;
};

}  // namespace

TEST_F(RegistryStore, ValuesHaveTheRegistryLayout) {
  store_->setU08(u"L", u"u8", 0xF0);
  store_->setS08(u"L", u"s8", -2);
  store_->setS16(u"L", u"s16", -2);
  store_->setBool(u"L", u"b", true);
  store_->setU64(u"L", u"u64", 1);
  store_->setF32(u"L", u"f32", 1.0f);
  store_->setF64(u"L", u"f64", 1.0);
  store_->setString(u"L", u"s", u"abc");
  store_->setExpandString(u"L", u"e", u"%HOME%");
  struct Case {
    const char* name;
    reg::ValueType type;
    std::vector<std::uint8_t> data;
  } cases[] = {
      {"u8", reg::ValueType::Dword, {0xF0, 0, 0, 0}},
      {"s8", reg::ValueType::Dword, {0xFE, 0xFF, 0xFF, 0xFF}},
      {"s16", reg::ValueType::Dword, {0xFE, 0xFF, 0xFF, 0xFF}},
      {"b", reg::ValueType::Dword, {1, 0, 0, 0}},
      {"u64", reg::ValueType::Binary, {1, 0, 0, 0, 0, 0, 0, 0}},
      {"f32", reg::ValueType::Binary, {0, 0, 0x80, 0x3F}},
      {"f64", reg::ValueType::Binary, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
      {"s", reg::ValueType::String, {'a', 0, 'b', 0, 'c', 0, 0, 0}},
      {"e", reg::ValueType::ExpandString, reg::stringData(u"%HOME%")},
  };
  for (auto& c : cases) {
    reg::Value v = raw("L", c.name);
    EXPECT_EQ(v.type, c.type) << c.name;
    EXPECT_EQ(v.data, c.data) << c.name;
  }
}

TEST_F(RegistryStore, GettersAcceptOnlyTheRightDataSize) {
  store_->setU32(u"Sizes", u"dword", 7);
  store_->setU64(u"Sizes", u"qword", 8);
  EXPECT_EQ(store_->getU64(u"Sizes", u"dword", 99), 99u);
  EXPECT_EQ(store_->getF64(u"Sizes", u"dword", 1.5), 1.5);
  EXPECT_EQ(store_->getU32(u"Sizes", u"qword", 99), 99u);
  EXPECT_EQ(store_->getBool(u"Sizes", u"qword", true), true);
  EXPECT_EQ(store_->getU08(u"Sizes", u"dword", 99), 7);
  // The type is not looked at for numbers: four bytes of binary data are a DWORD too.
  hive_->setValue(std::string(kRoot) + "\\Sizes", "bin4", reg::ValueType::Binary, {0, 1, 0, 0});
  EXPECT_EQ(store_->getU32(u"Sizes", u"bin4", 0), 256u);
  EXPECT_TRUE(store_->getBool(u"Sizes", u"bin4", false));
  // Strings are only strings; bytes are any value's bytes.
  EXPECT_EQ(std::u16string(store_->getString(u"Sizes", u"dword", u"none")), u"none");
  auto* bytes = store_->getBytes(u"Sizes", u"dword", nullptr);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes->size(), 4u);
  bytes->release();
}

TEST_F(RegistryStore, ExpandableStringsExpandOnlyWhenAsked) {
  setenv("SONVIA_STORE_TEST", "/data/music", 1);
  store_->setExpandString(u"Paths", u"Music", u"%SONVIA_STORE_TEST%/mp3");
  bool expandable = false;
  EXPECT_EQ(std::u16string(store_->getString(u"Paths", u"Music", u"", &expandable)),
            u"%SONVIA_STORE_TEST%/mp3");
  EXPECT_TRUE(expandable);
  expandable = false;
  EXPECT_EQ(std::u16string(store_->getString(u"Paths", u"Music", u"", &expandable, true)),
            u"/data/music/mp3");
  EXPECT_TRUE(expandable);
  store_->setString(u"Paths", u"Plain", u"%SONVIA_STORE_TEST%");
  EXPECT_EQ(std::u16string(store_->getString(u"Paths", u"Plain", u"", &expandable, true)),
            u"%SONVIA_STORE_TEST%");
  EXPECT_FALSE(expandable);
}

TEST_F(RegistryStore, KeysIgnoreCaseAndAreSharedWithOtherStores) {
  store_->setString(u"Language", u"", u"German");
  EXPECT_EQ(raw("Language", "").data, reg::stringData(u"German"));
  EXPECT_EQ(std::u16string(store_->getString(u"LANGUAGE", u"", u"")), u"German");
  store_->setS32(u"Win\\Pos", u"X", 10);
  store_->removePath(u"win");
  EXPECT_FALSE(hive_->keyExists(std::string(kRoot) + "\\Win"));
  EXPECT_FALSE(hive_->keyExists(std::string(kRoot) + "\\Win\\Pos"));

  // Another store on the same root sees the value at once; flush has nothing to do.
  s::reg::MappedData* other = s::reg::openRegistryStore(u"Software\\Pruv\\Pruv Sonvia\\SaveData");
  EXPECT_NE(other, store_);
  EXPECT_EQ(std::u16string(other->getString(u"Language", u"", u"")), u"German");
  EXPECT_FALSE(other->isAutoFlush());
  other->release();
  // A pooled store given back comes out again without its root and flag.
  store_->setAutoFlush(true);
  store_->release();
  store_ = s::reg::openRegistryStore(u"Software\\Pruv\\Pruv Sonvia\\SaveData");
  EXPECT_FALSE(store_->isAutoFlush());
  EXPECT_EQ(std::u16string(store_->getString(u"Language", u"", u"")), u"German");
}
