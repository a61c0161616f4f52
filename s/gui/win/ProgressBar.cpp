#include "s/gui/win/ProgressBar.h"

#include <algorithm>

#include "s/gui/counter/CounterData.h"
#include "s/gui/drawer/ICounter.h"
#include "s/gui/win/Host.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

namespace {
using ProgressBarPool = thread::PoolOf<ProgressBar, thread::EasyPooler::kNeverKeep>;
}

ProgressBar* ProgressBar::create() { return ProgressBarPool::acquire(); }
void ProgressBar::release() { ProgressBarPool::release(this); }

ProgressBar::ProgressBar() : bar_(counter::CounterData::create()) {
  bar_->setCapacity(1);
  setRange(0, 100);
  stretch();
}

void ProgressBar::stretch() {
  setMinSize(10, 8);
  setMaxSize(kUnbounded, 8);
}

ProgressBar::~ProgressBar() { bar_->release(); }

void ProgressBar::reset() {
  resetComponent();
  stretch();
  position_ = 0;
  setRange(0, 100);
}

void ProgressBar::setRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  bar_->setMinimum(minimum_);
  bar_->setFixedMaximum(maximum_);
  bar_->setMaximum(maximum_);
  setPosition(position_);
}

void ProgressBar::setPosition(int n) {
  position_ = std::clamp(n, minimum_, maximum_);
  bar_->clear();
  bar_->addSample(position_);
  repaint();
}

void ProgressBar::paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) {
  drawer::CounterState state;
  state.style = 1;
  state.first = bar_;
  host()->counter().paint(state, client, canvas);
}

}  // namespace s::gui::win
