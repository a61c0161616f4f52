#pragma once
#include <string>
#include <vector>

#include "s/gui/IContainer.h"

namespace s::gui {

// A container that lays its children out in a row (kind 0), a column (1), rows that flow (2) or
// a pile (3), inside its margins, with gaps and alignments.
class IBox : public virtual IContainer {
 public:
  static constexpr int kHorizontal = 0, kVertical = 1, kFlow = 2, kPile = 3;
  // Events raised to the listeners registered for them.
  static constexpr int kFilesDropped = 1, kWheelTurned = 2, kLayoutDone = 3, kMoved = 4, kClicked = 6;

  virtual void setHGap(int n) = 0;
  virtual void setVGap(int n) = 0;
  virtual void setMarginLeft(int n) = 0;
  virtual void setMarginRight(int n) = 0;
  virtual void setMarginTop(int n) = 0;
  virtual void setMarginBottom(int n) = 0;
  virtual void setMarginsH(int n) = 0;
  virtual void setMarginsV(int n) = 0;
  virtual void setMargins(int n) = 0;
  virtual void alignTop() = 0;
  virtual void alignMiddle() = 0;
  virtual void alignBottom() = 0;
  virtual void alignLeft() = 0;
  virtual void alignCenter() = 0;
  virtual void alignRight() = 0;
  virtual int getKind() const = 0;
  virtual void setHorizontal() = 0;
  virtual void setVertical() = 0;
  virtual void setFlow() = 0;
  virtual void setPile() = 0;
  virtual void setFullSize() = 0;
  virtual void setWidthPercent(int p, bool relayoutParent) = 0;
  virtual void setHeightPercent(int p, bool relayoutParent) = 0;
  virtual void setFixedWidth(int n, bool relayoutParent) = 0;
  virtual void setFixedHeight(int n, bool relayoutParent) = 0;
  virtual void setMinWidthOverride(int n) = 0;
  virtual void setAcceptFiles(bool on) = 0;
  virtual void addDropListener(events::IEventListener* l) = 0;
  virtual const std::vector<std::string>& getDroppedFiles() const = 0;
  virtual void addWheelListener(events::IEventListener* l) = 0;
  virtual int getWheelLines() const = 0;
  virtual void setCollapseWidth(bool on) = 0;
  virtual void setCollapseHeight(bool on) = 0;
  virtual void addLayoutListener(events::IEventListener* l) = 0;
  virtual void showOnly(int index) = 0;
  virtual void showCard(int index) = 0;
  virtual void addMovedListener(events::IEventListener* l) = 0;
  virtual void setMouseTransparent(bool on) = 0;
  virtual void setBorderColor(int r, int g, int b) = 0;
  virtual void setNeverShow(bool on) = 0;
  virtual void addClickListener(events::IEventListener* l) = 0;
};

}  // namespace s::gui
