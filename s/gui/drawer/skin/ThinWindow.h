#pragma once
#include <array>

#include "s/gui/drawer/IDrawer.h"
#include "s/gui/drawer/ISkin.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::drawer::skin {

// The player's skin: fifteen drawers built from one palette of fifteen colours.
class ThinWindow final : public ISkin {
 public:
  // A skin from its pool with every drawer created and configured from the palette.
  static ThinWindow* build(std::u16string_view name, const SkinColors& colors);
  static ThinWindow* create() { return thread::PoolOf<ThinWindow>::acquire(); }

  ThinWindow() = default;
  ~ThinWindow() override;
  ThinWindow(const ThinWindow&) = delete;
  ThinWindow& operator=(const ThinWindow&) = delete;

  std::u16string getName() const override { return name_; }
  void setName(std::u16string_view name) override { name_ = name; }

  IWindow* getWindow() const override;
  void setWindow(IWindow* drawer) override;
  IButton* getButton() const override;
  void setButton(IButton* drawer) override;
  IText* getText() const override;
  void setText(IText* drawer) override;
  IScrollBar* getScrollBar() const override;
  void setScrollBar(IScrollBar* drawer) override;
  ICheckBox* getCheckBox() const override;
  void setCheckBox(ICheckBox* drawer) override;
  IRadioButton* getRadioButton() const override;
  void setRadioButton(IRadioButton* drawer) override;
  ISlider* getSlider() const override;
  void setSlider(ISlider* drawer) override;
  ICounter* getCounter() const override;
  void setCounter(ICounter* drawer) override;
  IListHeader* getListHeader() const override;
  void setListHeader(IListHeader* drawer) override;
  IListBox* getListBox() const override;
  void setListBox(IListBox* drawer) override;
  IStatusBar* getStatusBar() const override;
  void setStatusBar(IStatusBar* drawer) override;
  IMenu* getMenu() const override;
  void setMenu(IMenu* drawer) override;
  ICombo* getCombo() const override;
  void setCombo(ICombo* drawer) override;
  IGroupBox* getGroupBox() const override;
  void setGroupBox(IGroupBox* drawer) override;
  ITabBox* getTabBox() const override;
  void setTabBox(ITabBox* drawer) override;

  SkinColors getColors() const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_skin_ThinWindow"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override { thread::PoolOf<ThinWindow>::release(this); }
  void reset() override;

 private:
  // Slot order of the skin's drawers.
  enum Slot { kWindow, kButton, kText, kScrollBar, kCheckBox, kRadioButton, kSlider, kCounter,
              kListHeader, kListBox, kStatusBar, kMenu, kCombo, kGroupBox, kTabBox, kSlots };
  void put(Slot slot, IDrawer* drawer);

  std::u16string name_;
  std::array<IDrawer*, kSlots> drawers_{};
};

}  // namespace s::gui::drawer::skin
