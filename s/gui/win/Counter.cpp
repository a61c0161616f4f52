#include "s/gui/win/Counter.h"

#include "s/gui/counter/CounterData.h"
#include "s/gui/drawer/ICounter.h"
#include "s/gui/win/Host.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

using namespace platform::ui;

namespace {
using CounterPool = thread::PoolOf<Counter, thread::EasyPooler::kNeverKeep>;
}

Counter* Counter::create() { return CounterPool::acquire(); }
void Counter::release() { CounterPool::release(this); }

Counter::Counter() : first_(counter::CounterData::create()), second_(counter::CounterData::create()) {
  setPile();
  setFullSize();
}

Counter::~Counter() {
  first_->release();
  second_->release();
}

void Counter::reset() {
  Box::reset();
  content_ = nullptr;
  first_->reset();
  second_->reset();
  secondShown_ = swapColors_ = false;
  style_ = kNone;
  insets_ = {};
  own_ = nullptr;
  setPile();
  setFullSize();
}

void Counter::setContent(IComponent* content) {
  if (content_) remove(content_);
  content_ = content;
  if (content_) add(content_);
}

void Counter::setDrawer(const drawer::ICounter* own) {
  own_ = own;
  repaint();
}

void Counter::setStyle(int style) {
  style_ = style;
  repaint();
}

void Counter::setInsets(int left, int top, int right, int bottom) {
  insets_ = {left, top, right, bottom};
  repaint();
}

void Counter::setSecondSeriesShown(bool on) {
  secondShown_ = on;
  repaint();
}

bool Counter::toggleColors() {
  swapColors_ = !swapColors_;
  repaint();
  return swapColors_;
}

void Counter::paint(Canvas& canvas, const Rect& client) {
  // The background is already there (Component erases it); the content paints itself on top.
  drawer::CounterState state;
  state.style = style_;
  state.first = first_;
  state.second = secondShown_ ? second_ : nullptr;
  state.swapColors = swapColors_;
  const drawer::ICounter& d = own_ ? *own_ : host()->counter();
  d.paint(state, client.shrink(insets_.left, insets_.top, insets_.right, insets_.bottom), canvas);
}

}  // namespace s::gui::win
