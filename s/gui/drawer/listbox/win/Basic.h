#pragma once
#include "s/gui/drawer/IListBox.h"
#include "s/gui/drawer/PooledDrawer.h"

namespace s::gui::drawer::listbox::win {

// List rows from five colours: background, alternate rows, text, and the selection with its text
// (which is also the current-row mark).
class Basic final : public PooledDrawer<Basic, IListBox> {
 public:
  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paintCell(const ListCellState& state, const platform::ui::Rect& rect,
                 platform::ui::Canvas& canvas) const override;
  void paintBackground(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const override;
  int rowHeight(const FontStyle& font) const override;

  // Indentation of a tree row's text: room for the open/closed mark at every level.
  static int treeIndent(int level) { return 15 * level + 19; }

  const char16_t* typeName() const override { return u"s_gui_drawer_listbox_win_Basic"; }
  void reset() override { *this = Basic(); }

 private:
  platform::ui::Color background_ = 0;
  platform::ui::Color text_ = 0;
  platform::ui::Color selection_ = 0;
  platform::ui::Color selectedText_ = 0;
  platform::ui::Color alternate_ = 0;
};

}  // namespace s::gui::drawer::listbox::win
