#include "s/gui/drawer/listbox/win/Thin.h"

namespace s::gui::drawer::listbox::win {

void Thin::reset() { inner_->reset(); }

void Thin::configure(const SkinColors& colors) { inner_->configure(colors); }

void Thin::readColors(SkinColors& colors) const { inner_->readColors(colors); }

void Thin::paintCell(const ListCellState& state, const platform::ui::Rect& rect,
                     platform::ui::Canvas& canvas) const {
  inner_->paintCell(state, rect, canvas);
}

void Thin::paintBackground(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const {
  inner_->paintBackground(rect, canvas);
}

int Thin::rowHeight(const FontStyle& font) const { return inner_->rowHeight(font); }

}  // namespace s::gui::drawer::listbox::win
