#include "s/lang/SystemLanguage.h"

#include <gtest/gtest.h>

#include <cstdlib>

using s::lang::SystemLanguage;

TEST(SystemLanguage, LocaleGivesTheIdentifierAndItsName) {
  struct Case {
    const char* locale;
    std::uint16_t id;
    std::u16string name;
  } cases[] = {
      {"de_DE.UTF-8", 0x0407, u"GERMAN"},
      {"de_AT", 0x0407, u"GERMAN"},
      {"zh_HK.UTF-8", 0x0C04, u"CHINESE_TRADITIONAL"},
      {"zh_MO", 0x1404, u"CHINESE_TRADITIONAL"},
      {"zh_TW", 0x0404, u"CHINESE_TRADITIONAL"},
      {"zh_CN.GB18030", 0x0804, u"CHINESE_SIMPLIFIED"},
      {"zh_SG", 0x1004, u"CHINESE_SIMPLIFIED"},
      {"pt_BR.UTF-8", 0x0416, u"PORTUGUESE_BRAZILIAN"},
      {"pt_PT", 0x0816, u"PORTUGUESE_PORTUGAL"},
      {"hr_HR", 0x041A, u"CROATIAN"},
      {"sr_RS@latin", 0x241A, u"SERBIAN"},
      {"nb_NO.UTF-8", 0x0414, u"NORWEGIAN"},
      {"fa_IR", 0x0429, u"PERSIAN"},
      {"vi_VN", 0x042A, u"VIETNAMESE"},
      {"C", 0x0409, u"ENGLISH"},
      {"POSIX", 0x0409, u"ENGLISH"},
      {"xx_YY", 0, u""},
  };
  for (auto& c : cases) {
    EXPECT_EQ(SystemLanguage::idFromLocale(c.locale), c.id) << c.locale;
    EXPECT_EQ(SystemLanguage::nameOfId(SystemLanguage::idFromLocale(c.locale)), c.name)
        << c.locale;
  }
  // Identifiers that no locale name produces but that still have their own names.
  EXPECT_EQ(SystemLanguage::nameOfId(0x0004), u"CHINESE_SIMPLIFIED");
  EXPECT_EQ(SystemLanguage::nameOfId(0x7C04), u"CHINESE_TRADITIONAL");
  EXPECT_EQ(SystemLanguage::nameOfId(0x201A), u"BOSNIAN");
  EXPECT_EQ(SystemLanguage::nameOfId(0x7C1A), u"SERBIAN");
  EXPECT_EQ(SystemLanguage::nameOfId(0x3C04), u"CHINESE");
  EXPECT_EQ(SystemLanguage::nameOfId(0x3FF), u"");
}

TEST(SystemLanguage, VariablesAreReadInTheirOrder) {
  const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
  std::string saved[4];
  bool had[4];
  for (int i = 0; i < 4; ++i) {
    const char* v = std::getenv(names[i]);
    had[i] = v != nullptr;
    if (v) saved[i] = v;
  }
  struct Case {
    const char* language;
    const char* all;
    const char* messages;
    const char* lang;
    std::uint16_t id;
  } cases[] = {
      {"pt_BR:en", "de_DE.UTF-8", "fr_FR", "it_IT", 0x0416},
      {"", "de_DE.UTF-8", "fr_FR", "it_IT", 0x0407},
      {nullptr, nullptr, "fr_FR", "it_IT", 0x040C},
      {nullptr, "", "", "zh_HK.UTF-8", 0x0C04},
      {nullptr, nullptr, nullptr, nullptr, 0x0409},
  };
  for (auto& c : cases) {
    const char* values[] = {c.language, c.all, c.messages, c.lang};
    for (int i = 0; i < 4; ++i)
      values[i] ? setenv(names[i], values[i], 1) : unsetenv(names[i]);
    EXPECT_EQ(SystemLanguage::currentId(), c.id);
  }
  for (int i = 0; i < 4; ++i) had[i] ? setenv(names[i], saved[i].c_str(), 1) : unsetenv(names[i]);
}
