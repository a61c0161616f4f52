#include "platform/process/ActivationToken.h"

#include <cstdlib>

namespace platform::process {

std::string ActivationToken::take() {
  std::string token;
  for (const char* name : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"}) {
    const char* value = std::getenv(name);
    if (token.empty() && value && *value) token = value;
    unsetenv(name);
  }
  return token;
}

}  // namespace platform::process
