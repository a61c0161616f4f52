#pragma once
#include <algorithm>
#include <optional>

#include "s/gui/IBox.h"
#include "s/gui/layout/Arrangement.h"
#include "s/gui/win/Component.h"
#include "s/thread/IPoolable.h"

namespace s::gui::win {

// The container of the toolkit. Children are kept in insertion order, which is layout order;
// the box does not own them: whoever made a child removes it and gives it back. A box lays
// itself out again when a child is added or shown, and asks its parent to do the same, so sizes
// travel up the tree; a pass that sets off another pass of the same box nests at most once.
//
// Threads: the owning thread of the tree, as every component.
class Box : public Component, public IBox, public thread::IPoolable {
 public:
  static Box* create();  // from the pool
  Box();
  ~Box() override;

  const char16_t* typeName() const override { return u"s_gui_win_Box"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  // ---- IContainer
  void add(IComponent* child) override;
  void remove(IComponent* child) override;
  void doLayout() override;
  ILayoutManager* getLayoutManager() const override;
  void setLayoutManager(ILayoutManager* manager) override { manager_ = manager; }
  bool isContainer() const override { return true; }
  void invalidateLayout() override { doLayout(); }
  int getComponentCount() const override { return static_cast<int>(children_.size()); }
  IComponent* getComponent(int i) const override;
  void freeze() override;
  void unfreeze() override;
  void setSizeClamped(int w, int h) override;
  void setVisible(bool show, bool relayout = true) override;

  // ---- sizes: margins and the content found by the last pass
  int getInnerWidth() const override { return std::max(0, getWidth() - marginLeft_ - marginRight_); }
  void setInnerWidth(int w) override { setWidth(std::max(0, w + marginLeft_ + marginRight_)); }
  int getInnerHeight() const override { return std::max(0, getHeight() - marginTop_ - marginBottom_); }
  void setInnerHeight(int h) override { setHeight(std::max(0, h + marginTop_ + marginBottom_)); }
  int getMinWidth() const override;
  int getMinHeight() const override;
  int getMaxWidth() const override;
  int getMaxHeight() const override;
  int getMinInnerWidth() const override { return getMinWidth() - marginLeft_ - marginRight_; }
  int getMinInnerHeight() const override { return getMinHeight() - marginTop_ - marginBottom_; }
  int getMaxInnerWidth() const override;
  int getMaxInnerHeight() const override;
  const layout::ContentSizes& contentSizes() const { return content_; }

  // ---- IBox
  void setHGap(int n) override { how_.hGap = n; }
  void setVGap(int n) override { how_.vGap = n; }
  void setMarginLeft(int n) override;
  void setMarginRight(int n) override;
  void setMarginTop(int n) override;
  void setMarginBottom(int n) override;
  void setMarginsH(int n) override;
  void setMarginsV(int n) override;
  void setMargins(int n) override;
  void alignTop() override { how_.vAlign = 0; }
  void alignMiddle() override { how_.vAlign = 1; }
  void alignBottom() override { how_.vAlign = 2; }
  void alignLeft() override { how_.hAlign = 0; }
  void alignCenter() override { how_.hAlign = 1; }
  void alignRight() override { how_.hAlign = 2; }
  int getKind() const override { return kind_; }
  void setHorizontal() override { kind_ = kHorizontal; }
  void setVertical() override { kind_ = kVertical; }
  void setFlow() override { kind_ = kFlow; }
  void setPile() override { kind_ = kPile; }
  void setFullSize() override;
  void setWidthPercent(int p, bool relayoutParent) override;
  void setHeightPercent(int p, bool relayoutParent) override;
  void setFixedWidth(int n, bool relayoutParent) override;
  void setFixedHeight(int n, bool relayoutParent) override;
  void setMinWidthOverride(int n) override { minWidthOverride_ = n; }
  void setAcceptFiles(bool on) override;
  void addDropListener(events::IEventListener* l) override { dropListeners_.add(l); }
  const std::vector<std::string>& getDroppedFiles() const override { return dropped_; }
  void addWheelListener(events::IEventListener* l) override { wheelListeners_.add(l); }
  int getWheelLines() const override { return wheelLines_; }
  void setCollapseWidth(bool on) override { collapseWidth_ = on; }
  void setCollapseHeight(bool on) override { collapseHeight_ = on; }
  void addLayoutListener(events::IEventListener* l) override { layoutListeners_.add(l); }
  void showOnly(int index) override;
  void showCard(int index) override;
  void addMovedListener(events::IEventListener* l) override { movedListeners_.add(l); }
  void setMouseTransparent(bool on) override { mouseTransparent_ = on; }
  void setBorderColor(int r, int g, int b) override;
  void setNeverShow(bool on) override;
  void addClickListener(events::IEventListener* l) override;

  // The alignments and gaps in use.
  const layout::Arrangement& arrangement() const { return how_; }

 protected:
  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;
  void onMouseDown(const MouseEvent& e) override;
  bool onWheel(const WheelEvent& e) override;
  void onFilesDropped(platform::ui::Point, const std::vector<std::string>& paths) override;
  bool isMouseTransparent(platform::ui::Point) const override { return mouseTransparent_; }
  void onRealised() override;
  void onGeometrySet() override;

 private:
  void applyOrigins();
  void setMarginsTo(int left, int right, int top, int bottom);
  void askParentToLayOut();

  std::vector<IComponent*> children_;
  ILayoutManager* manager_ = nullptr;
  int kind_ = kVertical;
  layout::Arrangement how_;
  int marginLeft_ = 0, marginRight_ = 0, marginTop_ = 0, marginBottom_ = 0;
  bool layoutSuspended_ = false;
  bool acceptFiles_ = false;
  std::vector<std::string> dropped_;
  events::ListenerList dropListeners_;
  events::ListenerList wheelListeners_;
  int wheelLines_ = 0;
  std::optional<platform::ui::Color> border_;
  bool collapseWidth_ = false, collapseHeight_ = false;
  events::ListenerList layoutListeners_;
  events::ListenerList movedListeners_;
  events::ListenerList clickListeners_;
  int layoutDepth_ = 0;
  bool mouseTransparent_ = false;
  int minWidthOverride_ = -1;
  bool neverShow_ = false;
  layout::ContentSizes content_;
};

}  // namespace s::gui::win
