#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::listbox2 {

class List;
class SubRecord;

// One row of a list: one cell per column, its index in the list it is shown in (-1 while it is
// in none), drawing flags, the flags of an optional cell button, and a user-data object.
//
// Ownership: whoever makes a row owns it; a list only shows it. Removing a row from a list
// detaches it and never frees it or its user data, so a song record can keep its row while its
// play list is switched out of the view, and a row can never outlive the record it points to
// unnoticed. The row owns its cells. A row given back while it is still shown leaves its list
// first, so a list never holds a row that went back to the pool.
class Record final : public base::IObject, public thread::IPoolable {
 public:
  Record() = default;
  ~Record() override;
  Record(const Record&) = delete;
  Record& operator=(const Record&) = delete;

  static constexpr std::uint32_t kBold = 1;
  static constexpr std::uint32_t kOwnColour = 2;
  static constexpr std::uint32_t kButtonShown = 1;
  static constexpr std::uint32_t kButtonOnHover = 2;
  static constexpr std::uint32_t kButtonPressed = 4;

  static Record* create(int cellCount = 0);  // from the pool, with that many empty cells

  int getCellCount() const { return static_cast<int>(cells_.size()); }
  // Grows the row to at least `count` cells.
  void ensureCells(int count);
  SubRecord* getCell(int i);  // null when out of range
  std::u16string_view getCellText(int i);  // "" when out of range
  void setCellText(int i, std::u16string_view text);  // grows the row when needed

  int getIndex() const { return index_; }
  void setIndex(int index) { index_ = index; }
  bool isSelected() const { return selected_; }
  // The row's check box, shown while the list has check boxes switched on.
  bool isChecked() const { return checked_; }
  void setChecked(bool on) { checked_ = on; }
  // Keeps the selected count of the list the row is shown in; a newly selected row is stamped
  // so that the list can tell the order in which its rows were selected.
  void setSelected(bool on);
  // Larger for rows selected later; 0 while not selected.
  std::uint64_t getSelectionStamp() const { return selectionStamp_; }
  // The list the row is shown in, or null.
  List* getList() const { return list_; }
  std::uint32_t getFlags() const { return flags_; }
  void setFlags(std::uint32_t flags) { flags_ = flags; }
  std::uint32_t getButtonFlags() const { return buttonFlags_; }
  void setButtonFlags(std::uint32_t flags) { buttonFlags_ = flags; }

  // Not owned (see above).
  base::IObject* getUserData() const { return userData_; }
  void setUserData(base::IObject* data) { userData_ = data; }

  const char16_t* typeName() const override { return u"s_gui_listbox2_Record"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  // Gives back the cells; forgets the user data.
  void reset() override;

 private:
  friend class List;

  std::vector<SubRecord*> cells_;
  List* list_ = nullptr;
  int index_ = -1;
  bool selected_ = false;
  bool checked_ = false;
  std::uint64_t selectionStamp_ = 0;
  std::uint32_t flags_ = 0;
  std::uint32_t buttonFlags_ = 0;
  base::IObject* userData_ = nullptr;
};

}  // namespace s::gui::listbox2
