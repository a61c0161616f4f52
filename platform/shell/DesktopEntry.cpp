#include "platform/shell/DesktopEntry.h"

#include <glib.h>

#include "platform/shell/UserFolders.h"

namespace platform::shell {

std::string DesktopEntry::userPath() {
  return UserFolders::data() + "/applications/" + kId;
}

std::string DesktopEntry::execArgument(std::string_view argument) {
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  std::string quoted;
  const bool needsQuotes =
      argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
  if (needsQuotes) quoted.push_back('"');
  for (char c : argument) {
    if (needsQuotes && (c == '"' || c == '`' || c == '$' || c == '\\')) quoted.push_back('\\');
    if (c == '%') quoted.push_back('%');  // field codes start with %
    quoted.push_back(c);
  }
  if (needsQuotes) quoted.push_back('"');
  // The Exec value is also a string of the entry, where a backslash escapes the next character.
  std::string escaped;
  for (char c : quoted) {
    if (c == '\\') escaped.push_back('\\');
    escaped.push_back(c);
  }
  return escaped;
}

std::string DesktopEntry::text(std::string_view programPath,
                               const std::vector<std::string>& mimeTypes) {
  if (programPath.find_first_of("\r\n") != std::string_view::npos) return {};
  std::string types;
  for (const std::string& t : mimeTypes) types += t + ";";
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Sonvia\n"
         "GenericName=Music Player\n"
         "Comment=Play MP3 and WAVE files and play lists\n"
         "Icon=" + std::string(kIconName) + "\n"
         "Exec=" + execArgument(programPath) + " %F\n"
         "Terminal=false\n"
         "StartupNotify=true\n"
         "Categories=AudioVideo;Audio;Player;\n"
         "Keywords=music;mp3;wav;playlist;\n" +
         (types.empty() ? "" : "MimeType=" + types + "\n");
}

std::string DesktopEntry::programOf(std::string_view entryText) {
  GKeyFile* file = g_key_file_new();
  std::string program;
  if (g_key_file_load_from_data(file, entryText.data(), entryText.size(), G_KEY_FILE_NONE, nullptr)) {
    // The same two steps as a desktop's launcher: the entry's string syntax, then the quoting.
    if (char* exec = g_key_file_get_string(file, "Desktop Entry", "Exec", nullptr)) {
      int argc = 0;
      char** argv = nullptr;
      if (g_shell_parse_argv(exec, &argc, &argv, nullptr) && argc > 0) program = argv[0];
      g_strfreev(argv);
      g_free(exec);
      for (std::size_t at = program.find("%%"); at != std::string::npos; at = program.find("%%", at + 1))
        program.erase(at, 1);
    }
  }
  g_key_file_free(file);
  return program;
}

}  // namespace platform::shell
