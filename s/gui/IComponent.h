#pragma once
#include "platform/ui/Geometry.h"
#include "s/base/IObject.h"
#include "s/gui/events/IEventListener.h"

namespace s::gui {

class IContainer;

// A node of the component tree: a rectangle inside its parent's content area with its own
// native child window, sizes for the layouts to work with, and a background. Positions and sizes
// are pixels at 96 dots per inch; the tree's scale factor is applied where sizes come from
// content (text), never to the numbers a caller gives.
//
// Threads: every operation runs on the thread that owns the tree's native windows; code on
// other threads asks that thread (see win::Component::runOnOwner).
class IComponent : public base::IObject, public events::IEventListener {
 public:
  virtual int getX() const = 0;
  virtual void setX(int x) = 0;
  virtual int getY() const = 0;
  virtual void setY(int y) = 0;
  virtual int getScreenX() const = 0;
  virtual int getScreenY() const = 0;
  virtual bool containsScreenPoint(int x, int y) const = 0;
  virtual int getWidth() const = 0;
  virtual void setWidth(int w) = 0;
  virtual int getHeight() const = 0;
  virtual void setHeight(int h) = 0;
  virtual int getInnerWidth() const = 0;
  virtual void setInnerWidth(int w) = 0;
  virtual int getInnerHeight() const = 0;
  virtual void setInnerHeight(int h) = 0;
  virtual void setLocation(int x, int y) = 0;
  virtual void setSize(int w, int h) = 0;
  virtual void setBounds(int x, int y, int w, int h) = 0;
  virtual void setOrigin(int ox, int oy) = 0;
  virtual void moveOrigin(int dx, int dy) = 0;

  virtual int getMinWidth() const = 0;
  virtual int getMinHeight() const = 0;
  virtual int getMinInnerWidth() const = 0;
  virtual int getMinInnerHeight() const = 0;
  virtual int getMaxWidth() const = 0;
  virtual int getMaxHeight() const = 0;
  virtual int getMaxInnerWidth() const = 0;
  virtual int getMaxInnerHeight() const = 0;

  virtual bool isVisible() const = 0;
  // Whether the component is meant to be shown, realised or not.
  virtual bool isShown() const = 0;
  virtual void setVisible(bool show, bool relayout = true) = 0;
  virtual bool isEnabled() const = 0;
  virtual void setEnabled(bool on) = 0;
  virtual bool isEditable() const = 0;
  virtual void setEditable(bool on) = 0;

  virtual void centerInParent() = 0;
  virtual void centerHorizontally() = 0;
  virtual void centerVertically() = 0;

  virtual platform::ui::Color getBackgroundColor() const = 0;
  virtual bool isBackgroundTransparent() const = 0;
  virtual void setBackgroundTransparent(bool repaint) = 0;
  virtual void setBackgroundWhite(bool repaint) = 0;
  virtual void setBackgroundSystem(bool repaint) = 0;
  virtual void setBackgroundBlack(bool repaint) = 0;
  virtual void setBackgroundPale(bool repaint) = 0;
  virtual void setBackgroundColor(int r, int g, int b, bool repaint) = 0;

  virtual IContainer* getParent() const = 0;
  // Realises the component inside its parent (or, with none, destroys its native window).
  virtual void setParent(IContainer* parent) = 0;
  virtual bool isContainer() const = 0;

  virtual void repaintRect(int x, int y, int w, int h) = 0;
  virtual void repaint() = 0;
  virtual void setSizeClamped(int w, int h) = 0;
  virtual void invalidateLayout() = 0;
  virtual int getComponentCount() const = 0;
  virtual IComponent* getComponent(int i) const = 0;

  virtual bool isFrozen() const = 0;
  virtual void freeze() = 0;
  virtual void unfreeze() = 0;
};

}  // namespace s::gui
