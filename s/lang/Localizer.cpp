#include "s/lang/Localizer.h"

#include <algorithm>

#include "resources/Resource.h"
#include "s/gui/events/IEventListener.h"
#include "s/lang/SystemLanguage.h"
#include "s/map/IMappedData.h"
#include "s/str/CharCase.h"
#include "s/thread/Pooled.h"
#include "s/xml/NameMatch.h"
#include "s/xml/Node.h"
#include "s/xml/NumberText.h"

namespace s::lang {

namespace {

bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() &&
         str::CharCase::equalIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::u16string decodedAttr(const xml::Node& node, std::u16string_view name) {
  std::u16string out;
  node.decodeAttr(out, name);
  return out;
}

}  // namespace

std::unique_ptr<Localizer> Localizer::createFromResource(std::string_view resourceName) {
  res::Resource table = res::find(resourceName);
  std::string_view bytes;
  if (table.data) bytes = std::string_view(reinterpret_cast<const char*>(table.data), table.size);
  return createFromUtf8(bytes, SystemLanguage::name());
}

std::unique_ptr<Localizer> Localizer::createFromUtf8(std::string_view document,
                                                     std::u16string_view systemName,
                                                     int systemMajorVersion) {
  auto root = thread::holdPooled(xml::Node::create());
  root->parseUtf8(document);
  return createFromDocument(*root, systemName, systemMajorVersion);
}

std::unique_ptr<Localizer> Localizer::createFromDocument(const xml::Node& root,
                                                         std::u16string_view systemName,
                                                         int systemMajorVersion) {
  std::unique_ptr<Localizer> localizer(new Localizer());
  localizer->systemName_.assign(systemName);
  localizer->build(root, systemMajorVersion);
  localizer->selectByName(systemName);
  return localizer;
}

Localizer::~Localizer() = default;

base::IObject* Localizer::newInstance() const { return new Localizer(); }

void Localizer::build(const xml::Node& root, int systemMajorVersion) {
  if (const xml::Node* languages = root.getChild(u"languages", -1)) {
    for (std::int32_t i = 0; i < languages->childCount(); ++i) {
      const xml::Node* entry = languages->childAt(i);
      if (!entry->nameEquals(u"entry", -1)) continue;
      packs_.push_back(std::make_unique<LangPack>(decodedAttr(*entry, u"tagName"),
                                                  decodedAttr(*entry, u"engName"),
                                                  decodedAttr(*entry, u"trueName")));
    }
  }
  const xml::Node* entries = root.getChild(u"entries", -1);
  if (!entries) return;

  // Older systems cannot show U+019A, so the Venetian texts use U+0142 there.
  LangPack* patched = systemMajorVersion < 6 ? findByTag(u"vec") : nullptr;
  auto textFor = [patched](LangPack* pack, std::u16string text) {
    if (pack == patched) std::replace(text.begin(), text.end(), u'\u019A', u'\u0142');
    return text;
  };

  for (std::int32_t i = 0; i < entries->childCount(); ++i) {
    const xml::Node* entry = entries->childAt(i);
    if (!entry->nameEquals(u"entry", -1)) continue;
    std::u16string_view key = xml::viewOf(entry->getAttrText(u"id", u""));
    bool numeric = !key.empty() && key[0] >= u'0' && key[0] <= u'9';
    std::int32_t id = numeric ? xml::textToS32(key) : 0;
    auto has = [&](LangPack* pack) { return numeric ? pack->hasText(id) : pack->hasText(key); };
    auto add = [&](LangPack* pack, const std::u16string& text) {
      if (numeric)
        pack->addText(id, textFor(pack, text));
      else
        pack->addText(key, textFor(pack, text));
    };
    if (entry->childCount() == 0) continue;
    std::u16string fallback;
    for (std::int32_t c = 0; c < entry->childCount(); ++c) {
      const xml::Node* translation = entry->childAt(c);
      std::u16string text = decodedAttr(*translation, u"");
      if (c == 0) fallback = text;
      if (LangPack* pack = findByTag(translation->nameView())) add(pack, text);
    }
    for (auto& pack : packs_)
      if (!has(pack.get())) add(pack.get(), fallback);
  }
}

LangPack* Localizer::findByTag(std::u16string_view tag) const {
  for (auto& pack : packs_)
    if (str::CharCase::equalIgnoringCase(pack->tagName(), tag)) return pack.get();
  return nullptr;
}

LangPack* Localizer::findByEngName(std::u16string_view name) const {
  for (auto& pack : packs_)
    if (str::CharCase::equalIgnoringCase(pack->engName(), name)) return pack.get();
  auto named = [this](std::u16string_view engName) -> LangPack* {
    for (auto& pack : packs_)
      if (str::CharCase::equalIgnoringCase(pack->engName(), engName)) return pack.get();
    return nullptr;
  };
  LangPack* found = nullptr;
  if (startsWithIgnoringCase(name, u"Chinese")) {
    found = named(u"CHINESE_SIMPLIFIED");
    if (!found) found = named(u"CHINESE_TRADITIONAL");
  }
  if (startsWithIgnoringCase(name, u"Portuguese")) {
    if (LangPack* p = named(u"PORTUGUESE_BRAZILIAN")) return p;
    if (LangPack* p = named(u"PORTUGUESE_PORTUGAL")) return p;
  }
  return found;
}

LangPack* Localizer::getLanguage(std::int32_t index) const {
  return index >= 0 && index < getLanguageCount() ? packs_[static_cast<std::size_t>(index)].get()
                                                  : nullptr;
}

void Localizer::makeCurrent(LangPack* pack) {
  if (!pack || pack == current_.load()) return;
  current_.store(pack);
  for (gui::events::IEventListener* listener : listeners_) listener->onEvent(this, 0);
}

void Localizer::selectByName(std::u16string_view name) {
  LangPack* pack = findByEngName(name);
  if (!pack) pack = findByEngName(u"English");
  if (!pack) pack = getLanguage(0);
  makeCurrent(pack);
}

void Localizer::selectByIndex(std::int32_t index) { makeCurrent(getLanguage(index)); }

LangPack* Localizer::getCurrent() {
  LangPack* pack = current_.load();
  if (pack) return pack;
  pack = findByEngName(systemName_);
  if (!pack) pack = getLanguage(0);
  current_.store(pack);
  return pack;
}

const char16_t* Localizer::getText(std::int32_t id) {
  LangPack* pack = getCurrent();
  const char16_t* text = pack ? pack->findText(id) : nullptr;
  return text ? text : u"";
}

const char16_t* Localizer::getText(std::u16string_view key) {
  LangPack* pack = getCurrent();
  const char16_t* text = pack ? pack->findText(key) : nullptr;
  return text ? text : u"";
}

void Localizer::addListener(gui::events::IEventListener* listener) {
  if (listener) listeners_.push_back(listener);
}

void Localizer::removeListener(gui::events::IEventListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void Localizer::chooseFromSettings(map::IMappedData& settings) {
  LangPack* current = getCurrent();
  if (!current) return;
  std::u16string engName(current->engName());
  std::u16string stored = settings.getString(u"Language", u"", engName.c_str());
  selectByName(stored);
  current = getCurrent();
  // Written back whenever it is not exactly the chosen name: a name in other case is stored
  // again as the table spells it, and a removed language gives way to the one chosen.
  if (current->engName() != std::u16string_view(stored))
    settings.setString(u"Language", u"", std::u16string(current->engName()).c_str());
}

}  // namespace s::lang
