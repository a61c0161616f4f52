#include "s/sound/wav/Info.h"

#include "s/file/win/PathWin.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/codepage/CodePageList.h"

namespace s::sound::wav {

bool Info::load(std::u16string_view path) {
  clear();
  setPath(path);
  return file::win::PathWin::isFile(path);
}

str::strbuffer::StrBuffer* Info::newEmptyText() { return str::strbuffer::StrBuffer::create(); }

const Info::CodePage* Info::programDefaultCodePage() {
  return system::codepage::CodePageList::getDefault();
}

}  // namespace s::sound::wav
