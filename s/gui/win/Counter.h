#pragma once
#include "s/gui/win/Box.h"

namespace s::gui::counter {
class CounterData;
}
namespace s::gui::drawer {
class ICounter;
}

namespace s::gui::win {

// The graph panel: up to two data series drawn behind a content component (usually a box of
// labels) that is piled over the whole panel. The series are filled by other threads; painting
// reads them under their own locks.
class Counter : public Box {
 public:
  static constexpr int kNone = 0, kBar = 1, kHistory = 2;

  static Counter* create();
  Counter();
  ~Counter() override;
  const char16_t* typeName() const override { return u"s_gui_win_Counter"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  IComponent* getContent() const { return content_; }
  // The only child; the previous content is removed (not released).
  void setContent(IComponent* content);
  void setDrawer(const drawer::ICounter* own);
  void setStyle(int style);
  int getStyle() const { return style_; }
  void setInsets(int left, int top, int right, int bottom);
  counter::CounterData* getFirstSeries() const { return first_; }
  counter::CounterData* getSecondSeries() const { return second_; }
  void setSecondSeriesShown(bool on);
  // Flips which series takes which colour; returns the new setting.
  bool toggleColors();

 protected:
  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;

 private:
  IComponent* content_ = nullptr;
  counter::CounterData* first_;
  counter::CounterData* second_;
  bool secondShown_ = false;
  int style_ = kNone;
  platform::ui::Rect insets_;  // left, top, right, bottom amounts
  bool swapColors_ = false;
  const drawer::ICounter* own_ = nullptr;
};

}  // namespace s::gui::win
