#include "s/gui/win/Slider.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/Canvas.h"
#include "platform/ui/Image.h"
#include "s/gui/drawer/ISlider.h"
#include "s/gui/win/Host.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

using namespace platform::ui;

namespace {
using SliderPool = thread::PoolOf<Slider, thread::EasyPooler::kNeverKeep>;
constexpr int kThumb = drawer::ISlider::kThumbWidth;
}  // namespace

Slider* Slider::create() { return SliderPool::acquire(); }

Slider::Slider() { setVertical(false); }

void Slider::setVertical(bool on) {
  vertical_ = on;
  if (on) {
    setMinSize(kThumb + 2, 2 * kThumb);
    setMaxSize(kThumb + 2, kUnbounded);
  } else {
    setMinSize(2 * kThumb, kThumb + 2);
    setMaxSize(kUnbounded, kThumb + 2);
  }
  relayoutParent();
}
void Slider::release() { SliderPool::release(this); }

void Slider::reset() {
  resetComponent();
  minimum_ = value_ = 0;
  maximum_ = limit_ = 100;
  limitMode_ = highlight_ = dragging_ = draggingLimit_ = false;
  setVertical(false);
  line_ = 1;
  page_ = 10;
  changeListeners_.clear();
  own_ = nullptr;
  trackMode_ = trackP_ = trackQ_ = 0;
  tickFrequency_ = 1;
}

const drawer::ISlider& Slider::drawer() const { return own_ ? *own_ : host()->slider(); }

void Slider::setRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  value_ = limited(value_);
  limit_ = std::clamp(limit_, minimum_, maximum_);
  repaint();
}

int Slider::limited(int v) const {
  v = std::clamp(v, minimum_, maximum_);
  if (limitMode_) v = std::min(v, limit_ - 1);
  return v;
}

void Slider::setValue(int v) {
  value_ = limited(v);
  repaint();
}

void Slider::setSteps(int line, int page) {
  line_ = std::max(1, line);
  page_ = std::max(1, page);
}

void Slider::setTickFrequency(int n) {
  tickFrequency_ = n;
  setSteps(10, 1);
}

void Slider::setDrawer(const drawer::ISlider* own) {
  own_ = own;
  repaint();
}

void Slider::setHighlight(bool on) {
  if (highlight_ == on) return;
  highlight_ = on;
  repaint();
}

void Slider::setLimit(int v) {
  v = std::clamp(v, minimum_, maximum_);
  limit_ = limitMode_ ? std::max(value_ + 1, v) : v;
  repaint();
}

void Slider::setTrackMode(int mode, int p, int q) {
  trackMode_ = mode;
  trackP_ = p;
  trackQ_ = q;
  repaint();
}

void Slider::setByUser(int v) {
  v = limited(v);
  if (v == value_) return;
  value_ = v;
  repaint();
  changeListeners_.raise(this, kChanged);
}

int Slider::valueAt(int position) const {
  // The channel is where a thumb's centre can be: half a thumb in from either end.
  const int channel = length() - kThumb;
  if (channel <= 0 || maximum_ == minimum_) return minimum_;
  const long double q = static_cast<long double>(position - kThumb / 2) / channel;
  const long double v = minimum_ + q * (maximum_ - minimum_) + (1 - q) * 0.5L - q * 0.5L;
  return static_cast<int>(std::clamp<long double>(std::trunc(v), -2e9L, 2e9L));
}

int Slider::thumbAt(int v) const {
  int range = maximum_ - minimum_;
  if (range <= 0) return 0;
  return static_cast<int>(static_cast<long long>(std::max(0, length() - kThumb)) * (v - minimum_) / range);
}

void Slider::onMouseDown(const MouseEvent& e) {
  if (e.button != 0) return;
  int along = vertical_ ? e.point.y : e.point.x;
  draggingLimit_ = false;
  if (limitMode_) {
    bool onValue = along >= thumbAt(value_) && along < thumbAt(value_) + kThumb;
    bool onLimit = along >= thumbAt(limit_) && along < thumbAt(limit_) + kThumb;
    if (!onValue && !onLimit) return;
    draggingLimit_ = !onValue;
  }
  dragging_ = true;
  captureMouse();
  takeFocus();
  onMouseMove(e);
}

void Slider::onMouseMove(const MouseEvent& e) {
  if (!dragging_) return;
  int v = valueAt(vertical_ ? e.point.y : e.point.x);
  if (draggingLimit_) {
    int before = limit_;
    setLimit(v);
    if (limit_ != before) changeListeners_.raise(this, kChanged);
    return;
  }
  setByUser(v);
}

void Slider::onMouseUp(const MouseEvent& e) {
  if (e.button != 0 || !dragging_) return;
  endDrag();
  releaseMouse();
}

void Slider::endDrag() {
  dragging_ = false;
  changeListeners_.raise(this, kReleased);
}

bool Slider::onWheel(const WheelEvent& e) {
  setByUser(value_ + e.notches() * line_);
  return true;
}

bool Slider::onKeyDown(const KeyEvent& e) {
  switch (e.key) {
    case vk::kLeft:
    case vk::kUp: setByUser(value_ - line_); return true;
    case vk::kRight:
    case vk::kDown: setByUser(value_ + line_); return true;
    case vk::kPageUp: setByUser(value_ - page_); return true;
    case vk::kPageDown: setByUser(value_ + page_); return true;
    case vk::kHome: setByUser(minimum_); return true;
    case vk::kEnd: setByUser(maximum_); return true;
    default: return false;
  }
}

void Slider::paint(Canvas& canvas, const Rect& client) {
  drawer::SliderState s;
  s.minimum = minimum_;
  s.maximum = maximum_;
  s.value = value_;
  s.highlight = highlight_;
  s.reference = minimum_;
  s.enabled = isEnabled();
  s.limitMode = limitMode_;
  s.limit = limit_;
  s.trackMode = trackMode_;
  s.trackP = trackP_;
  s.trackQ = trackQ_;
  if (!vertical_) {
    drawer().paint(s, client, canvas);
    return;
  }
  // Slider drawers draw along x only: a vertical slider is drawn lying down and stood up
  // pixel by pixel (sliders are small, and vertical ones rare).
  Image lying(client.height(), client.width());
  if (!lying.valid()) return;
  Canvas side(lying);
  drawer().paint(s, Rect{0, 0, client.height(), client.width()}, side);
  for (int x = 0; x < client.width(); ++x)
    for (int y = 0; y < client.height(); ++y) canvas.setPixel(client.left + x, client.top + y, lying.pixel(y, x));
}

}  // namespace s::gui::win
