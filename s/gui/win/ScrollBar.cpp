#include "s/gui/win/ScrollBar.h"

#include <algorithm>

#include "s/gui/drawer/IScrollBar.h"
#include "s/gui/win/Host.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

using namespace platform::ui;

namespace {
using ScrollBarPool = thread::PoolOf<ScrollBar, thread::EasyPooler::kNeverKeep>;
constexpr int kWheelLines = 3;
}  // namespace

ScrollBar* ScrollBar::create() { return ScrollBarPool::acquire(); }
void ScrollBar::release() { ScrollBarPool::release(this); }

void ScrollBar::reset() {
  resetComponent();
  orientation_ = kVertical;
  minimum_ = maximum_ = page_ = position_ = 0;
  color_.reset();
  changeListeners_.clear();
  dragging_ = false;
}

void ScrollBar::setOrientation(int orientation, int thickness) {
  orientation_ = orientation;
  if (vertical()) {
    setFixedWidth(thickness);
    setHeightPercent(100);
  } else {
    setFixedHeight(thickness);
    setWidthPercent(100);
  }
  relayoutParent();
}

void ScrollBar::setRange(int minimum, int maximum, int page) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  page_ = std::max(0, page);
  setPosition(position_);
}

int ScrollBar::lastPosition() const { return std::max(minimum_, maximum_ - std::max(1, page_) + 1); }

void ScrollBar::setPosition(int position) {
  position_ = std::clamp(position, minimum_, lastPosition());
  repaint();
}

void ScrollBar::scrollTo(int position) {
  int before = position_;
  setPosition(position);
  if (position_ != before) changeListeners_.raise(this, kChanged);
}

void ScrollBar::setBarColor(int r, int g, int b) {
  color_ = rgb(r, g, b);
  repaint();
}

static drawer::ScrollBarState stateOf(bool vertical, int minimum, int maximum, int page, int position,
                                      bool enabled, const std::optional<Color>& color) {
  drawer::ScrollBarState s;
  s.vertical = vertical;
  s.minimum = minimum;
  s.maximum = maximum;
  s.page = page;
  s.position = position;
  s.enabled = enabled;
  s.hasColor = color.has_value();
  s.color = color.value_or(0);
  return s;
}

void ScrollBar::paint(Canvas& canvas, const Rect& client) {
  auto s = stateOf(vertical(), minimum_, maximum_, page_, position_, isEnabled(), color_);
  s.pressed = dragging_;
  host()->scrollBar().paint(s, client, canvas);
}

void ScrollBar::onMouseDown(const MouseEvent& e) {
  if (e.button != 0) return;
  auto s = stateOf(vertical(), minimum_, maximum_, page_, position_, isEnabled(), color_);
  drawer::ScrollBarParts parts = host()->scrollBar().parts(s, clientRect());
  int along = vertical() ? e.point.y : e.point.x;
  int thumbStart = vertical() ? parts.thumb.top : parts.thumb.left;
  if (parts.firstArrow.contains(e.point)) {
    scrollTo(position_ - 1);
  } else if (parts.secondArrow.contains(e.point)) {
    scrollTo(position_ + 1);
  } else if (parts.thumb.contains(e.point)) {
    dragging_ = true;
    dragAnchor_ = along;
    dragStartPosition_ = position_;
    captureMouse();
  } else if (!parts.thumb.empty()) {
    scrollTo(along < thumbStart ? position_ - std::max(1, page_) : position_ + std::max(1, page_));
  }
}

void ScrollBar::onMouseMove(const MouseEvent& e) {
  if (!dragging_) return;
  auto s = stateOf(vertical(), minimum_, maximum_, page_, position_, isEnabled(), color_);
  drawer::ScrollBarParts parts = host()->scrollBar().parts(s, clientRect());
  int track = vertical() ? parts.track.height() - parts.thumb.height() : parts.track.width() - parts.thumb.width();
  if (track <= 0) return;
  int moved = (vertical() ? e.point.y : e.point.x) - dragAnchor_;
  long long units = static_cast<long long>(moved) * (lastPosition() - minimum_) / track;
  scrollTo(dragStartPosition_ + static_cast<int>(units));
}

void ScrollBar::onMouseUp(const MouseEvent& e) {
  if (e.button != 0 || !dragging_) return;
  dragging_ = false;
  releaseMouse();
  repaint();
}

bool ScrollBar::onWheel(const WheelEvent& e) {
  scrollTo(position_ - e.notches() * kWheelLines);
  return true;
}

}  // namespace s::gui::win
