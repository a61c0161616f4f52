#include "s/gui/drawer/checkbox/win/Thin.h"

#include <algorithm>

#include "s/gui/drawer/Glyph.h"

namespace s::gui::drawer::checkbox::win {

using platform::ui::Rect;

void Thin::reset() {
  frame_ = disabled_ = 0;
  text_->reset();
}

void Thin::configure(const SkinColors& colors) {
  frame_ = colors[Role::kCompFg];
  disabled_ = colors[Role::kCompDisabled];
  text_->configure(colors);
}

void Thin::readColors(SkinColors& colors) const {
  colors[Role::kCompFg] = frame_;
  colors[Role::kCompDisabled] = disabled_;
  colors[Role::kText] = text_->colorFor({}, Look::kNormal);
}

void Thin::paint(const CheckState& state, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  const int e = text_->lineHeight(state.font);
  const Rect box = Rect::fromSize(rect.left, rect.top + (rect.height() - e) / 2, e, e);
  const auto frame = state.enabled ? frame_ : disabled_;
  canvas.fillRect(box, frame);
  canvas.fillRect(box.inset(2), platform::ui::rgb(255, 255, 255));
  if (state.checked) Glyph::paint(u"#Check", box.inset(1), platform::ui::rgb(0, 0, 0), canvas);
  const Look look = state.enabled ? Look::kNormal : Look::kDisabled;
  const Rect caption{rect.left + e + e / 6, rect.top, rect.right, rect.bottom};
  text_->draw(canvas, state.caption, caption, state.font, text_->colorFor(state.font, look),
              platform::ui::text::kVCenter | platform::ui::text::kEndEllipsis);
}

platform::ui::Size Thin::measure(const CheckState& state) const {
  const int e = text_->lineHeight(state.font);
  const platform::ui::Size text = text_->measure({state.caption, state.font, Look::kNormal, 0});
  return {text.width + e + e / 6, std::max(text.height, e)};
}

}  // namespace s::gui::drawer::checkbox::win
