#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "s/base/IObject.h"
#include "s/lang/LangPack.h"

namespace s::gui::events {
class IEventListener;
}
namespace s::map {
class IMappedData;
}
namespace s::xml {
class Node;
}

namespace s::lang {

// The language table: one LangPack per language in table order, the current language, and the
// listeners told when it changes (operation 1 of IEventListener, with this localizer and 0).
class Localizer : public base::IObject {
 public:
  // The built-in table, read from the program's resource of that name; the system language is
  // chosen. Without the resource the localizer has no language and every text is empty.
  static std::unique_ptr<Localizer> createFromResource(std::string_view resourceName =
                                                           "lang/languages.xml");
  // A table from UTF-8 text or a read document. `systemName` is the system language's name
  // (SystemLanguage::name()); `systemMajorVersion` below 6 stands for a system older than
  // Vista, whose fonts lack a letter of the Venetian texts.
  static std::unique_ptr<Localizer> createFromUtf8(std::string_view document,
                                                   std::u16string_view systemName,
                                                   int systemMajorVersion = 6);
  static std::unique_ptr<Localizer> createFromDocument(const xml::Node& root,
                                                       std::u16string_view systemName,
                                                       int systemMajorVersion = 6);
  ~Localizer() override;

  const char16_t* typeName() const override { return u"s_lang_Localizer"; }
  base::IObject* newInstance() const override;

  // The current language's text; "" when it has none. Chooses the system language first when
  // none is chosen yet (without telling listeners).
  const char16_t* getText(std::int32_t id);
  const char16_t* getText(std::u16string_view key);
  LangPack* findByEngName(std::u16string_view name) const;
  LangPack* findByTag(std::u16string_view tag) const;
  // The pack for `name`, else English, else the first; listeners are told when it changed.
  void selectByName(std::u16string_view name);
  void selectByIndex(std::int32_t index);
  LangPack* getCurrent();
  std::int32_t getLanguageCount() const { return static_cast<std::int32_t>(packs_.size()); }
  LangPack* getLanguage(std::int32_t index) const;
  void addListener(gui::events::IEventListener* listener);
  // A listener that goes away before the localizer must leave first.
  void removeListener(gui::events::IEventListener* listener);

  // Start-up: the stored setting "Language" (an engName) chooses the language, and the setting
  // is written again when it does not name the chosen language exactly.
  void chooseFromSettings(map::IMappedData& settings);

  const std::u16string& systemName() const { return systemName_; }

 private:
  Localizer() = default;
  void build(const xml::Node& root, int systemMajorVersion);
  void makeCurrent(LangPack* pack);

  std::vector<std::unique_ptr<LangPack>> packs_;
  std::atomic<LangPack*> current_{nullptr};
  std::vector<gui::events::IEventListener*> listeners_;
  std::u16string systemName_;
};

}  // namespace s::lang
