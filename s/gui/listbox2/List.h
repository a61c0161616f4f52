#pragma once
#include <vector>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"
#include "s/thread/ObjLocker.h"

namespace s::gui::listbox2 {

class DataType;
class Record;

// The model of a list view: columns in creation order (owned), rows in display order (shown,
// not owned: see Record), the column order left to right, the sort keys (most recently clicked
// column first) and the lock that guards them against readers on other threads.
//
// Rows enter and leave through insertRow and the remove operations, which keep every shown row's
// index equal to its position and its list pointer set; rows() is for reading and reordering
// (renumber afterwards).
class List final : public base::IObject, public thread::IPoolable {
 public:
  static List* create();
  List() = default;
  ~List() override;
  List(const List&) = delete;
  List& operator=(const List&) = delete;

  thread::ObjLocker& lock() { return lock_; }
  std::vector<DataType*>& columns() { return columns_; }
  std::vector<Record*>& rows() { return rows_; }
  std::vector<int>& columnOrder() { return columnOrder_; }
  std::vector<int>& sortKeys() { return sortKeys_; }

  // Shows `row` at `at` (-1 or past the end: appended). A row shown in any list, this one
  // included, is refused. Returns the row's index, or -1.
  int insertRow(Record* row, int at);
  // Detaches and returns the row at `index` (index -1, deselected), or null when out of range.
  Record* removeRowAt(int index);
  // Detaches `row` when it is shown here; false otherwise.
  bool removeRow(Record* row);
  void removeAllRows();
  // Moves the rows at `indices` (any order, duplicates ignored) to sit, in their current order,
  // before the row that was at `to` (to = row count or -1: the end). False, and nothing
  // changed, on an invalid index.
  bool moveRows(const std::vector<int>& indices, int to);
  // Sets every row's index from `from` on to its position.
  void renumber(int from = 0);
  int selectedCount();

  const char16_t* typeName() const override { return u"s_gui_listbox2_List"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  // Gives back the columns, detaches the rows (index -1, deselected), empties the orders.
  void reset() override;

 private:
  thread::ObjLocker lock_;
  std::vector<DataType*> columns_;
  std::vector<Record*> rows_;
  std::vector<int> columnOrder_;
  std::vector<int> sortKeys_;
  int selectedCount_ = 0;

  friend class Record;
  void noteSelected(bool on);
  void detach(Record* row);
};

}  // namespace s::gui::listbox2
