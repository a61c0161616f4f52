#pragma once
#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "platform/ui/Image.h"
#include "platform/ui/Message.h"
#include "s/gui/IWindow.h"
#include "s/gui/drawer/IWindow.h"
#include "s/gui/win/BackBuffer.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Host.h"
#include "s/gui/win/UIThread.h"

namespace platform::ui {
class WindowSystem;
struct FrameStyle;
namespace desktop {
class TrayIcon;
}
}  // namespace platform::ui
namespace s::app {
class IAppWindow;
}

namespace s::gui::win {

// A top-level window with its own interface thread. The window's client area is the box this
// class is: children are laid out in it (a column by default), a status bar is docked at its
// bottom, and its background and frame are painted by the skin's window drawer, whose region
// shapes the window. The native top-level window's messages become the window events of IWindow.
//
// Threads: the native windows and every component of the tree belong to the window's thread.
// Public operations may be called from any thread; they run on the window's thread and wait.
// A window that is closed answers requests at once with a failure, so no caller waits on it.
class Window : public Box, public IWindow {
 public:
  static constexpr int kDefaultWidth = 240, kDefaultHeight = 120;
  static constexpr int kTimerBase = 10000;

  explicit Window(platform::ui::WindowSystem& ws);
  ~Window() override;

  const char16_t* typeName() const override { return u"s_gui_win_Window"; }
  base::IObject* newInstance() const override { return nullptr; }
  void release() override {}
  void reset() override {}

  // Whether the interface thread came up with its windows; startError() says why not.
  bool started() const { return top_ != platform::ui::kNoWindow; }
  const std::string& startError() const { return thread_.error(); }
  platform::ui::Handle topHandle() const { return top_; }
  platform::ui::WindowSystem& windowSystem() const { return ws_; }
  // Runs `work` on the window's thread and waits; false when the thread no longer runs.
  bool run(const std::function<void()>& work) const;

  // ---- the component as a top-level window
  int getX() const override;
  int getY() const override;
  void setLocation(int x, int y) override;
  void setSize(int w, int h) override;
  void setBounds(int x, int y, int w, int h) override;
  bool isVisible() const override;
  void setVisible(bool show, bool relayout = true) override;
  void doLayout() override;
  void onEvent(base::IObject* source, int code) override;
  // A component docked at the bottom, outside the layout; not owned.
  void setStatusBar(IComponent* bar);

  // ---- IWindow
  bool isClosed() const override { return closed_.load(); }
  void waitUntilClosed() const override;
  void close() override;
  void cancelClose() override { cancelClose_ = true; }
  bool isMinimized() const override;
  void minimize() override;
  bool isMaximized() const override;
  void maximize() override;
  void restore() override;
  void showNormal() override;
  void iconize() override;
  bool isIconized() const override { return iconized_; }
  void setKeepOnTop(bool on) override;
  bool isKeptOnTop() const override { return keepOnTop_; }
  void setOpacity(int percent, bool onlyOnTop) override;
  void setMiddleClickAction(const std::u16string& name) override;
  std::u16string getMiddleClickAction() const override { return middleAction_; }
  void beginDragCapture() override;
  int getFrameWidth() const override;
  int getFrameHeight() const override;
  std::u16string getTitle() const override;
  void setTitle(const std::u16string& title) override;
  void setMaximizeBox(bool on) override;
  void setMinimizeBox(bool on) override;
  void setSystemMenu(bool on) override;
  void setCaption(bool on) override;
  void setToolWindow(bool on) override;
  void setResizableFrame(bool on) override;
  void showTrayIcon(bool on) override;
  bool isTrayIconShown() const override { return tray_ != nullptr; }
  void setKeepTrayIcon(bool on) override { keepTrayIcon_ = on; }
  bool hasLocalizer() const override { return host_.localizer() != nullptr; }
  lang::Localizer* getLocalizer() const override { return host_.localizer(); }
  void setLocalizer(lang::Localizer* localizer) override;
  bool hasSkinner() const override { return skinner_ != nullptr; }
  drawer::Skinner* getSkinner() const override { return skinner_; }
  void setSkinner(drawer::Skinner* skinner) override;
  void addWindowListener(int code, events::IEventListener* l) override;
  void removeWindowListener(int code, events::IEventListener* l) override;
  void setMenuBar(IPopupMenu* menu) override { menuBar_ = menu; }
  void setTrayMenu(IPopupMenu* menu) override;
  void setContextMenu(IPopupMenu* menu, bool owned) override;
  bool sendRequest(int a, int b, int c, int d, int& result) override;
  int getRequestParam(int index) const override;
  void setRequestResult(int result) override { requestResult_ = result; }
  bool sendHandOver() override;
  int getSizingEdge() const override { return sizingEdge_; }
  int getSizingLeft() const override { return sizing_.left; }
  int getSizingTop() const override { return sizing_.top; }
  int getSizingRight() const override { return sizing_.right; }
  int getSizingBottom() const override { return sizing_.bottom; }
  void setSizingLeft(int v) override { sizing_.left = v; }
  void setSizingTop(int v) override { sizing_.top = v; }
  void setSizingRight(int v) override { sizing_.right = v; }
  void setSizingBottom(int v) override { sizing_.bottom = v; }
  void setMinSizeEnforced(bool width, bool height) override;
  void setDrawer(drawer::IWindow* drawer, bool owned) override;
  int getLastKey() const override { return lastKey_; }
  // A Control key was held with the last key.
  bool lastKeyHadControl() const { return lastKeyControl_; }
  int getWheelLines() const override { return wheelLines_; }
  void showInfo(const std::u16string& text) override;
  void showError(const std::u16string& text) override;
  bool ask(const std::u16string& text) override;
  bool isSessionEnding() const override { return sessionEnding_; }
  bool hotKeysAvailable() const override { return false; }
  bool registerHotKey(const std::u16string& name, unsigned modifiers, unsigned virtualKey,
                      bool report) override;
  void unregisterHotKey(const std::u16string&) override {}
  void unregisterAllHotKeys() override {}
  bool isHotKey(const std::u16string&) const override { return false; }
  void setTimer(int id, int milliseconds) override;
  void killTimer(int id) override;
  int getTimerId() const override { return timerId_; }

  // ---- bound to an application window (WindowPlacement.cpp, WindowFront.cpp)
  // Takes the window's title, language table, skins, placement and switches from `appWindow`
  // (not owned; it must outlive the binding) and stores them there as they change from now on.
  void setAppWindow(app::IAppWindow* appWindow);
  app::IAppWindow* getAppWindow() const { return appWindow_; }
  // Stores the normal placement (or that the window is maximized); nothing while minimized.
  void savePlacement(bool hiding);
  // At least 10 pixels of a window larger than 10 x 10 lie inside the virtual screen.
  bool isOnScreen() const;
  // Showing puts a window that has no stored place, or one off every screen, in the middle of
  // the work area (or maximizes it when it was); hiding saves the placement first.
  void show(bool visible, bool activate);
  // Raises and focuses the window; keep on top is left as the user set it. activate(false) only
  // marks the window inactive: which window has the focus is the desktop's business.
  void activate(bool on);
  bool isActive() const { return active_; }
  // Back from the tray or from minimized, then raised (what a later start of the program asks).
  void bringToFront();
  // A left press on the window's own background moves the window ("EasyDrag").
  void setEasyDrag(bool on);
  bool getEasyDrag() const { return easyDrag_; }
  // Keeps every move inside the screen: the virtual screen, or the work area with one monitor.
  void setKeepInScreen(bool on);
  bool isKeptInScreen() const { return keepInScreen_; }
  // Moves the window inside the virtual screen once (not a maximized one).
  void keepInScreenNow();
  // The alpha (0..255) the window is composed with: 255 while opaque.
  int getOpacityAlpha() const;

  // The back buffer's size, for checking that it is kept between paints (empty without a drawer).
  platform::ui::Size backBufferSize() const { return buffer_.size(); }
  // The end of the desktop session: the window closes as if the user closed it.
  void endSession();

 protected:
  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;
  void onMouseDown(const MouseEvent& e) override;
  void onMouseUp(const MouseEvent& e) override;
  void onMouseMove(const MouseEvent& e) override;
  bool onWheel(const WheelEvent& e) override;
  bool onKeyDown(const KeyEvent& e) override;
  void onCaptureLost() override;
  // The window has no title bar of the desktop's: a double click on its own background is
  // the title bar's double click (event 16).
  void onDoubleClick(const MouseEvent& e) override;

 private:
  friend class WindowMessages;
  std::string createNative();
  void raise(int code);
  void handleClose();
  void routeCommand(int id);
  void clientResized(platform::ui::Size size);
  void applyRegion();
  void applyOpacity();
  void skinChanged();
  const drawer::IWindow* currentDrawer() const;
  // Creates the tray icon with the title as its tool tip and the tray menu; false when the
  // desktop gives none.
  bool makeTray();
  void dropTray();
  void noteActivation(bool active);
  void trayLeftClick();
  void limitPosition(platform::ui::Rect& bounds) const;
  platform::ui::Rect keepInScreenBounds() const;
  // Lays out every container of the tree again, each after its parent, so that sizes measured
  // with the skin's drawers (list rows, headers) follow a new skin at once (WindowStyle.cpp).
  static void layoutTree(IComponent& component);
  // Changes what the window manager offers for the window (WindowStyle.cpp).
  void changeFrame(const std::function<void(platform::ui::FrameStyle&)>& change);
  // Has the desktop build a menu of ours ahead of its opening (nothing for none).
  void prepareMenu(IPopupMenu* menu);

  platform::ui::WindowSystem& ws_;
  Host host_;
  UIThread thread_;
  platform::ui::Handle top_ = platform::ui::kNoWindow;
  std::array<events::ListenerList, kLastEvent + 1> events_;
  IComponent* statusBar_ = nullptr;
  IPopupMenu* menuBar_ = nullptr;
  IPopupMenu* trayMenu_ = nullptr;
  IPopupMenu* contextMenu_ = nullptr;
  bool ownsContextMenu_ = false;
  drawer::IWindow* drawer_ = nullptr;
  bool ownsDrawer_ = false;
  drawer::WindowState drawerState_;
  BackBuffer buffer_;
  drawer::Skinner* skinner_ = nullptr;
  std::unique_ptr<platform::ui::desktop::TrayIcon> tray_;
  bool keepTrayIcon_ = false;
  bool trayMenuOpen_ = false;
  std::array<int, 4> request_{};
  int requestResult_ = 0;
  int sizingEdge_ = 0;
  platform::ui::Rect sizing_;
  int lastKey_ = 0, wheelLines_ = 0, timerId_ = 0;
  bool lastKeyControl_ = false;
  std::u16string middleAction_ = u"DoNothing";
  bool minWidthEnforced_ = false, minHeightEnforced_ = false;
  std::atomic<bool> closed_{false};
  bool cancelClose_ = false;
  std::atomic<bool> sessionEnding_{false};
  std::atomic<bool> iconized_{false};
  std::atomic<bool> keepOnTop_{false};
  int opacity_ = 100;
  bool opacityOnlyOnTop_ = false;
  app::IAppWindow* appWindow_ = nullptr;
  std::atomic<bool> active_{false};
  // When the window last lost the focus: a click on the tray icon takes it away first.
  std::chrono::steady_clock::time_point lastDeactivation_{};
  std::atomic<bool> easyDrag_{false};
  std::atomic<bool> keepInScreen_{false};
};

}  // namespace s::gui::win
