// sonvia-cli skins: the built-in skins, or the skins a skin-set file would add, with their colours.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/text/Utf.h"
#include "s/gui/drawer/BuiltInSkins.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/Skinner.h"
#include "s/sound/mp3/TagJson.h"
#include "s/thread/Pooled.h"
#include "s/xml/Node.h"
#include "tools/cli/Command.h"

namespace {

int run(int argc, char** argv);

const cli::Command kCommand{
    "skins",
    "skins [--set FILE]                  the skins in order, with their fifteen colours, as JSON\n"
    "    --set FILE lists the skins that importing that skin-set file would add",
    run};
const cli::Registration kRegistration(kCommand);

using s::gui::drawer::Skinner;

std::string json(std::u16string_view text) {
  return s::sound::mp3::TagJson::quote(platform::text::utf16ToUtf8(text));
}

void print(const Skinner& skinner) {
  std::printf("[\n");
  for (int i = 0; i < skinner.getSkinCount(); ++i) {
    const auto colors = skinner.getSkin(i)->getColors();
    std::printf("  {\"name\": %s", json(skinner.getSkinName(i)).c_str());
    for (int r = 0; r < s::gui::drawer::kRoleCount; ++r) {
      const auto c = colors.colors[r];
      std::printf(", %s: [%d, %d, %d]", json(s::gui::drawer::kRoleNames[r]).c_str(), platform::ui::redOf(c),
                  platform::ui::greenOf(c), platform::ui::blueOf(c));
    }
    std::printf("}%s\n", i + 1 < skinner.getSkinCount() ? "," : "");
  }
  std::printf("]\n");
}

int run(int argc, char** argv) {
  const char* setFile = nullptr;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--set") == 0 && i + 1 < argc) setFile = argv[++i];
    else return cli::usageError(kCommand, (std::string("unexpected argument ") + argv[i]).c_str());
  }
  if (!setFile) {
    auto skinner = s::thread::holdPooled(Skinner::createSkinner());
    if (!s::gui::drawer::BuiltInSkins::load(*skinner)) {
      std::fprintf(stderr, "sonvia-cli skins: the built-in skin set cannot be read\n");
      return 1;
    }
    print(*skinner);
    return 0;
  }
  // What the skin customizer's Import does: the file's root is "SkinSetXml", its skins are
  // under "SkinSet" and are added to the list.
  auto root = s::thread::holdPooled(s::xml::Node::create());
  const std::u16string path = platform::text::utf8ToUtf16(setFile);
  if (!root->loadFile(path.c_str())) {
    std::fprintf(stderr, "sonvia-cli skins: cannot read %s\n", setFile);
    return 1;
  }
  if (root->nameView() != u"SkinSetXml") {
    std::fprintf(stderr, "sonvia-cli skins: %s is not a skin-set file (its root element is not SkinSetXml)\n",
                 setFile);
    return 1;
  }
  auto skinner = s::thread::holdPooled(Skinner::create());
  skinner->setSkinType(u"ThinWindow");
  skinner->loadSkinSet(*root, u"SkinSet", false);
  print(*skinner);
  return 0;
}

}  // namespace
