#pragma once
#include <string>

namespace s::gui::events {
class IEventListener;
}
namespace s::lang {
class Localizer;
}

namespace s::gui::win {

// A widget's text: given as a string, or as a text id of the language table, in which case it
// follows the language. The widget that holds it is the listener the localizer tells.
class Caption {
 public:
  ~Caption();
  void setText(std::u16string text);
  // With a localizer, the id's text in the current language; the listener is told of changes.
  void setTextId(int id, lang::Localizer* localizer, events::IEventListener* listener);
  int textId() const { return id_; }
  const std::u16string& text() const { return text_; }
  // Takes the id's text again (after a change of language); false when it has no id.
  bool refresh();
  bool isFrom(const void* source) const { return source && source == localizer_; }
  // True when `source` is our localizer and the text was taken again.
  bool changedBy(const void* source) { return isFrom(source) && refresh(); }
  // Once realised: a text id binds to the tree's localizer.
  void bind(lang::Localizer* localizer, events::IEventListener* listener) {
    if (id_ >= 0) setTextId(id_, localizer, listener);
  }
  void unbind();

 private:
  std::u16string text_;
  int id_ = -1;
  lang::Localizer* localizer_ = nullptr;
  events::IEventListener* listener_ = nullptr;
};

}  // namespace s::gui::win
