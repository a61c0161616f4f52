#include "s/gui/listbox2/Record.h"

#include <atomic>

#include "s/gui/listbox2/List.h"
#include "s/gui/listbox2/SubRecord.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::listbox2 {

namespace {
using Pool = thread::PoolOf<Record, thread::EasyPooler::kRawRecordCapacity>;

// One counter for every list: stamps only need to grow within a list, and a row moved to
// another list keeps a stamp that is still comparable there.
std::atomic<std::uint64_t> nextSelectionStamp{1};
}  // namespace

Record* Record::create(int cellCount) {
  Record* row = Pool::acquire();
  row->ensureCells(cellCount);
  return row;
}

void Record::release() { Pool::release(this); }

// A pool that is full destroys instead of resetting, so the destructor does the same work.
Record::~Record() { reset(); }

void Record::ensureCells(int count) {
  if (count <= getCellCount()) return;
  cells_.reserve(static_cast<std::size_t>(count));
  while (getCellCount() < count) cells_.push_back(SubRecord::create());
}

SubRecord* Record::getCell(int i) {
  return i >= 0 && i < getCellCount() ? cells_[static_cast<std::size_t>(i)] : nullptr;
}

std::u16string_view Record::getCellText(int i) {
  SubRecord* cell = getCell(i);
  return cell ? std::u16string_view(cell->getText()) : std::u16string_view();
}

void Record::setCellText(int i, std::u16string_view text) {
  if (i < 0) return;
  ensureCells(i + 1);
  cells_[static_cast<std::size_t>(i)]->setText(text);
}

void Record::setSelected(bool on) {
  if (on == selected_) return;
  selected_ = on;
  selectionStamp_ = on ? nextSelectionStamp.fetch_add(1, std::memory_order_relaxed) : 0;
  if (list_) list_->noteSelected(on);
}

void Record::reset() {
  // The index is -1 whenever the row is shown nowhere, so giving back a detached row costs
  // nothing more than this test.
  if (index_ != -1 && list_) list_->removeRow(this);
  for (SubRecord* cell : cells_) cell->release();
  cells_.clear();
  list_ = nullptr;
  index_ = -1;
  selected_ = false;
  checked_ = false;
  selectionStamp_ = 0;
  flags_ = 0;
  buttonFlags_ = 0;
  userData_ = nullptr;
}

}  // namespace s::gui::listbox2
