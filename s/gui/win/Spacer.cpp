#include "s/gui/win/Spacer.h"

#include <string_view>

#include "s/gui/IBox.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

namespace {
using SpacerPool = thread::PoolOf<Spacer, thread::EasyPooler::kNeverKeep>;
}

Spacer* Spacer::create() { return SpacerPool::acquire(); }
void Spacer::release() { SpacerPool::release(this); }

void Spacer::reset() {
  resetComponent();
  vertical_ = false;
}

void Spacer::setHorizontal() { turn(false); }
void Spacer::setVertical() { turn(true); }

void Spacer::turn(bool vertical) {
  if (vertical_ == vertical) return;
  vertical_ = vertical;
  int fw = fixedWidth(), fh = fixedHeight(), pw = widthPercent(), ph = heightPercent();
  setFixedWidth(fh);
  setFixedHeight(fw);
  if (ph >= 0) setWidthPercent(ph);
  if (pw >= 0) setHeightPercent(pw);
}

bool Spacer::inParentOfKind(int kind) const {
  auto* box = dynamic_cast<const IBox*>(getParent());
  return box && std::u16string_view(box->typeName()) == u"s_gui_win_Box" && box->getKind() == kind;
}

int Spacer::getMinWidth() const {
  return vertical_ && inParentOfKind(IBox::kHorizontal) ? 0 : Component::getMinWidth();
}
int Spacer::getMaxWidth() const {
  return vertical_ && inParentOfKind(IBox::kHorizontal) ? 0 : Component::getMaxWidth();
}
int Spacer::getMinHeight() const {
  return !vertical_ && inParentOfKind(IBox::kVertical) ? 0 : Component::getMinHeight();
}
int Spacer::getMaxHeight() const {
  return !vertical_ && inParentOfKind(IBox::kVertical) ? 0 : Component::getMaxHeight();
}

}  // namespace s::gui::win
