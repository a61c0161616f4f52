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
class List final : public base::IObject, public thread::IPoolable {
 public:
  static List* create();

  thread::ObjLocker& lock() { return lock_; }
  std::vector<DataType*>& columns() { return columns_; }
  std::vector<Record*>& rows() { return rows_; }
  std::vector<int>& columnOrder() { return columnOrder_; }
  std::vector<int>& sortKeys() { return sortKeys_; }

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
};

}  // namespace s::gui::listbox2
