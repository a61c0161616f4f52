#include <memory>
#include <string>

#include "app/ConsolePlayerWindow.h"
#include "platform/ui/DisplayCheck.h"
#include "s/app/IPlayerWindow.h"
#include "s/app/win/SonviaApp.h"
#include "s/sound/gui/dialogs/player/Dialog.h"

namespace {

// The player with a window, for a start that has a display; it takes the application's
// settings, texts and skins when start-up hands them over (setApplication).
std::unique_ptr<s::app::IPlayerWindow> makeWindowPlayer() {
  return std::make_unique<s::sound::gui::dialogs::player::Dialog>(
      s::sound::gui::dialogs::player::Dialog::Services{});
}

}  // namespace

int main(int argc, char** argv) {
  std::unique_ptr<s::app::IPlayerWindow> player;
  std::string why;
  if (platform::ui::displayAvailable(why)) {
    player = makeWindowPlayer();
  } else {
    // Said once the player runs, so that a start that only hands its files over, or changes
    // the file associations, stays silent.
    player = std::make_unique<ConsolePlayerWindow>("Sonvia: " + why + "; playing in the console.");
  }
  return s::app::win::SonviaApp::initInstance(argc, argv, *player);
}
