#pragma once
#include <cstdint>
#include <string>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::lang {
class Localizer;
}

namespace s::gui::menuitem {

// One entry of a popup menu: a separator, or a text (plain, or the language table's text of a
// text id) reported as a command id when chosen, with an optional check or radio mark and a value
// the owner attaches to find the item again. The menu that holds an item owns it.
class MenuItem final : public base::IObject, public thread::IPoolable {
 public:
  static constexpr std::size_t kPoolCapacity = 1000;

  static MenuItem* create();
  static MenuItem* separator();
  static MenuItem* fromTextId(lang::Localizer* localizer, std::int32_t textId, int commandId,
                              bool checked = false);
  static MenuItem* fromText(const std::u16string& text, int commandId, bool checked = false);

  const char16_t* typeName() const override { return u"s_gui_menuitem_MenuItem"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  lang::Localizer* localizer() const { return localizer_; }
  void setLocalizer(lang::Localizer* l) { localizer_ = l; }
  const std::u16string& text() const { return text_; }
  // Keeps the text only while the item has no text id: the id's text always wins.
  void setText(const std::u16string& text);
  std::int32_t textId() const { return textId_; }
  void setTextId(std::int32_t id);
  // Takes the text of the text id again (after a change of language).
  void refreshText();
  int commandId() const { return commandId_; }
  void setCommandId(int id) { commandId_ = id; }
  bool checked() const { return checked_; }
  void setChecked(bool on) { checked_ = on; }
  bool radioChecked() const { return radioChecked_; }
  void setRadioChecked(bool on) { radioChecked_ = on; }
  bool isSeparator() const { return separator_; }
  std::int64_t value() const { return value_; }
  void setValue(std::int64_t v) { value_ = v; }

 private:
  lang::Localizer* localizer_ = nullptr;
  std::u16string text_;
  std::int32_t textId_ = -1;
  int commandId_ = -1;
  bool checked_ = false;
  bool radioChecked_ = false;
  bool separator_ = false;
  std::int64_t value_ = 0;
};

}  // namespace s::gui::menuitem
