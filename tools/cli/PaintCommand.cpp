// sonvia-cli paint: one widget painted headless in a skin, written as a PNG.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "s/gui/counter/CounterData.h"
#include "s/gui/drawer/BuiltInSkins.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/PlayerPreview.h"
#include "s/gui/drawer/SkinPreview.h"
#include "s/gui/drawer/Skinner.h"
#include "s/thread/Pooled.h"
#include "tools/cli/Command.h"
#include "tools/cli/PlayerSnapshot.h"

namespace {

int run(int argc, char** argv);

const cli::Command kCommand{
    "paint",
    "paint button OUT.png [--caption TEXT] [--size WxH] [--checked] [--hover 0|1|2] [--disabled]\n"
    "paint slider OUT.png [--size WxH] [--min N] [--max N] [--value N] [--highlight] [--limit N] [--disabled]\n"
    "paint counter OUT.png [--size WxH] [--style 1|2] [--samples N,N,...]\n"
    "paint checkbox|radio OUT.png [--caption TEXT] [--size WxH] [--checked] [--disabled]\n"
    "paint list OUT.png [--size WxH]\n"
    "paint window OUT.png [--size WxH] [--corners TOP,BOTTOM]\n"
    "paint glyphs OUT.png [--size WxH]   every glyph in a button of that size, plain and checked\n"
    "paint player OUT.png                the player window with its list (as sonvia-cli snapshot --large)\n"
    "paint sheet OUT.png [--columns N]   every skin's player picture at half size, with its name\n"
    "    every form takes --skin NAME (default: the first built-in skin) and --scale N (pixels\n"
    "    drawn N times as large, for looking at them)",
    run};
const cli::Registration kRegistration(kCommand);

using namespace s::gui::drawer;
using platform::ui::Image;
using platform::ui::Size;

struct Options {
  std::map<std::string, std::string> values;
  bool has(const char* key) const { return values.count(key) > 0; }
  std::string get(const char* key, const char* fallback) const {
    auto it = values.find(key);
    return it == values.end() ? fallback : it->second;
  }
};

constexpr const char* kFlags[] = {"--checked", "--disabled", "--highlight"};
constexpr const char* kValued[] = {"--caption", "--size", "--hover", "--min", "--max", "--value", "--limit",
                                   "--style", "--samples", "--corners", "--skin", "--scale", "--columns"};

bool parseInt(const std::string& text, int& out) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end || v < -1000000000L || v > 1000000000L) return false;
  out = static_cast<int>(v);
  return true;
}

bool parsePair(const std::string& text, char separator, int& a, int& b) {
  const std::size_t cut = text.find(separator);
  return cut != std::string::npos && parseInt(text.substr(0, cut), a) && parseInt(text.substr(cut + 1), b);
}

int fail(const std::string& message) {
  std::fprintf(stderr, "sonvia-cli paint: %s\n", message.c_str());
  return 1;
}

// Reads --NAME as an integer within [low, high]; false with a message when it is not one.
bool intOption(const Options& o, const char* key, int fallback, int low, int high, int& out, std::string& error) {
  if (!o.has(key)) {
    out = fallback;
    return true;
  }
  if (!parseInt(o.get(key, ""), out) || out < low || out > high) {
    error = std::string(key) + " needs a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    return false;
  }
  return true;
}

int run(int argc, char** argv) {
  if (argc < 2) return cli::usageError(kCommand, "needs a WIDGET and an OUT.png");
  const std::string widget = argv[0], out = argv[1];
  Options o;
  for (int i = 2; i < argc; ++i) {
    bool known = false;
    for (const char* f : kFlags)
      if (std::strcmp(argv[i], f) == 0) o.values[f] = "1", known = true;
    for (const char* v : kValued)
      if (!known && std::strcmp(argv[i], v) == 0) {
        if (i + 1 >= argc) return cli::usageError(kCommand, (std::string(v) + " needs a value").c_str());
        o.values[v] = argv[++i];
        known = true;
      }
    if (!known) return cli::usageError(kCommand, (std::string("unknown option ") + argv[i]).c_str());
  }
  std::string error;
  int scale = 1, hover = 0, style = 2, columns = 10;
  if (!intOption(o, "--scale", 1, 1, 32, scale, error) || !intOption(o, "--hover", 0, 0, 2, hover, error) ||
      !intOption(o, "--style", 2, 1, 2, style, error) || !intOption(o, "--columns", 10, 1, 100, columns, error))
    return cli::usageError(kCommand, error.c_str());
  Size size{0, 0};
  if (o.has("--size") && (!parsePair(o.get("--size", ""), 'x', size.width, size.height) || size.width < 1 ||
                          size.height < 1 || size.width > 4000 || size.height > 4000))
    return cli::usageError(kCommand, "--size needs WxH, each from 1 to 4000");

  auto skinner = s::thread::holdPooled(Skinner::createSkinner());
  if (!BuiltInSkins::load(*skinner)) return fail("the built-in skin set cannot be read");
  const std::u16string skinName = platform::text::utf8ToUtf16(o.get("--skin", ""));
  const int index = o.has("--skin") ? skinner->findSkin(skinName) : 0;
  if (index < 0) return fail("no skin named \"" + o.get("--skin", "") + "\" (sonvia-cli skins lists them)");
  const ISkin& skin = *skinner->getSkin(index);

  Image image;
  const std::u16string caption = platform::text::utf8ToUtf16(o.get("--caption", "#Play"));
  if (widget == "button") {
    ButtonState b;
    b.caption = caption;
    b.checked = o.has("--checked");
    b.enabled = !o.has("--disabled");
    b.hover = hover;
    b.look = !b.enabled ? Look::kDisabled : b.checked ? Look::kEmphasised : Look::kNormal;
    image = SkinPreview::button(skin, b, size.width ? size : Size{22, 16});
  } else if (widget == "slider") {
    SliderState sl;
    if (!intOption(o, "--min", 0, -1000000000, 1000000000, sl.minimum, error) ||
        !intOption(o, "--max", 100, -1000000000, 1000000000, sl.maximum, error) ||
        !intOption(o, "--value", 40, -1000000000, 1000000000, sl.value, error) ||
        !intOption(o, "--limit", 0, -1000000000, 1000000000, sl.limit, error))
      return cli::usageError(kCommand, error.c_str());
    sl.highlight = o.has("--highlight");
    sl.reference = sl.minimum;
    sl.enabled = !o.has("--disabled");
    sl.limitMode = o.has("--limit");
    image = SkinPreview::slider(skin, sl, size.width ? size : Size{100, 12});
  } else if (widget == "counter") {
    auto series = s::thread::holdPooled(s::gui::counter::CounterData::create());
    series->setAutomaticMaximum(true);
    if (o.has("--samples")) {
      std::string list = o.get("--samples", "");
      for (std::size_t start = 0; start <= list.size();) {
        const std::size_t cut = std::min(list.find(',', start), list.size());
        int v = 0;
        if (!parseInt(list.substr(start, cut - start), v)) return cli::usageError(kCommand, "--samples needs N,N,...");
        series->addSample(v);
        start = cut + 1;
      }
    } else {
      for (int i = 0; i < 400; ++i) series->addSample(static_cast<int>(50 + 45 * std::sin(i / 5.0) * std::sin(i / 31.0)));
    }
    image = SkinPreview::counter(skin, style, *series, size.width ? size : Size{200, 18});
  } else if (widget == "checkbox" || widget == "radio") {
    CheckState c;
    const std::u16string label = platform::text::utf8ToUtf16(o.get("--caption", "Shuffle"));
    c.caption = label;
    c.checked = o.has("--checked");
    c.enabled = !o.has("--disabled");
    image = SkinPreview::check(skin, widget == "radio", c, size.width ? size : Size{90, 18});
  } else if (widget == "list") {
    image = SkinPreview::list(skin, size.width ? size : Size{240, 110});
  } else if (widget == "window") {
    WindowState w;
    if (o.has("--corners") && (!parsePair(o.get("--corners", ""), ',', w.topCorners, w.bottomCorners) ||
                               w.topCorners < 0 || w.topCorners > 2 || w.bottomCorners < 0 || w.bottomCorners > 2))
      return cli::usageError(kCommand, "--corners needs TOP,BOTTOM, each 0, 1 or 2");
    image = SkinPreview::window(skin, w, size.width ? size : Size{60, 40});
  } else if (widget == "glyphs") {
    image = SkinPreview::glyphs(skin, size.width ? size : Size{22, 16});
  } else if (widget == "player") {
    cli::PlayerSnapshot player;
    player.skin = platform::text::utf16ToUtf8(skinner->getSkinName(index));
    player.large = true;
    image = player.render(error);
    if (!image.valid()) return fail(error);
  } else if (widget == "sheet") {
    image = PlayerPreview::contactSheet(*skinner, columns);
  } else {
    return cli::usageError(kCommand, ("unknown widget " + widget).c_str());
  }
  if (!SkinPreview::enlarge(image, scale).savePng(out)) return fail("cannot write " + out);
  return 0;
}

}  // namespace
