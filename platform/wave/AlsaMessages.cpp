#include "platform/wave/AlsaMessages.h"

#include <alsa/asoundlib.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace platform::wave {

namespace {

thread_local std::string firstMessage;

void catchMessage(const char*, int, const char*, int, const char* format, ...) {
  if (!firstMessage.empty()) return;
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  firstMessage = text;
}

}  // namespace

void AlsaMessages::begin() {
  static std::once_flag installed;
  std::call_once(installed, [] { snd_lib_error_set_handler(catchMessage); });
  firstMessage.clear();
}

std::string AlsaMessages::take() {
  std::string message;
  message.swap(firstMessage);
  return message;
}

std::string AlsaMessages::describe(const std::string& what, int error) {
  std::string text = what + ": " + snd_strerror(error);
  std::string detail = take();
  if (!detail.empty()) text += " (" + detail + ")";
  return text;
}

}  // namespace platform::wave
