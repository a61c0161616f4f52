#include "s/process/commandline/win/CommandLine.h"

#include <gtest/gtest.h>

#include "platform/text/Utf.h"
#include "s/str/strbuffer/StrBuffer.h"

using s::process::commandline::win::CommandLine;

namespace {

struct Parsed {
  std::vector<std::string> params;
  std::vector<bool> switches;
  std::vector<std::string> files;
};

Parsed parse(std::vector<const char*> args) {
  args.insert(args.begin(), "/usr/bin/sonvia");
  CommandLine* line = CommandLine::create();
  line->parse(static_cast<int>(args.size()), args.data(), "/home/u", {u"device"});
  Parsed p;
  for (std::int32_t i = 0; i < line->count(); ++i) {
    p.params.push_back(platform::text::fileNameFromUtf16(line->get(i)->view()));
    p.switches.push_back(line->isSwitch(i));
  }
  p.files = line->files();
  line->release();
  return p;
}

}  // namespace

TEST(CommandLine, SwitchesFilesAddressesAndValuesAreToldApart) {
  struct Case {
    std::vector<const char*> args;
    std::vector<std::string> params;
    std::vector<bool> switches;
    std::vector<std::string> files;
  } cases[] = {
      {{"-associate", ".mp3"}, {"-associate", ".mp3"}, {true, false}, {"/home/u/.mp3"}},
      {{"--ASSOCIATE", "mp3"}, {"-ASSOCIATE", "mp3"}, {true, false}, {"/home/u/mp3"}},
      // A slash starts a path here, never a switch.
      {{"/music/a.mp3"}, {"/music/a.mp3"}, {false}, {"/music/a.mp3"}},
      {{"file:///music/a%20b%23.mp3"}, {"file:///music/a%20b%23.mp3"}, {false}, {"/music/a b#.mp3"}},
      {{"FILE://localhost/x.wav"}, {"FILE://localhost/x.wav"}, {false}, {"/x.wav"}},
      {{"file:///bad%zz"}, {"file:///bad%zz"}, {false}, {"/home/u/file:///bad%zz"}},
      {{"song.mp3", "../up.wav"}, {"song.mp3", "../up.wav"}, {false, false},
       {"/home/u/song.mp3", "/home/u/../up.wav"}},
      {{"--device", "-", "a.mp3"}, {"-device", "-", "a.mp3"}, {true, false, false}, {"/home/u/a.mp3"}},
      {{"--", "-x.mp3", "--"}, {"-x.mp3", "--"}, {false, false}, {"/home/u/-x.mp3", "/home/u/--"}},
      {{"-"}, {"-"}, {false}, {"/home/u/-"}},
      {{"/m/\xff.mp3"}, {"/m/\xff.mp3"}, {false}, {"/m/\xff.mp3"}},
  };
  for (const Case& c : cases) {
    const Parsed p = parse(c.args);
    EXPECT_EQ(p.params, c.params) << c.args[0];
    EXPECT_EQ(p.switches, c.switches) << c.args[0];
    EXPECT_EQ(p.files, c.files) << c.args[0];
  }
}
