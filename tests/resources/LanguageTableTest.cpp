#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "resources/Resource.h"

// The built-in language table is checked here byte by byte, with a scanner of its own, so that the
// resource is held to its layout whatever state the XML reader is in.

namespace {

struct Language {
  std::string tag, engName, trueName;
  std::string show() const { return tag + " / " + engName + " / " + trueName; }
};

struct Entry {
  long id = 0;
  std::vector<std::pair<std::string, std::string>> texts;  // (tagName, decoded text) in order
};

struct Table {
  std::vector<Language> languages;
  std::vector<Entry> entries;
};

struct ListedId {
  long id = 0;
  std::string kind, english;
};

const std::array<Language, 33> kLanguages = {{
    {"eng", "English", "English"},
    {"bel", "Belarusian", "Беларуская"},
    {"zhs", "Chinese_Simplified", "简体中文"},
    {"zht", "Chinese_Traditional", "繁體中文"},
    {"deu", "German", "Deutsch"},
    {"ell", "Greek", "Ελληνικά"},
    {"spa", "Spanish", "Español"},
    {"fra", "French", "Français"},
    {"ita", "Italian", "Italiano"},
    {"jpn", "Japanese", "日本語"},
    {"kor", "Korean", "한국어"},
    {"nld", "Dutch", "Nederlands"},
    {"per", "Persian", "فارسی"},
    {"rus", "Russian", "Русский"},
    {"ukr", "Ukrainian", "Українська"},
    {"ara", "Arabic", "العربية"},
    {"ind", "Indonesian", "Bahasa Indonesia"},
    {"bul", "Bulgarian", "Български"},
    {"cze", "Czech", "Čeština"},
    {"dan", "Danish", "Dansk"},
    {"est", "Estonian", "Eesti"},
    {"hrv", "Croatian", "Hrvatski"},
    {"hun", "Hungarian", "Magyar"},
    {"pol", "Polish", "Polski"},
    {"bra", "Portuguese_Brazilian", "Português (Brasil)"},
    {"ron", "Romanian", "Română"},
    {"slk", "Slovak", "Slovenčina"},
    {"srp", "Serbian", "Српски"},
    {"fin", "Finnish", "Suomi"},
    {"swe", "Swedish", "Svenska"},
    {"tur", "Turkish", "Türkçe"},
    {"vec", "Venetian", "Vèneto"},
    {"vie", "Vietnamese", "Tiếng Việt"},
}};

bool startsWith(std::string_view s, size_t at, std::string_view prefix) {
  return s.substr(at, prefix.size()) == prefix;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Attribute decoding as the program does it: &amp; &lt; &quot; &#13; &#10;.
std::string decodeAttr(std::string_view v) {
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&quot;", '"'}, {"&#13;", '\r'}, {"&#10;", '\n'}};
  std::string out;
  for (size_t i = 0; i < v.size();) {
    bool done = false;
    for (auto [entity, c] : kEntities)
      if (startsWith(v, i, entity)) {
        out += c;
        i += entity.size();
        done = true;
        break;
      }
    if (!done) out += v[i++];
  }
  return out;
}

// Text decoding: white space at the edges goes, except what an entity put there.
std::string decodeText(std::string_view v) {
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&#160;", ' '}, {"&#13;", '\r'},
      {"&#10;", '\n'}};
  size_t i = 0;
  while (i < v.size() && isSpace(v[i])) ++i;
  std::string out;
  size_t kept = 0;
  while (i < v.size()) {
    bool done = false;
    for (auto [entity, c] : kEntities)
      if (startsWith(v, i, entity)) {
        out += c;
        i += entity.size();
        if (entity[1] == '#') kept = out.size();
        done = true;
        break;
      }
    if (!done) out += v[i++];
  }
  while (out.size() > kept && isSpace(out.back())) out.pop_back();
  return out;
}

std::string attrOf(std::string_view tag, std::string_view name) {
  std::string key = " " + std::string(name) + "=\"";
  size_t at = tag.find(key);
  if (at == std::string_view::npos) return {};
  at += key.size();
  size_t end = tag.find('"', at);
  return decodeAttr(tag.substr(at, end == std::string_view::npos ? 0 : end - at));
}

// Reads the layout the table uses: <lang>, <languages> with one empty <entry> per language, then
// <entries> with one <entry id="N"> per text holding a description and one element per language.
// Anything else is reported as a failure at its byte offset.
Table scan(std::string_view xml) {
  Table table;
  size_t head = xml.find("<languages>"), headEnd = xml.find("</languages>");
  size_t body = xml.find("<entries>"), bodyEnd = xml.find("</entries>");
  if (xml.find("<lang>") != 0 || head == xml.npos || headEnd == xml.npos || body == xml.npos ||
      bodyEnd == xml.npos || !(head < headEnd && headEnd < body && body < bodyEnd)) {
    ADD_FAILURE() << "the table is not <lang><languages/><entries/></lang>";
    return table;
  }
  for (size_t at = xml.find("<entry ", head); at < headEnd; at = xml.find("<entry ", at + 1)) {
    size_t close = xml.find('>', at);
    std::string_view tag = xml.substr(at, close - at);
    if (!startsWith(xml, close + 1, "</entry>")) ADD_FAILURE() << "language at " << at;
    table.languages.push_back({attrOf(tag, "tagName"), attrOf(tag, "engName"),
                               attrOf(tag, "trueName")});
  }
  for (size_t at = xml.find("<entry ", body); at < bodyEnd; at = xml.find("<entry ", at + 1)) {
    size_t close = xml.find('>', at), end = xml.find("</entry>", at);
    std::string key = attrOf(xml.substr(at, close - at), "id");
    Entry entry;
    entry.id = key.empty() ? -1 : std::stol(key);
    size_t pos = xml.find('<', close);  // the description before the first element is free
    while (pos < end) {
      size_t nameEnd = xml.find('>', pos);
      std::string name(xml.substr(pos + 1, nameEnd - pos - 1));
      std::string endTag = "</" + name + ">";
      size_t textEnd = xml.find('<', nameEnd);
      if (!startsWith(xml, textEnd, endTag)) {
        ADD_FAILURE() << "entry " << key << ": <" << name << "> at " << pos << " is not closed";
        break;
      }
      entry.texts.emplace_back(name, decodeText(xml.substr(nameEnd + 1, textEnd - nameEnd - 1)));
      pos = xml.find('<', textEnd + endTag.size());
    }
    table.entries.push_back(std::move(entry));
  }
  return table;
}

std::string_view tableBytes() {
  res::Resource r = res::find("lang/languages.xml");
  if (!r.data) return {};
  return {reinterpret_cast<const char*>(r.data), r.size};
}

std::vector<std::vector<std::string>> readTsv(const std::string& name) {
  std::ifstream in(std::string(SONVIA_SOURCE_DIR) + "/scripts/lang/" + name);
  EXPECT_TRUE(in) << name;
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cells;
    std::stringstream cut(line);
    for (std::string cell; std::getline(cut, cell, '\t');) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

std::vector<ListedId> listedIds() {
  std::vector<ListedId> ids;
  for (auto& row : readTsv("ids.tsv"))
    if (row.size() == 4) ids.push_back({std::stol(row[0]), row[1], row[3]});
  return ids;
}

class LanguageTable : public ::testing::Test {
 protected:
  void SetUp() override {
    xml = tableBytes();
    ASSERT_FALSE(xml.empty()) << "lang/languages.xml is not embedded";
    table = scan(xml);
    ids = listedIds();
    ASSERT_FALSE(ids.empty());
  }
  std::string_view xml;
  Table table;
  std::vector<ListedId> ids;
};

TEST_F(LanguageTable, HasTheThirtyThreeLanguagesInMenuOrder) {
  ASSERT_EQ(table.languages.size(), kLanguages.size());
  for (size_t i = 0; i < kLanguages.size(); ++i) {
    EXPECT_EQ(table.languages[i].show(), kLanguages[i].show()) << "language " << i;
  }
  // The program reads the resource as a C string as well.
  EXPECT_EQ(xml.data()[xml.size()], '\0');
}

TEST_F(LanguageTable, HoldsEveryListedIdOnceInAscendingOrder) {
  std::vector<long> listed, found;
  for (auto& id : ids) listed.push_back(id.id);
  for (auto& e : table.entries) found.push_back(e.id);
  EXPECT_EQ(found, listed);
  std::set<long> inTable(found.begin(), found.end()), inList(listed.begin(), listed.end());
  for (long id : inList) EXPECT_TRUE(inTable.count(id)) << id << " is missing from the table";
  for (long id : inTable) EXPECT_TRUE(inList.count(id)) << id << " is in the table, not the list";
  EXPECT_TRUE(std::is_sorted(found.begin(), found.end()));
  EXPECT_EQ(inTable.size(), found.size()) << "an id occurs twice";
}

TEST_F(LanguageTable, EveryEntryHasANonEmptyTextInEveryLanguageEnglishFirst) {
  for (size_t i = 0; i < table.entries.size() && i < ids.size(); ++i) {
    const Entry& e = table.entries[i];
    ASSERT_EQ(e.texts.size(), kLanguages.size()) << "entry " << e.id;
    for (size_t k = 0; k < kLanguages.size(); ++k) {
      EXPECT_EQ(e.texts[k].first, kLanguages[k].tag) << "entry " << e.id;
      EXPECT_FALSE(e.texts[k].second.empty()) << "entry " << e.id << " " << e.texts[k].first;
    }
    EXPECT_EQ(e.texts[0].second, ids[i].english) << "entry " << e.id;
  }
}

TEST_F(LanguageTable, WordsAreTranslatedNotCopied) {
  std::set<std::pair<std::string, long>> spelledAlike;
  for (auto& row : readTsv("same_as_english.tsv"))
    if (row.size() == 2) spelledAlike.insert({row[0], std::stol(row[1])});
  int words = 0;
  for (size_t i = 0; i < table.entries.size() && i < ids.size(); ++i) {
    if (ids[i].kind != "word") continue;
    ++words;
    const Entry& e = table.entries[i];
    for (size_t k = 1; k < e.texts.size(); ++k) {
      if (spelledAlike.count({e.texts[k].first, e.id})) continue;
      EXPECT_NE(e.texts[k].second, e.texts[0].second)
          << e.texts[k].first << " " << e.id << " is the English text";
    }
  }
  EXPECT_GT(words, 0);
}

TEST_F(LanguageTable, UsesOnlyTheEntitiesOfTheDialect) {
  static const std::string_view kKnown[] = {"&amp;", "&lt;", "&gt;", "&quot;",
                                            "&#160;", "&#13;", "&#10;"};
  for (size_t at = xml.find('&'); at != xml.npos; at = xml.find('&', at + 1)) {
    bool known = false;
    for (auto entity : kKnown) known = known || startsWith(xml, at, entity);
    EXPECT_TRUE(known) << "stray & at byte " << at << ": " << xml.substr(at, 12);
  }
}

TEST(LanguageTableScan, DecodesEdgeSpacesAndEntitiesLikeTheProgram) {
  // The scanner must read texts the way the program does, or the checks above prove nothing.
  struct Case {
    std::string_view stored, text;
  } cases[] = {
      {"\r\n\t\tPlay\r\n\t", "Play"},
      {"&#160;Play&#160;", " Play "},
      {"a&amp;b &lt;c&gt;", "a&b <c>"},
      {"x&#160; \t", "x "},
      {"&nbsp;", "&nbsp;"},
  };
  for (auto& c : cases) EXPECT_EQ(decodeText(c.stored), c.text) << c.stored;
  EXPECT_EQ(decodeAttr("&quot;a&amp;b&lt;&gt;"), "\"a&b<&gt;");
}

}  // namespace
