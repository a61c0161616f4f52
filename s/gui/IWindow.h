#pragma once
#include <string>

#include "s/gui/IContainer.h"

namespace s::lang {
class Localizer;
}
namespace s::gui::drawer {
class IWindow;
class Skinner;
}  // namespace s::gui::drawer

namespace s::gui {

class IPopupMenu;

// The root of a component tree: a top-level window on its own interface thread that lays out its
// children, paints its background and frame through the skin, and turns what happens to it into
// numbered events (the k* codes below), each with its own listener list.
//
// Threads: every operation may be called from any thread; those that touch the window are carried
// out on the window's thread and wait for it.
class IWindow : public virtual IContainer {
 public:
  // Window events, raised as onEvent(window, code).
  static constexpr int kCloseRequested = 1, kRequest = 2, kRightButtonDown = 3, kLeftButtonDown = 5,
                       kActivated = 6, kDeactivated = 7, kSizing = 8, kMiddleButtonDown = 9,
                       kPositionChanging = 10, kKeyDown = 12, kMouseMove = 13, kWheelTurned = 14,
                       kHandOver = 15, kTitleDoubleClick = 16, kCaptureLost = 17, kTrayRightClick = 18,
                       kContextMenuOpening = 19, kTrayLeftClick = 22, kHotKey = 23, kRightButtonUp = 24,
                       kLeftButtonUp = 25, kTimer = 26;
  static constexpr int kLastEvent = 26;

  // Edge codes of the sizing state.
  static constexpr int kEdgeLeft = 1, kEdgeRight = 2, kEdgeTop = 3, kEdgeBottom = 4, kEdgeTopLeft = 5,
                       kEdgeTopRight = 6, kEdgeBottomLeft = 7, kEdgeBottomRight = 8;

  // ---- closing
  virtual bool isClosed() const = 0;
  virtual void waitUntilClosed() const = 0;
  virtual void close() = 0;
  virtual void cancelClose() = 0;

  // ---- state
  virtual bool isMinimized() const = 0;
  virtual void minimize() = 0;
  virtual bool isMaximized() const = 0;
  virtual void maximize() = 0;
  virtual void restore() = 0;
  virtual void showNormal() = 0;
  virtual void iconize() = 0;
  virtual bool isIconized() const = 0;
  virtual void setKeepOnTop(bool on) = 0;
  virtual bool isKeptOnTop() const = 0;
  virtual void setOpacity(int percent, bool onlyOnTop) = 0;
  virtual void setMiddleClickAction(const std::u16string& name) = 0;
  virtual std::u16string getMiddleClickAction() const = 0;
  virtual void beginDragCapture() = 0;
  virtual int getFrameWidth() const = 0;
  virtual int getFrameHeight() const = 0;
  virtual std::u16string getTitle() const = 0;
  virtual void setTitle(const std::u16string& title) = 0;

  // ---- what the desktop's window manager adds: the window draws its own frame, so at first
  // there is no title bar of the manager's, and everything else is offered
  virtual void setMaximizeBox(bool on) = 0;
  virtual void setMinimizeBox(bool on) = 0;
  virtual void setSystemMenu(bool on) = 0;  // the manager's window menu, with the title bar's buttons
  virtual void setCaption(bool on) = 0;     // the manager's title bar and border
  virtual void setToolWindow(bool on) = 0;  // a utility window, kept out of the task bar
  virtual void setResizableFrame(bool on) = 0;

  // ---- tray icon
  virtual void showTrayIcon(bool on) = 0;
  virtual bool isTrayIconShown() const = 0;
  // Keep the icon after restoring (else it is shown only while iconized).
  virtual void setKeepTrayIcon(bool on) = 0;

  // ---- what the widgets share
  virtual bool hasLocalizer() const = 0;
  virtual lang::Localizer* getLocalizer() const = 0;
  virtual void setLocalizer(lang::Localizer* localizer) = 0;
  virtual bool hasSkinner() const = 0;
  virtual drawer::Skinner* getSkinner() const = 0;
  virtual void setSkinner(drawer::Skinner* skinner) = 0;

  // ---- events
  virtual void addWindowListener(int code, events::IEventListener* l) = 0;
  virtual void removeWindowListener(int code, events::IEventListener* l) = 0;

  // ---- menus: not owned, except a context menu given with `owned`
  virtual void setMenuBar(IPopupMenu* menu) = 0;
  virtual void setTrayMenu(IPopupMenu* menu) = 0;
  virtual void setContextMenu(IPopupMenu* menu, bool owned) = 0;

  // ---- requests from other threads. False at once when the window is closed or closing.
  virtual bool sendRequest(int a, int b, int c, int d, int& result) = 0;
  virtual int getRequestParam(int index) const = 0;  // 0 to 3
  virtual void setRequestResult(int result) = 0;
  virtual bool sendHandOver() = 0;

  // ---- sizing state of kSizing (the proposed rectangle in screen coordinates)
  virtual int getSizingEdge() const = 0;
  virtual int getSizingLeft() const = 0;
  virtual int getSizingTop() const = 0;
  virtual int getSizingRight() const = 0;
  virtual int getSizingBottom() const = 0;
  virtual void setSizingLeft(int v) = 0;
  virtual void setSizingTop(int v) = 0;
  virtual void setSizingRight(int v) = 0;
  virtual void setSizingBottom(int v) = 0;
  virtual void setMinSizeEnforced(bool width, bool height) = 0;

  virtual void setDrawer(drawer::IWindow* drawer, bool owned) = 0;
  virtual int getLastKey() const = 0;
  virtual int getWheelLines() const = 0;

  // ---- dialogs, modal for this window; ask answers yes (true) or no
  virtual void showInfo(const std::u16string& text) = 0;
  virtual void showError(const std::u16string& text) = 0;
  virtual bool ask(const std::u16string& text) = 0;

  // ---- session, hot keys and timers
  virtual bool isSessionEnding() const = 0;
  virtual bool hotKeysAvailable() const = 0;
  virtual bool registerHotKey(const std::u16string& name, unsigned modifiers, unsigned virtualKey,
                              bool report) = 0;
  virtual void unregisterHotKey(const std::u16string& name) = 0;
  virtual void unregisterAllHotKeys() = 0;
  virtual bool isHotKey(const std::u16string& name) const = 0;
  virtual void setTimer(int id, int milliseconds) = 0;
  virtual void killTimer(int id) = 0;
  virtual int getTimerId() const = 0;
};

}  // namespace s::gui
