#include "s/gui/drawer/button/win/Thin.h"

#include "s/gui/drawer/Glyph.h"

namespace s::gui::drawer::button::win {

using platform::ui::Rect;

void Thin::reset() {
  frameStyle_ = 1;
  shift_ = true;
  normal_ = disabled_ = checked_ = fill_ = captionNormal_ = captionChecked_ = 0;
  text_->reset();
}

void Thin::configure(const SkinColors& colors) {
  normal_ = checked_ = colors[Role::kCompFg];
  disabled_ = colors[Role::kCompDisabled];
  fill_ = colors[Role::kListHeaderBg];
  captionNormal_ = colors[Role::kText];
  captionChecked_ = colors[Role::kListHeaderFont];
  text_->configure(colors);
}

void Thin::readColors(SkinColors& colors) const {
  colors[Role::kCompFg] = normal_;
  colors[Role::kCompDisabled] = disabled_;
  colors[Role::kListHeaderBg] = fill_;
  colors[Role::kText] = captionNormal_;
  colors[Role::kListHeaderFont] = captionChecked_;
}

platform::ui::Color Thin::captionColor(const ButtonState& state) const {
  if (state.font.hasColor) return state.font.color;
  switch (state.look) {
    case Look::kDisabled: return disabled_;
    case Look::kEmphasised: return captionChecked_;
    default: return captionNormal_;
  }
}

void Thin::paint(const ButtonState& state, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  int hover = state.hover;
  if (state.checked && hover != 0) hover = 3 - hover;
  const platform::ui::Color color = !state.enabled ? disabled_ : state.checked ? checked_ : normal_;
  if (state.frame) {
    if (state.checked) canvas.fillRect(rect.inset(1), fill_);
    border_->paint({frameStyle_, hover, color}, rect, canvas);
  } else if (state.checked) {
    canvas.fillRect(rect, fill_);
    border_->paint({frameStyle_, 0, color}, rect, canvas);
  }
  // The caption follows the face: up and left when raised, down and right when pressed.
  int dx = 0;
  if (shift_ && hover == 1) dx = -1;
  if (shift_ && hover == 2) dx = 1;
  if (state.caption.empty()) return;
  if (Glyph::isGlyphCaption(state.caption)) {
    Glyph::paint(state.caption, rect.offset(dx, dx), state.checked ? captionColor(state) : color, canvas);
    return;
  }
  text_->draw(canvas, state.caption, rect.inset(2).offset(dx, dx), state.font, captionColor(state),
              text::win::Basic::layoutFlags(platform::ui::text::kCenter));
}

platform::ui::Size Thin::measure(const ButtonState& state) const {
  if (Glyph::isGlyphCaption(state.caption)) return {22, 16};
  const platform::ui::Size text = text_->measure({state.caption, state.font, state.look, 0});
  return {text.width + 10, text.height + 6};
}

}  // namespace s::gui::drawer::button::win
