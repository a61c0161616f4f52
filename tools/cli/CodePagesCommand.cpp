// sonvia-cli codepages: the code pages a user can choose for tag texts on this system.
#include <cstdio>
#include <cstring>

#include "platform/text/Utf.h"
#include "s/system/codepage/CodePageList.h"
#include "tools/cli/Command.h"

namespace {

using s::system::codepage::CodePage;
using s::system::codepage::CodePageList;

int run(int argc, char** argv);

const cli::Command kCommand{
    "codepages",
    "codepages\n"
    "    the code pages for tag texts, one a line: number, tab, name\n"
    "codepages --default\n"
    "    the default code page (the legacy code page of the locale's language)",
    &run};
const cli::Registration kRegistration(kCommand);

void print(const CodePage& page) {
  std::printf("%u\t%s\n", page.getNumber(), platform::text::utf16ToUtf8(page.getName()).c_str());
}

int run(int argc, char** argv) {
  if (argc == 1 && std::strcmp(argv[0], "--default") == 0) {
    const CodePage* page = CodePageList::getDefault();
    if (!page) {
      std::fprintf(stderr, "sonvia-cli codepages: this system converts no code page at all\n");
      return 1;
    }
    print(*page);
    return 0;
  }
  if (argc != 0) return cli::usageError(kCommand, "unexpected argument");
  for (const CodePage* page : CodePageList::entries()) print(*page);
  return 0;
}

}  // namespace
