#include "s/gui/listbox2/Sorter.h"

#include <algorithm>

#include "s/gui/listbox2/Record.h"
#include "s/gui/listbox2/SubRecord.h"

namespace s::gui::listbox2 {

// The cell of the first key travels with its row through the sort, which spares most
// comparisons two pointer hops through the row.
void Sorter::sortRows(std::vector<Record*>& rows, const std::vector<Key>& keys) {
  if (keys.empty() || rows.size() < 2) return;
  SubRecord blank;  // stands in for the cell of a row shorter than the key's column
  auto cellOf = [&blank](Record* row, int column) {
    SubRecord* cell = row->getCell(column);
    return cell ? cell : &blank;
  };
  struct Item {
    SubRecord* firstCell;
    Record* row;
  };
  std::vector<Item> items;
  items.reserve(rows.size());
  for (Record* row : rows) items.push_back({cellOf(row, keys.front().column), row});
  const Key& first = keys.front();
  std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
    int order = first.compare(a.firstCell, b.firstCell);
    if (order != 0) return first.ascending ? order < 0 : order > 0;
    for (std::size_t k = 1; k < keys.size(); ++k) {
      const Key& key = keys[k];
      order = key.compare(cellOf(a.row, key.column), cellOf(b.row, key.column));
      if (order != 0) return key.ascending ? order < 0 : order > 0;
    }
    return false;
  });
  for (std::size_t i = 0; i < items.size(); ++i) rows[i] = items[i].row;
}

}  // namespace s::gui::listbox2
