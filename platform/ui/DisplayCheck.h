#pragma once
#include <string>

namespace platform::ui {

// Whether a window can be shown: DISPLAY or WAYLAND_DISPLAY names a display and it really opens
// (a name left over from a closed session, or a display we may not use, does not count). False
// with the reason in `why`, in words for the user. Opens nothing that stays open.
bool displayAvailable(std::string& why);

}  // namespace platform::ui
