#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "s/process/commandline/ICommandLine.h"
#include "s/str/strarray/StrArray.h"

namespace s::process::commandline::win {

// The program's command line. A parameter that starts with "-" or "--" is a switch, held as "-"
// and its name ("--associate" and "-associate" are the same switch); a lone "--" ends the
// switches and is not kept. A parameter that starts with "/" is a path here, never a switch.
//
// Switches named in `valueSwitches` take the next parameter as their value, kept unchanged
// right after the switch (so "--device -" is the device "-", not a switch). Parameters are kept
// as they were given; files() turns them into paths.
class CommandLine final : public ICommandLine {
 public:
  CommandLine() = default;
  ~CommandLine() override;

  static CommandLine* create();
  void parse(int argc, const char* const* argv, std::string_view workingFolder,
             const std::vector<std::u16string>& valueSwitches = {});

  std::int32_t count() const override;
  const str::strbuffer::StrBuffer* get(std::int32_t index) const override;
  // Whether parameter `index` is a switch (and not a switch's value or a file).
  bool isSwitch(std::int32_t index) const;
  // Whether parameter `index` is the value of the switch before it.
  bool isSwitchValue(std::int32_t index) const;
  // The files, in order: the parameters that are neither switches nor their values, as native
  // (byte) paths. A "file://" address becomes its local path, and a relative path is made
  // absolute against the working folder, so that a file handed to a running instance in
  // another folder is still the same file.
  std::vector<std::string> files() const;

  // "file:///a%20b" -> "/a b"; empty for anything that is not a local file address.
  static std::string localPathOfUri(std::string_view uri);

  const char16_t* typeName() const override { return u"s_process_commandline_win_CommandLine"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  enum class Kind : char { kSwitch, kValue, kFile };
  void add(std::u16string_view text, Kind kind);

  str::strarray::StrArray* params_ = nullptr;
  std::vector<Kind> kinds_;
  std::string workingFolder_;
};

}  // namespace s::process::commandline::win
