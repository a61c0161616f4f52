#pragma once
#include <string>
#include <string_view>

namespace s::sound::mp3::win {
class Info;
}

namespace s::sound::mp3 {

// The code page choices a person makes on the command line, applied to a loaded record as the
// play list's "Character Encoding" menu would: "--codepage NAME" for the whole song (forced) and
// "--tag-codepage TAG=NAME" for one tag. NAME is anything CodePageList::lookup understands.
class TagCodePageChoice {
 public:
  // True when `option` is one of the two options (it then takes one value).
  static bool isOption(std::string_view option);
  // Applies one option; false with a message for a person when the value makes no sense.
  static bool apply(win::Info& info, std::string_view option, std::string_view value,
                    std::string* error);
};

}  // namespace s::sound::mp3
