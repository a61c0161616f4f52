#include "platform/shell/MimeAppsList.h"

#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/shell/TextFile.h"
#include "platform/shell/UserFolders.h"

namespace platform::shell {

namespace {

constexpr std::string_view kGroup = "[Default Applications]";

std::vector<std::string> linesOf(std::string_view text) {
  std::vector<std::string> lines;
  std::istringstream in{std::string(text)};
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool isGroupHeader(std::string_view line) {
  line = trimmed(line);
  return !line.empty() && line.front() == '[';
}

// The value when `line` is "mimeType=value" (spaces around "=" allowed).
std::optional<std::string> valueOf(std::string_view line, std::string_view mimeType) {
  line = trimmed(line);
  if (line.substr(0, mimeType.size()) != mimeType) return std::nullopt;
  std::string_view rest = trimmed(line.substr(mimeType.size()));
  if (rest.empty() || rest.front() != '=') return std::nullopt;
  return std::string(trimmed(rest.substr(1)));
}

}  // namespace

std::string MimeAppsList::userPath() { return UserFolders::config() + "/mimeapps.list"; }

std::optional<std::string> MimeAppsList::defaultIn(std::string_view text,
                                                   std::string_view mimeType) {
  bool inGroup = false;
  std::optional<std::string> found;
  for (const std::string& line : linesOf(text)) {
    if (isGroupHeader(line)) inGroup = trimmed(line) == kGroup;
    else if (inGroup)
      if (auto v = valueOf(line, mimeType)) found = v;
  }
  return found;
}

std::string MimeAppsList::withDefault(std::string_view text, std::string_view mimeType,
                                      const std::optional<std::string>& value) {
  std::vector<std::string> lines = linesOf(text);
  std::vector<std::string> out;
  bool inGroup = false, sawGroup = false, written = false;
  const std::string entry = value ? std::string(mimeType) + "=" + *value : "";
  for (const std::string& line : lines) {
    if (isGroupHeader(line)) {
      if (inGroup && value && !written) {
        // At the end of the group's own lines, before the blank lines that part it from the next.
        auto at = out.end();
        while (at != out.begin() && trimmed(*(at - 1)).empty()) --at;
        out.insert(at, entry);
        written = true;
      }
      inGroup = trimmed(line) == kGroup;
      sawGroup = sawGroup || inGroup;
    } else if (inGroup && valueOf(line, mimeType)) {
      // Every copy of the key goes; the new value takes the place of the first.
      if (value && !written) out.push_back(entry);
      written = written || value.has_value();
      continue;
    }
    out.push_back(line);
  }
  if (value && !written) {
    if (!sawGroup) {
      if (!out.empty() && !trimmed(out.back()).empty()) out.push_back("");
      out.push_back(std::string(kGroup));
    } else {
      // The group was the last one; drop trailing blank lines so the entry joins it.
      while (!out.empty() && trimmed(out.back()).empty()) out.pop_back();
    }
    out.push_back(entry);
  }
  std::string result;
  for (const std::string& line : out) result += line + "\n";
  return result;
}

std::string MimeAppsList::firstId(std::string_view value) {
  value = trimmed(value);
  return std::string(trimmed(value.substr(0, value.find(';'))));
}

std::optional<std::string> MimeAppsList::readUserDefault(std::string_view mimeType) {
  return defaultIn(TextFile::read(userPath()).value_or(""), mimeType);
}

bool MimeAppsList::setUserDefault(std::string_view mimeType,
                                  const std::optional<std::string>& value, std::string& problem) {
  std::string path = userPath();
  // A list kept elsewhere and linked here (a folder of dotfiles) is changed where it is.
  if (char* real = realpath(path.c_str(), nullptr)) {
    path = real;
    free(real);
  }
  const std::string text = TextFile::read(path).value_or("");
  const std::string changed = withDefault(text, mimeType, value);
  return changed == text || TextFile::writeWhole(path, changed, problem);
}

}  // namespace platform::shell
