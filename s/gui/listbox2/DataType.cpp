#include "s/gui/listbox2/DataType.h"

#include "s/lang/Localizer.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::listbox2 {

DataType* DataType::create() { return thread::PoolOf<DataType>::acquire(); }

void DataType::release() { thread::PoolOf<DataType>::release(this); }

DataType::~DataType() { reset(); }

void DataType::setTextId(int textId, lang::Localizer* localizer) {
  textId_ = textId;
  if (localizer != localizer_) {
    if (localizer_) localizer_->removeListener(this);
    localizer_ = localizer;
    if (localizer_) localizer_->addListener(this);
  }
  retitle();
}

void DataType::onEvent(base::IObject* source, int) {
  // The only events a column hears are its localizer's language changes.
  if (source == localizer_) retitle();
}

// A table without the text leaves the title as it was rather than blank.
void DataType::retitle() {
  if (textId_ < 0 || !localizer_) return;
  const char16_t* text = localizer_->getText(textId_);
  if (text && *text) title_ = text;
}

void DataType::reset() {
  if (localizer_) localizer_->removeListener(this);
  localizer_ = nullptr;
  title_.clear();
  textId_ = -1;
  width_ = 0;
  alignment_ = kAlignLeft;
  drawFlags_ = 0;
  compare_ = nullptr;
  sortDirection_ = false;
}

}  // namespace s::gui::listbox2
