#include "s/gui/listbox2/Selection.h"

#include <algorithm>

#include "s/gui/listbox2/List.h"
#include "s/gui/listbox2/Record.h"

namespace s::gui::listbox2 {

namespace {

// Many rows changing at once are reported once, not once per row: a list of many thousand
// songs would otherwise flood its listeners.
std::vector<int> report(List& list, bool anyOn, bool anyOff) {
  std::vector<int> codes;
  if (anyOff) {
    codes.push_back(Selection::kDeselected);
    if (list.selectedCount() == 0) codes.push_back(Selection::kNoneSelected);
  }
  if (anyOn) {
    if (list.selectedCount() == 1) codes.push_back(Selection::kOnlySelected);
    codes.push_back(Selection::kSelected);
  }
  return codes;
}

}  // namespace

std::vector<int> Selection::select(List& list, int index, bool on, bool multiSelect) {
  auto& rows = list.rows();
  if (index < 0 || index >= static_cast<int>(rows.size())) return {};
  Record* row = rows[static_cast<std::size_t>(index)];
  if (row->isSelected() == on) return {};
  std::vector<int> codes;
  if (on && !multiSelect && list.selectedCount() > 0) {
    for (Record* other : rows)
      if (other->isSelected()) other->setSelected(false);
    codes = {kDeselected, kNoneSelected};
  }
  row->setSelected(on);
  const auto more = report(list, on, !on);
  codes.insert(codes.end(), more.begin(), more.end());
  return codes;
}

std::vector<int> Selection::selectAll(List& list, bool on, bool multiSelect) {
  // A single-selection list never holds more than one selected row.
  if (on && !multiSelect) return {};
  bool changed = false;
  for (Record* row : list.rows()) {
    if (row->isSelected() == on) continue;
    row->setSelected(on);
    changed = true;
  }
  return changed ? report(list, on, !on) : std::vector<int>{};
}

std::vector<int> Selection::selectRange(List& list, int from, int to, bool only, bool multiSelect) {
  auto& rows = list.rows();
  const int count = static_cast<int>(rows.size());
  if (count == 0) return {};
  if (from > to) std::swap(from, to);
  from = std::clamp(from, 0, count - 1);
  to = std::clamp(to, 0, count - 1);
  if (!multiSelect) from = to;
  bool anyOn = false, anyOff = false;
  // Rows leave the selection before others join it, so that the selection order of the rows
  // that stay selected is kept.
  if (only || !multiSelect)
    for (int i = 0; i < count; ++i) {
      Record* row = rows[static_cast<std::size_t>(i)];
      if ((i < from || i > to) && row->isSelected()) {
        row->setSelected(false);
        anyOff = true;
      }
    }
  for (int i = from; i <= to; ++i) {
    Record* row = rows[static_cast<std::size_t>(i)];
    if (row->isSelected()) continue;
    row->setSelected(true);
    anyOn = true;
  }
  // Deselected only to end with some rows selected: no "none left" in between.
  if (anyOff && !anyOn) return report(list, false, true);
  std::vector<int> codes;
  if (anyOff) codes.push_back(kDeselected);
  const auto more = report(list, anyOn, false);
  codes.insert(codes.end(), more.begin(), more.end());
  return codes;
}

}  // namespace s::gui::listbox2
