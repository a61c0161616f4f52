#include "s/gui/win/Box.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "s/gui/ILayoutManager.h"
#include "s/gui/layout/FlowH.h"
#include "s/gui/layout/Linear.h"
#include "s/gui/layout/Pile.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

using namespace platform::ui;

namespace {

using BoxPool = thread::PoolOf<Box, thread::EasyPooler::kNeverKeep>;

// Lines per wheel notch, the desktop's usual setting.
constexpr int kWheelScrollLines = 3;

int roundHalfAway(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

Box* Box::create() { return BoxPool::acquire(); }

Box::Box() = default;

Box::~Box() {
  for (IComponent* child : children_)
    if (child->getParent() == this) child->setParent(nullptr);
}

void Box::release() { BoxPool::release(this); }

void Box::reset() {
  for (IComponent* child : children_)
    if (child->getParent() == this) child->setParent(nullptr);
  children_.clear();
  resetComponent();
  manager_ = nullptr;
  kind_ = kVertical;
  how_ = {};
  marginLeft_ = marginRight_ = marginTop_ = marginBottom_ = 0;
  layoutSuspended_ = acceptFiles_ = false;
  dropped_.clear();
  dropListeners_.clear();
  wheelListeners_.clear();
  layoutListeners_.clear();
  movedListeners_.clear();
  clickListeners_.clear();
  wheelLines_ = 0;
  border_.reset();
  collapseWidth_ = collapseHeight_ = false;
  layoutDepth_ = 0;
  mouseTransparent_ = false;
  minWidthOverride_ = -1;
  neverShow_ = false;
  content_ = {};
}

// ---------------------------------------------------------------- children

void Box::add(IComponent* child) {
  if (!child || child == this) return;
  children_.push_back(child);
  child->setParent(this);
  if (marginLeft_ != 0 || marginTop_ != 0) child->setOrigin(marginLeft_, marginTop_);
  doLayout();
  askParentToLayOut();
}

void Box::remove(IComponent* child) {
  auto it = std::find(children_.begin(), children_.end(), child);
  if (it == children_.end()) return;
  children_.erase(it);
  child->setParent(nullptr);
  doLayout();
  askParentToLayOut();
}

IComponent* Box::getComponent(int i) const {
  return i >= 0 && i < getComponentCount() ? children_[static_cast<size_t>(i)] : nullptr;
}

void Box::askParentToLayOut() {
  relayoutParent();
  // A flow box's height depends on the width its parent gives it, so once more with that width.
  if (kind_ == kFlow) relayoutParent();
}

void Box::onRealised() {
  if (acceptFiles_) windowSystem()->acceptFiles(nativeHandle(), true);
  layoutSuspended_ = true;
  for (IComponent* child : children_) child->setParent(this);
  applyOrigins();
  layoutSuspended_ = false;
  doLayout();
  askParentToLayOut();
}

void Box::applyOrigins() {
  for (IComponent* child : children_) child->setOrigin(marginLeft_, marginTop_);
}

// ---------------------------------------------------------------- layout

ILayoutManager* Box::getLayoutManager() const {
  return manager_ ? manager_ : static_cast<ILayoutManager*>(layout::FlowH::shared());
}

void Box::doLayout() {
  // One nested pass is allowed (a child's relayout asking its parent again); a third would be
  // a loop.
  if (layoutSuspended_ || layoutDepth_ >= 2) return;
  ++layoutDepth_;
  content_ = {};
  if (!children_.empty()) {
    using layout::Linear;
    if (manager_)
      manager_->layout(this);
    else if (kind_ == kHorizontal)
      content_ = Linear::arrange(*this, how_, Linear::Axis::kHorizontal);
    else if (kind_ == kVertical)
      content_ = Linear::arrange(*this, how_, Linear::Axis::kVertical);
    else if (kind_ == kFlow)
      content_ = layout::FlowH::arrange(*this, how_);
    else
      content_ = layout::Pile::arrange(*this, how_);
  }
  // Still counted while the listeners hear of it: one of them laying the box out again is the
  // nested pass, and that pass's listeners cannot start a third.
  layoutListeners_.raise(this, kLayoutDone);
  --layoutDepth_;
}

void Box::setSizeClamped(int w, int h) {
  Component::setSizeClamped(w, h);
  doLayout();
}

void Box::freeze() {
  Component::freeze();
  for (IComponent* child : children_) child->freeze();
}

void Box::unfreeze() {
  Component::unfreeze();
  for (IComponent* child : children_) child->unfreeze();
}

void Box::onGeometrySet() { movedListeners_.raise(this, kMoved); }

// ---------------------------------------------------------------- sizes

int Box::getMinWidth() const {
  if (collapseWidth_) return 0;
  if (fixedWidth() >= 0) return fixedWidth();
  int w = marginLeft_ + marginRight_ + content_.minWidth;
  return minWidthOverride_ >= 0 ? std::max(w, minWidthOverride_) : w;
}

int Box::getMinHeight() const {
  if (collapseHeight_) return 0;
  if (fixedHeight() >= 0) return fixedHeight();
  return marginTop_ + marginBottom_ + content_.minHeight;
}

int Box::getMaxWidth() const {
  if (fixedWidth() >= 0) return fixedWidth();
  if (widthPercent() >= 0) return roundHalfAway(parentInnerWidth() * widthPercent() / 100.0);
  return marginLeft_ + marginRight_ + std::max(content_.minWidth, content_.maxWidth);
}

int Box::getMaxHeight() const {
  if (fixedHeight() >= 0) return fixedHeight();
  if (heightPercent() >= 0) return roundHalfAway(parentInnerHeight() * heightPercent() / 100.0);
  return marginTop_ + marginBottom_ + std::max(content_.minHeight, content_.maxHeight);
}

int Box::getMaxInnerWidth() const {
  int margins = marginLeft_ + marginRight_;
  if (fixedWidth() < 0 && widthPercent() >= 0)
    return roundHalfAway(parentInnerWidth() * widthPercent() / 100.0 - margins);
  return getMaxWidth() - margins;
}

int Box::getMaxInnerHeight() const {
  int margins = marginTop_ + marginBottom_;
  if (fixedHeight() < 0 && heightPercent() >= 0)
    return roundHalfAway(parentInnerHeight() * heightPercent() / 100.0 - margins);
  return getMaxHeight() - margins;
}

void Box::setFullSize() {
  Component::setWidthPercent(100);
  Component::setHeightPercent(100);
}

void Box::setWidthPercent(int p, bool relayout) {
  Component::setWidthPercent(p);
  if (relayout) relayoutParent();
}

void Box::setHeightPercent(int p, bool relayout) {
  Component::setHeightPercent(p);
  if (relayout) relayoutParent();
}

void Box::setFixedWidth(int n, bool relayout) {
  Component::setFixedWidth(n);
  if (relayout) relayoutParent();
}

void Box::setFixedHeight(int n, bool relayout) {
  Component::setFixedHeight(n);
  if (relayout) relayoutParent();
}

void Box::setMarginLeft(int n) { setMarginsTo(n, marginRight_, marginTop_, marginBottom_); }
void Box::setMarginRight(int n) { setMarginsTo(marginLeft_, n, marginTop_, marginBottom_); }
void Box::setMarginTop(int n) { setMarginsTo(marginLeft_, marginRight_, n, marginBottom_); }
void Box::setMarginBottom(int n) { setMarginsTo(marginLeft_, marginRight_, marginTop_, n); }
void Box::setMarginsH(int n) { setMarginsTo(n, n, marginTop_, marginBottom_); }
void Box::setMarginsV(int n) { setMarginsTo(marginLeft_, marginRight_, n, n); }
void Box::setMargins(int n) { setMarginsTo(n, n, n, n); }

void Box::setMarginsTo(int left, int right, int top, int bottom) {
  marginLeft_ = left;
  marginRight_ = right;
  marginTop_ = top;
  marginBottom_ = bottom;
  applyOrigins();
}

// ---------------------------------------------------------------- cards

void Box::showOnly(int index) {
  for (int i = 0; i < getComponentCount(); ++i)
    if (i != index) children_[static_cast<size_t>(i)]->setVisible(false, false);
  if (IComponent* shown = getComponent(index)) shown->setVisible(true, true);
}

void Box::showCard(int index) {
  // Hidden cards sit far below the content area, so whatever a later pass gives them stays
  // out of sight.
  for (int i = 0; i < getComponentCount(); ++i) {
    IComponent* c = children_[static_cast<size_t>(i)];
    if (i == index) continue;
    c->setVisible(false, false);
    c->setOrigin(0, 3000);
  }
  if (IComponent* shown = getComponent(index)) {
    shown->setOrigin(0, 0);
    shown->setVisible(true, true);
  }
}

// ---------------------------------------------------------------- input and painting

void Box::setAcceptFiles(bool on) {
  acceptFiles_ = on;
  if (nativeHandle() != kNoWindow) windowSystem()->acceptFiles(nativeHandle(), on);
}

void Box::setBorderColor(int r, int g, int b) {
  border_ = rgb(r, g, b);
  repaint();
}

void Box::setVisible(bool show, bool relayout) {
  if (show && neverShow_) return;
  Component::setVisible(show, relayout);
}

void Box::setNeverShow(bool on) {
  neverShow_ = on;
  if (on) setVisible(false, false);
}

void Box::addClickListener(events::IEventListener* l) {
  clickListeners_.add(l);
  mouseTransparent_ = false;
}

void Box::paint(Canvas& canvas, const Rect& client) {
  if (border_) canvas.frameRect(client, *border_);
}

void Box::onMouseDown(const MouseEvent& e) {
  if (e.button == 0) {
    clickListeners_.raise(this, kClicked);
    return;
  }
  // A box has no use for the other buttons: they belong to what holds it, in the end to the
  // window, whose menu opens on a right press and whose action runs on a middle press.
  if (auto* holder = dynamic_cast<Box*>(getParent())) {
    MouseEvent up = e;
    up.point.x += getX();
    up.point.y += getY();
    holder->onMouseDown(up);
  }
}

bool Box::onWheel(const WheelEvent& e) {
  if (wheelListeners_.empty()) return false;
  wheelLines_ = e.delta > 0 ? kWheelScrollLines : -kWheelScrollLines;
  wheelListeners_.raise(this, kWheelTurned);
  return true;
}

void Box::onFilesDropped(Point, const std::vector<std::string>& paths) {
  dropped_ = paths;
  dropListeners_.raise(this, kFilesDropped);
}

}  // namespace s::gui::win
