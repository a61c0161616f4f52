#pragma once
#include <string>

#include "platform/ui/Image.h"

namespace cli {

// The real player window, built on a headless window system of its own and painted once: the
// window a first start shows, in a skin and a language, with the list shown or hidden, and
// optionally a song a few seconds in. The user's settings are neither read nor written; a list
// file is shown, never saved.
struct PlayerSnapshot {
  static constexpr int kPlayingMs = 5000;

  std::string skin;      // a skin's name; "" the built-in first choice, "Classic LG"
  std::string language;  // an English name or tag; "" English
  std::string list;      // a ".mpl" file shown as the only list; "" the default play list
  std::string playing;   // a song shown kPlayingMs in (at most half of it); "" none
  bool large = false;    // the list shown

  // The picture, or an invalid image with `error` saying why.
  platform::ui::Image render(std::string& error) const;
};

}  // namespace cli
