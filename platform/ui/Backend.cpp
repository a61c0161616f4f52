#include "platform/ui/Backend.h"

#include <cstdlib>

#include "platform/ui/GtkBackend.h"
#include "platform/ui/HeadlessBackend.h"

namespace platform::ui {

std::string chooseBackendName() {
  const char* chosen = std::getenv("SONVIA_UI");
  if (chosen && *chosen) return chosen;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland) ? "gtk" : "headless";
}

std::unique_ptr<Backend> createBackend(const std::string& name, std::string& error) {
  error.clear();
  if (name == "headless") return std::make_unique<HeadlessBackend>();
  if (name == "gtk") return GtkBackend::create(error);
  error = "unknown user interface backend \"" + name + "\" (SONVIA_UI takes headless or gtk)";
  return nullptr;
}

}  // namespace platform::ui
