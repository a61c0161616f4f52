// sonvia-cli snapshot: the real player window, built headless and written as a PNG.
#include <cstdio>
#include <cstring>
#include <string>

#include "s/app/console/NumberArgument.h"
#include "s/gui/drawer/SkinPreview.h"
#include "tools/cli/Command.h"
#include "tools/cli/PlayerSnapshot.h"

namespace {

int run(int argc, char** argv);

const cli::Command kCommand{
    "snapshot",
    "snapshot OUT.png [--skin NAME] [--lang NAME] [--list FILE.mpl] [--large] [--playing FILE] [--scale N]\n"
    "    the real player window as a first start shows it, drawn without a display: the strip\n"
    "    of controls, or with --large the window with the list (FILE.mpl, else the default play\n"
    "    list); --playing shows FILE five seconds in (at most half-way); --skin defaults to\n"
    "    \"Classic LG\", --lang (an English name or tag, see sonvia-cli lang list) to English;\n"
    "    --scale N draws every pixel N times as large. Your settings are neither read nor written.",
    run};
const cli::Registration kRegistration(kCommand);

int fail(const std::string& message) {
  std::fprintf(stderr, "sonvia-cli snapshot: %s\n", message.c_str());
  return 1;
}

struct Options {
  std::string out;
  cli::PlayerSnapshot snapshot;
  int scale = 1;
};

// Empty when the arguments are whole; else what is wrong with them.
std::string parse(int argc, char** argv, Options& o) {
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    if (a == "--large") o.snapshot.large = true;
    else if (a == "--skin" || a == "--lang" || a == "--list" || a == "--playing" || a == "--scale") {
      std::string v;
      if (!value(v)) return a + " needs a value";
      if (a == "--skin") o.snapshot.skin = v;
      else if (a == "--lang") o.snapshot.language = v;
      else if (a == "--list") o.snapshot.list = v;
      else if (a == "--playing") o.snapshot.playing = v;
      else if (int64_t n = 0; s::app::console::NumberArgument::integer(v.c_str(), 1, 16, &n)) o.scale = static_cast<int>(n);
      else return "--scale needs a whole number from 1 to 16";
    } else if (a.starts_with("--")) {
      return "unknown option " + a;
    } else if (o.out.empty()) {
      o.out = a;
    } else {
      return "unexpected argument " + a;
    }
  }
  return o.out.empty() ? "needs OUT.png" : "";
}

int run(int argc, char** argv) {
  Options o;
  if (const std::string problem = parse(argc, argv, o); !problem.empty())
    return cli::usageError(kCommand, problem.c_str());
  std::string error;
  const platform::ui::Image image = o.snapshot.render(error);
  if (!image.valid()) return fail(error);
  if (!s::gui::drawer::SkinPreview::enlarge(image, o.scale).savePng(o.out)) return fail("cannot write " + o.out);
  return 0;
}

}  // namespace
