#include "s/process/commandline/win/CommandLine.h"

#include <cctype>

#include "platform/text/Utf.h"
#include "s/str/CharCase.h"
#include "s/thread/EasyPooler.h"

namespace s::process::commandline::win {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

}  // namespace

CommandLine::~CommandLine() {
  if (params_) params_->release();
}

CommandLine* CommandLine::create() { return thread::PoolOf<CommandLine>::acquire(); }

void CommandLine::release() { thread::PoolOf<CommandLine>::release(this); }

void CommandLine::reset() {
  if (params_) params_->clear();
  kinds_.clear();
  workingFolder_.clear();
}

void CommandLine::add(std::u16string_view text, Kind kind) {
  if (!params_) params_ = str::strarray::StrArray::create();
  params_->add(text);
  kinds_.push_back(kind);
}

std::string CommandLine::localPathOfUri(std::string_view uri) {
  if (!startsWithIgnoringAsciiCase(uri, "file://")) return {};
  uri.remove_prefix(7);
  if (startsWithIgnoringAsciiCase(uri, "localhost/")) uri.remove_prefix(9);
  if (uri.empty() || uri[0] != '/') return {};  // another machine's file is not ours to open
  std::string path;
  for (std::size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size()) {
      const int hi = hexDigit(uri[i + 1]), lo = hexDigit(uri[i + 2]);
      if (hi < 0 || lo < 0 || (hi == 0 && lo == 0)) return {};
      path.push_back(static_cast<char>(hi * 16 + lo));
      i += 2;
    } else if (uri[i] == '%') {
      return {};
    } else if (uri[i] == '?' || uri[i] == '#') {
      break;
    } else {
      path.push_back(uri[i]);
    }
  }
  return path;
}

void CommandLine::parse(int argc, const char* const* argv, std::string_view workingFolder,
                        const std::vector<std::u16string>& valueSwitches) {
  reset();
  workingFolder_.assign(workingFolder);
  bool switchesEnded = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (!switchesEnded && arg == "--") {
      switchesEnded = true;
      continue;
    }
    if (!switchesEnded && arg.size() > 1 && arg[0] == '-') {
      std::u16string name = platform::text::fileNameToUtf16(arg.substr(arg[1] == '-' ? 2 : 1));
      add(u"-" + name, Kind::kSwitch);
      for (const std::u16string& v : valueSwitches) {
        if (!str::CharCase::equalIgnoringCase(v, name) || i + 1 >= argc) continue;
        add(platform::text::fileNameToUtf16(argv[++i]), Kind::kValue);
        break;
      }
      continue;
    }
    add(platform::text::fileNameToUtf16(arg), Kind::kFile);
  }
}

std::int32_t CommandLine::count() const { return static_cast<std::int32_t>(kinds_.size()); }

const str::strbuffer::StrBuffer* CommandLine::get(std::int32_t index) const {
  if (index < 0 || index >= count()) return nullptr;
  return params_->get(static_cast<std::size_t>(index));
}

bool CommandLine::isSwitch(std::int32_t index) const {
  return index >= 0 && index < count() && kinds_[static_cast<std::size_t>(index)] == Kind::kSwitch;
}

bool CommandLine::isSwitchValue(std::int32_t index) const {
  return index >= 0 && index < count() && kinds_[static_cast<std::size_t>(index)] == Kind::kValue;
}

std::vector<std::string> CommandLine::files() const {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < kinds_.size(); ++i) {
    if (kinds_[i] != Kind::kFile) continue;
    std::string path = platform::text::fileNameFromUtf16(params_->at(i));
    if (std::string local = localPathOfUri(path); !local.empty()) path = std::move(local);
    if (!path.empty() && path[0] != '/' && !workingFolder_.empty()) path = workingFolder_ + "/" + path;
    out.push_back(std::move(path));
  }
  return out;
}

}  // namespace s::process::commandline::win
