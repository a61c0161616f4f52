#pragma once
#include <mutex>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/desktop/HeadlessDesktop.h"

namespace platform::ui {

// No display: top-level windows exist only in memory. Tests drive them by injecting input through
// the window system and read what was painted from its images.
class HeadlessBackend : public Backend {
 public:
  HeadlessBackend();
  const char* name() const override { return "headless"; }
  bool createTopLevel(Handle, const Rect&, const std::string&) override { return true; }
  void destroyTopLevel(Handle) override {}
  void showTopLevel(Handle, bool) override {}
  void setTopLevelBounds(Handle, const Rect&) override {}
  void setTitle(Handle, const std::string&) override {}
  void setShape(Handle, const Region*) override {}
  void setOpacity(Handle, int) override {}
  void setKeepOnTop(Handle, bool) override {}
  void setFrameStyle(Handle, const FrameStyle&) override {}
  void setState(Handle, WindowState) override {}
  void activate(Handle) override {}
  void setCursor(Handle, Cursor) override {}
  void present(Handle, const Image&, const Rect&) override {}
  bool clientMovesWindows() const override { return true; }
  void beginMoveDrag(Handle, int, Point, std::uint32_t) override {}
  std::vector<Monitor> monitors() const override;
  desktop::DesktopServices& desktop() override { return desktop_; }
  // The desktop's answers, scripted by a test, and the questions it was asked.
  desktop::HeadlessDesktop& desktopScript() { return desktop_; }

  // One 1280 x 1024 monitor with a 40-pixel panel at the bottom unless a test sets others.
  void setMonitors(std::vector<Monitor> monitors);

 private:
  mutable std::mutex mutex_;
  std::vector<Monitor> monitors_;
  desktop::HeadlessDesktop desktop_;
};

}  // namespace platform::ui
