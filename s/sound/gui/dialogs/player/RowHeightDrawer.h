#pragma once
#include "s/gui/drawer/IListBox.h"

namespace s::gui::win {
class Component;
}

namespace s::sound::gui::dialogs::player {

// The play list's rows at the height the user chose (the cell height of the view options),
// painted by the current skin's list drawer: it is asked anew for every cell, so a change of
// skin is followed without the view being told. Owned by the player window, not pooled.
class RowHeightDrawer final : public s::gui::drawer::IListBox {
 public:
  // `list` is the component whose tree's skin paints the rows.
  explicit RowHeightDrawer(const s::gui::win::Component& list) : list_(list) {}

  void setRowHeight(int pixels) { rowHeight_ = pixels; }

  void paintCell(const s::gui::drawer::ListCellState& state, const platform::ui::Rect& rect,
                 platform::ui::Canvas& canvas) const override;
  void paintBackground(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const override;
  // The chosen height; the view keeps a row at least one line of its font high.
  int rowHeight(const s::gui::drawer::FontStyle&) const override { return rowHeight_; }

  void configure(const s::gui::drawer::SkinColors&) override {}
  void readColors(s::gui::drawer::SkinColors& colors) const override;

  const char16_t* typeName() const override { return u"s_sound_gui_dialogs_player_RowHeightDrawer"; }
  base::IObject* newInstance() const override { return nullptr; }
  void release() override {}
  void reset() override {}

 private:
  const s::gui::drawer::IListBox& skinDrawer() const;

  const s::gui::win::Component& list_;
  int rowHeight_ = 14;
};

}  // namespace s::sound::gui::dialogs::player
