#include "s/gui/listbox2/SubRecord.h"

#include "s/thread/EasyPooler.h"

namespace s::gui::listbox2 {

namespace {
// A play list of many thousand songs has eight cells per song; keep enough idle cells that
// switching lists does not go back to the allocator for each one.
using Pool = thread::PoolOf<SubRecord, thread::EasyPooler::kRawRecordCapacity>;
}  // namespace

SubRecord* SubRecord::create() { return Pool::acquire(); }

void SubRecord::release() { Pool::release(this); }

const std::u16string& SubRecord::getText() {
  if (!hasText_ && provider_) {
    // Asked once: an empty answer is kept like any other.
    text_ = provider_(providerData_);
    hasText_ = true;
  }
  return text_;
}

void SubRecord::setText(std::u16string_view text) {
  text_.assign(text);
  hasText_ = true;
  hasSortValue_ = false;
  sortValue_ = 0;
}

void SubRecord::setTextProvider(TextProvider provider, std::uintptr_t userData) {
  provider_ = provider;
  providerData_ = userData;
}

void SubRecord::setSortValue(std::uint64_t value) {
  sortValue_ = value;
  hasSortValue_ = true;
}

void SubRecord::reset() {
  text_.clear();
  hasText_ = false;
  provider_ = nullptr;
  providerData_ = 0;
  hasSortValue_ = false;
  sortValue_ = 0;
  flags_ = 0;
  button_ = ButtonRect{};
}

}  // namespace s::gui::listbox2
