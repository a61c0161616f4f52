#pragma once
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/ui/Backend.h"

typedef struct _GtkWidget GtkWidget;

namespace platform::ui {

namespace desktop {
class GtkDesktop;
}
struct GtkFrame;

// GTK 3: one undecorated GtkWindow per top-level window. GTK lives on a thread of its own, so
// that any number of our UI threads can own windows; they hand it finished images and it hands
// them input. X11 is preferred when both X11 and Wayland are there.
class GtkBackend : public Backend {
 public:
  // nullptr with a message in `error` when no display can be opened.
  static std::unique_ptr<GtkBackend> create(std::string& error);
  ~GtkBackend() override;

  const char* name() const override { return "gtk"; }
  bool createTopLevel(Handle window, const Rect& bounds, const std::string& title) override;
  void destroyTopLevel(Handle window) override;
  void showTopLevel(Handle window, bool visible) override;
  void setTopLevelBounds(Handle window, const Rect& bounds) override;
  void setTitle(Handle window, const std::string& title) override;
  void setShape(Handle window, const Region* shape) override;
  void setOpacity(Handle window, int percent) override;
  void setKeepOnTop(Handle window, bool on) override;
  void setFrameStyle(Handle window, const FrameStyle& style) override;  // GtkFrameStyle.cpp
  void setState(Handle window, WindowState state) override;
  void activate(Handle window) override;
  void setCursor(Handle window, Cursor cursor) override;
  void present(Handle window, const Image& image, const Rect& dirty) override;
  bool clientMovesWindows() const override { return x11_; }
  void beginMoveDrag(Handle window, int button, Point screen, std::uint32_t timeMs) override;
  std::vector<Monitor> monitors() const override;
  desktop::DesktopServices& desktop() override;

  // Runs f on the GTK thread and waits for it (at once when called there).
  void runOnGtk(const std::function<void()>& f) const;
  // Runs f on the GTK thread later.
  void postToGtk(std::function<void()> f) const;
  bool onGtkThread() const { return std::this_thread::get_id() == thread_.get_id(); }
  // The GtkWindow of a top-level window, or nullptr. GTK thread only.
  GtkWidget* widgetOf(Handle window) const;

  // True once the X server has gone away: from then on nothing reaches GTK any more and calls
  // that wait for it return at once without effect.
  bool displayLost() const { return lost_.load(); }

  struct Native;  // GTK-thread state of one window
  struct Call;    // a runOnGtk in progress
  // Hands an event from GTK's callbacks to the window system.
  void forward(InputEvent e) {
    if (BackendSink* sink = sink_.load()) sink->deliver(std::move(e));
  }

 private:
  GtkBackend();
  Native* native(Handle window) const;  // GTK thread only
  // GTK thread, once: ends every wait for GTK and asks every window to close.
  void loseDisplay();

  std::thread thread_;
  bool x11_ = false;
  mutable std::mutex framesMutex_;
  std::unordered_map<Handle, std::shared_ptr<GtkFrame>> frames_;
  std::unordered_map<Handle, std::unique_ptr<Native>> natives_;  // GTK thread only
  std::unique_ptr<desktop::GtkDesktop> desktop_;
  std::atomic<bool> lost_{false};
  mutable std::mutex callsMutex_;
  mutable std::vector<Call*> calls_;  // waiting for GTK; guarded by callsMutex_
};

}  // namespace platform::ui
