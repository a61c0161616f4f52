#include "s/sound/wav/Info.h"

#include "s/file/win/PathWin.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::sound::wav {

bool Info::load(std::u16string_view path) {
  clear();
  setPath(path);
  return file::win::PathWin::isFile(path);
}

str::strbuffer::StrBuffer* Info::newEmptyText() { return str::strbuffer::StrBuffer::create(); }

}  // namespace s::sound::wav
