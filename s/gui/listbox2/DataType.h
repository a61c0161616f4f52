#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "s/base/IObject.h"
#include "s/gui/events/IEventListener.h"
#include "s/thread/IPoolable.h"

namespace s::lang {
class Localizer;
}

namespace s::gui::listbox2 {

class SubRecord;

// One column of a list: title (taken again from its text id when the localizer it listens to
// reports a language change), width, alignment, drawing flags and how its cells sort.
class DataType final : public base::IObject,
                       public thread::IPoolable,
                       public events::IEventListener {
 public:
  // <0, 0, >0 like strcmp; cells of two rows of this column.
  using Compare = int (*)(SubRecord* a, SubRecord* b);

  static constexpr int kAlignLeft = 0;
  static constexpr int kAlignCentre = 1;
  static constexpr int kAlignRight = 2;

  static DataType* create();  // from the pool
  DataType() = default;
  // Stops listening to its localizer, which must still exist then.
  ~DataType() override;
  DataType(const DataType&) = delete;
  DataType& operator=(const DataType&) = delete;

  const std::u16string& getTitle() const { return title_; }
  void setTitle(std::u16string_view title) { title_.assign(title); }
  int getTextId() const { return textId_; }
  // Takes the title of `textId` from the localizer (when both are given) and listens to it;
  // a column listens to one localizer at most and stops when it is given back.
  void setTextId(int textId, lang::Localizer* localizer);
  int getWidth() const { return width_; }
  void setWidth(int width) { width_ = width; }
  int getAlignment() const { return alignment_; }
  void setAlignment(int alignment) { alignment_ = alignment; }
  std::uint32_t getDrawFlags() const { return drawFlags_; }
  void setDrawFlags(std::uint32_t flags) { drawFlags_ = flags; }
  bool isSortable() const { return compare_ != nullptr; }
  Compare getCompare() const { return compare_; }
  void setCompare(Compare compare) { compare_ = compare; }
  // false after reset: the first click sorts ascending.
  bool getSortDirection() const { return sortDirection_; }
  void setSortDirection(bool ascending) { sortDirection_ = ascending; }

  void onEvent(base::IObject* source, int code) override;
  const char16_t* typeName() const override { return u"s_gui_listbox2_DataType"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  void retitle();

  std::u16string title_;
  int textId_ = -1;
  lang::Localizer* localizer_ = nullptr;
  int width_ = 0;
  int alignment_ = kAlignLeft;
  std::uint32_t drawFlags_ = 0;
  Compare compare_ = nullptr;
  bool sortDirection_ = false;
};

}  // namespace s::gui::listbox2
