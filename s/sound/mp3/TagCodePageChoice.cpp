#include "s/sound/mp3/TagCodePageChoice.h"

#include "platform/text/Utf.h"
#include "s/sound/mp3/win/Info.h"
#include "s/system/codepage/CodePageList.h"

namespace s::sound::mp3 {

namespace {

const system::codepage::CodePage* find(std::string_view name, std::string* error) {
  const system::codepage::CodePage* codePage =
      system::codepage::CodePageList::lookup(platform::text::utf8ToUtf16(name));
  if (!codePage)
    *error = "unknown code page '" + std::string(name) + "' (sonvia-cli codepages lists them)";
  return codePage;
}

}  // namespace

bool TagCodePageChoice::isOption(std::string_view option) {
  return option == "--codepage" || option == "--tag-codepage";
}

bool TagCodePageChoice::apply(win::Info& info, std::string_view option, std::string_view value,
                              std::string* error) {
  if (option == "--codepage") {
    const system::codepage::CodePage* codePage = find(value, error);
    if (!codePage) return false;
    info.setCodePage(codePage, true);
    return true;
  }
  if (option != "--tag-codepage") {
    *error = "unknown option " + std::string(option);
    return false;
  }
  size_t equals = value.find('=');
  int field = equals == std::string_view::npos ? -1 : TagFields::byName(value.substr(0, equals));
  if (field < 0) {
    *error = "--tag-codepage wants TAG=NAME with TAG one of title, artist, album, year, track, "
             "genre, comment";
    return false;
  }
  const system::codepage::CodePage* codePage = find(value.substr(equals + 1), error);
  if (!codePage) return false;
  info.setTagCodePage(field, codePage, true);
  return true;
}

}  // namespace s::sound::mp3
