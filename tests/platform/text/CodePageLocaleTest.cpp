#include "platform/text/CodePageLocale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using platform::text::legacyCodePageOfLocale;

TEST(CodePageLocale, LanguageAndTerritoryChooseTheLegacyCodePage) {
  struct Row {
    const char* locale;
    uint32_t codePage;
  } rows[] = {
      {"ja_JP.UTF-8", 932},     {"zh_CN.UTF-8", 936},  {"zh_SG", 936},         {"zh", 936},
      {"zh_TW.UTF-8", 950},     {"zh_HK.Big5-HKSCS", 950},                    {"ko_KR.EUC-KR", 949},
      {"ru_RU.UTF-8", 1251},    {"uk_UA", 1251},       {"bg_BG", 1251},       {"be_BY", 1251},
      {"sr_RS", 1251},          {"sr_RS@latin", 1250}, {"el_GR.UTF-8", 1253}, {"tr_TR", 1254},
      {"he_IL", 1255},          {"ar_EG.UTF-8", 1256}, {"fa_IR", 1256},       {"lt_LT", 1257},
      {"lv_LV", 1257},          {"et_EE", 1257},       {"vi_VN", 1258},       {"th_TH", 874},
      {"cs_CZ.UTF-8", 1250},    {"pl_PL", 1250},       {"hu_HU", 1250},       {"sk_SK", 1250},
      {"sl_SI", 1250},          {"hr_HR", 1250},       {"ro_RO", 1250},       {"de_DE.UTF-8", 1252},
      {"en_US", 1252},          {"C", 1252},           {"POSIX", 1252},       {"C.UTF-8", 1252},
      {"", 1252},               {"JA_jp", 932},
  };
  for (const Row& row : rows) EXPECT_EQ(legacyCodePageOfLocale(row.locale), row.codePage) << row.locale;
}

// Restores the environment variables a test changes.
class SavedEnvironment {
 public:
  SavedEnvironment() {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  ~SavedEnvironment() {
    for (size_t i = 0; i < saved_.size(); ++i) {
      if (saved_[i]) setenv(kNames[i], saved_[i]->c_str(), 1);
      else unsetenv(kNames[i]);
    }
  }
  static constexpr const char* kNames[] = {"LC_ALL", "LC_CTYPE", "LANG"};

 private:
  std::vector<std::optional<std::string>> saved_;
};

TEST(CodePageLocale, TheCharacterTypeLocaleOfTheProcessDecides) {
  SavedEnvironment saved;
  unsetenv("LC_ALL");
  unsetenv("LC_CTYPE");
  setenv("LANG", "ru_RU.UTF-8", 1);
  EXPECT_EQ(platform::text::userLegacyCodePage(), 1251u);
  setenv("LC_CTYPE", "ja_JP.UTF-8", 1);
  EXPECT_EQ(platform::text::userLegacyCodePage(), 932u);
  setenv("LC_ALL", "", 1);  // set but empty: skipped
  EXPECT_EQ(platform::text::userLegacyCodePage(), 932u);
  setenv("LC_ALL", "el_GR.UTF-8", 1);
  EXPECT_EQ(platform::text::userLegacyCodePage(), 1253u);
  unsetenv("LC_ALL");
  unsetenv("LC_CTYPE");
  unsetenv("LANG");
  EXPECT_EQ(platform::text::userLegacyCodePage(), 1252u);
}

}  // namespace
