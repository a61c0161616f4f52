#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Message.h"
#include "s/gui/IContainer.h"
#include "s/gui/events/ListenerList.h"
#include "s/gui/win/Input.h"

namespace platform::ui {
class Canvas;
class WindowSystem;
}  // namespace platform::ui

namespace s::gui::win {

class Host;

// The one component base: it keeps the component state, realises the component as a native
// child window of its parent and defers positioning while frozen. Its window's messages arrive
// as typed calls (paint, mouse, wheel, key, focus, size, timer, files dropped), decoded by
// MessageDecoder alone; a widget never sees a message parameter.
//
// Threads: everything here runs on the thread that owns the tree's native windows. Another
// thread hands work to that thread with runOnOwner, which waits for it.
class Component : public virtual IComponent {
 public:
  static constexpr platform::ui::Color kButtonFace = platform::ui::rgb(240, 240, 240);
  // A maximum for widgets that take whatever room the layout gives them.
  static constexpr int kUnbounded = 100000;

  Component();
  ~Component() override;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  // ---- IComponent
  int getX() const override { return x_; }
  void setX(int x) override { setLocation(x, y_); }
  int getY() const override { return y_; }
  void setY(int y) override { setLocation(x_, y); }
  int getScreenX() const override;
  int getScreenY() const override;
  bool containsScreenPoint(int x, int y) const override;
  int getWidth() const override { return width_; }
  void setWidth(int w) override { setSize(w, height_); }
  int getHeight() const override { return height_; }
  void setHeight(int h) override { setSize(width_, h); }
  int getInnerWidth() const override { return width_; }
  void setInnerWidth(int w) override { setWidth(w); }
  int getInnerHeight() const override { return height_; }
  void setInnerHeight(int h) override { setHeight(h); }
  void setLocation(int x, int y) override;
  void setSize(int w, int h) override;
  void setBounds(int x, int y, int w, int h) override;
  void setOrigin(int ox, int oy) override;
  void moveOrigin(int dx, int dy) override { setOrigin(originX_ + dx, originY_ + dy); }

  int getMinWidth() const override;
  int getMinHeight() const override;
  int getMinInnerWidth() const override { return getMinWidth(); }
  int getMinInnerHeight() const override { return getMinHeight(); }
  int getMaxWidth() const override;
  int getMaxHeight() const override;
  int getMaxInnerWidth() const override { return getMaxWidth(); }
  int getMaxInnerHeight() const override { return getMaxHeight(); }

  bool isVisible() const override { return visible_ && handle_ != platform::ui::kNoWindow; }
  bool isShown() const override { return visible_; }
  void setVisible(bool show, bool relayout = true) override;
  bool isEnabled() const override { return enabled_; }
  void setEnabled(bool on) override;
  bool isEditable() const override { return false; }
  void setEditable(bool) override {}

  void centerInParent() override;
  void centerHorizontally() override;
  void centerVertically() override;

  platform::ui::Color getBackgroundColor() const override { return background_; }
  bool isBackgroundTransparent() const override { return transparent_; }
  void setBackgroundTransparent(bool repaint) override;
  void setBackgroundWhite(bool repaint) override { setBackgroundColor(255, 255, 255, repaint); }
  void setBackgroundSystem(bool repaint) override;
  void setBackgroundBlack(bool repaint) override { setBackgroundColor(0, 0, 0, repaint); }
  void setBackgroundPale(bool repaint) override;
  void setBackgroundColor(int r, int g, int b, bool repaint) override;

  IContainer* getParent() const override { return parent_; }
  void setParent(IContainer* parent) override;
  bool isContainer() const override { return false; }
  void repaintRect(int x, int y, int w, int h) override;
  void repaint() override;
  void setSizeClamped(int w, int h) override;
  void invalidateLayout() override {}
  int getComponentCount() const override { return 0; }
  IComponent* getComponent(int) const override { return nullptr; }
  bool isFrozen() const override { return frozen_; }
  void freeze() override { frozen_ = true; }
  void unfreeze() override;
  void onEvent(base::IObject*, int) override {}

  // ---- sizes a leaf keeps for itself (fixed and percentage sizes win over them)
  void setMinSize(int w, int h);
  void setMaxSize(int w, int h);
  void setWidthPercent(int p);   // clears the fixed width
  void setHeightPercent(int p);  // clears the fixed height
  void setFixedWidth(int n);     // clears the width percentage
  void setFixedHeight(int n);    // clears the height percentage

  // ---- tree
  Host* host() const { return host_; }
  platform::ui::Handle nativeHandle() const { return handle_; }
  // Makes this component the root of a tree inside a native window that is not ours (the
  // top-level window's client area, or a test's window).
  void hostIn(Host& host, platform::ui::Handle nativeParent);
  // Runs `work` on the thread that owns the native window and waits for it (at once on that
  // thread, or when not realised).
  void runOnOwner(const std::function<void()>& work);
  // The component's background as painted: its own colour, or its nearest opaque ancestor's.
  platform::ui::Color effectiveBackground() const;

 protected:
  // ---- typed input, decoded from the native window's messages
  virtual void paint(platform::ui::Canvas&, const platform::ui::Rect& /*client*/) {}
  virtual void onMouseDown(const MouseEvent&) {}
  virtual void onDoubleClick(const MouseEvent& e) { onMouseDown(e); }
  virtual void onMouseUp(const MouseEvent&) {}
  virtual void onMouseMove(const MouseEvent&) {}
  virtual void onMouseLeave() {}
  // True when the turn was used; else it goes on to the parent.
  virtual bool onWheel(const WheelEvent&) { return false; }
  virtual bool onKeyDown(const KeyEvent&) { return false; }
  virtual void onChar(char32_t) {}
  virtual void onFocusChanged(bool /*focused*/) {}
  virtual void onResized() {}
  virtual void onTimer(unsigned /*id*/) {}
  virtual void onCaptureLost() {}
  virtual void onEnabledChanged(bool /*enabled*/) {}
  virtual void onFilesDropped(platform::ui::Point, const std::vector<std::string>&) {}
  // True: the mouse goes to whatever lies behind.
  virtual bool isMouseTransparent(platform::ui::Point) const { return false; }
  // Called once the native window exists; a container realises its children here.
  virtual void onRealised() {}
  // After every setLocation, setSize and setBounds, frozen or not.
  virtual void onGeometrySet() {}

  // ---- services for widgets
  platform::ui::WindowSystem* windowSystem() const;
  platform::ui::Rect clientRect() const { return {0, 0, width_, height_}; }
  void startTimer(unsigned id, unsigned milliseconds);
  void stopTimer(unsigned id);
  void captureMouse();
  void releaseMouse();
  bool hasCapture() const;
  void takeFocus();
  bool hasFocus() const;
  // Whether the pointer is inside the component now.
  bool pointerInside() const;
  // The parent's inner size, for percentages (0 without a parent).
  int parentInnerWidth() const { return parent_ ? parent_->getInnerWidth() : 0; }
  int parentInnerHeight() const { return parent_ ? parent_->getInnerHeight() : 0; }
  // Sizes that come from content: leaves set them after measuring.
  int minWidthField() const { return minWidth_; }
  int minHeightField() const { return minHeight_; }
  int maxWidthField() const { return maxWidth_; }
  int maxHeightField() const { return maxHeight_; }
  int fixedWidth() const { return fixedWidth_; }
  int fixedHeight() const { return fixedHeight_; }
  int widthPercent() const { return widthPercent_; }
  int heightPercent() const { return heightPercent_; }
  // Puts the state back as a fresh component has it (pools reset through this).
  void resetComponent();
  void relayoutParent();

 private:
  friend class MessageDecoder;
  void realise(Host& host, platform::ui::Handle nativeParent);
  void destroyNative();
  void applyNative();
  void place(int x, int y, int w, int h);
  // While frozen only remembers that the native window is behind; else moves it.
  void moveNativeOrDefer();

  // Component state. Written only on the owning thread (see above).
  Host* host_ = nullptr;
  IContainer* parent_ = nullptr;
  platform::ui::Handle handle_ = platform::ui::kNoWindow;
  bool frozen_ = false;
  bool pending_ = false;
  int x_ = 0, y_ = 0;
  int originX_ = 0, originY_ = 0;
  int width_ = 0, height_ = 0;
  int minWidth_ = 0, minHeight_ = 0;
  int maxWidth_ = 0, maxHeight_ = 0;
  int widthPercent_ = -1, heightPercent_ = -1;
  int fixedWidth_ = -1, fixedHeight_ = -1;
  platform::ui::Color background_ = kButtonFace;
  bool transparent_ = true;
  bool visible_ = true;
  bool enabled_ = true;
};

}  // namespace s::gui::win
