#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::listbox2 {

// One cell of a list row: its text, or a provider asked once for the text the first time the
// cell is read (the answer is kept), per-cell drawing flags and an optional cell button.
class SubRecord final : public base::IObject, public thread::IPoolable {
 public:
  using TextProvider = std::u16string (*)(std::uintptr_t userData);

  static constexpr std::uint32_t kBold = 1;
  static constexpr std::uint32_t kOwnColour = 2;

  struct ButtonRect {
    int x = 0, y = 0, width = 0, height = 0;
  };

  static SubRecord* create();  // from the pool

  // The text; a cell with a provider and no text yet asks the provider now, once.
  const std::u16string& getText();
  void setText(std::u16string_view text);
  // Only used while no text has been set.
  void setTextProvider(TextProvider provider, std::uintptr_t userData);
  bool hasText() const { return hasText_; }

  // A number that numeric sorting uses instead of reading the text, for cells whose text is a
  // formatted value (a duration shown as h:mm:ss sorts by its seconds). Setting the text drops it.
  void setSortValue(std::uint64_t value);
  bool hasSortValue() const { return hasSortValue_; }
  std::uint64_t getSortValue() const { return sortValue_; }

  std::uint32_t getFlags() const { return flags_; }
  void setFlags(std::uint32_t flags) { flags_ = flags; }
  const ButtonRect& getButton() const { return button_; }
  void setButton(const ButtonRect& rect) { button_ = rect; }

  const char16_t* typeName() const override { return u"s_gui_listbox2_SubRecord"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  // The small members sit together: a play list of a hundred thousand songs has eight cells a
  // song, and padding between them cost more than the songs' tags.
  std::u16string text_;
  TextProvider provider_ = nullptr;
  std::uintptr_t providerData_ = 0;
  std::uint64_t sortValue_ = 0;
  ButtonRect button_;
  std::uint32_t flags_ = 0;
  bool hasText_ = false;
  bool hasSortValue_ = false;
};

}  // namespace s::gui::listbox2
