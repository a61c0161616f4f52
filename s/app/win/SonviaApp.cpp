#include "s/app/win/SonviaApp.h"

#include <unistd.h>

#include <cstdio>

#include "platform/process/ActivationToken.h"
#include "platform/process/SingleInstance.h"
#include "platform/text/Utf.h"
#include "s/app/IPlayerWindow.h"
#include "s/app/win/AppBase.h"
#include "s/app/win/FileAssociations.h"
#include "s/map/IMappedData.h"
#include "s/process/commandline/win/CommandLine.h"
#include "s/str/CharCase.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pooled.h"

namespace s::app::win {

namespace {

using platform::process::InstanceReply;
using platform::process::InstanceRequest;
using platform::process::SingleInstance;
using process::commandline::win::CommandLine;

bool isSwitchNamed(const CommandLine& line, std::int32_t index, std::u16string_view name) {
  return line.isSwitch(index) && str::CharCase::equalIgnoringCase(line.get(index)->view(), name);
}

// A switch that is neither an association switch nor one of the player's; empty when none.
std::string unknownSwitch(const CommandLine& line, const std::vector<std::u16string>& known) {
  for (std::int32_t i = 0; i < line.count(); ++i) {
    if (!line.isSwitch(i)) continue;
    bool isKnown = false;
    for (const std::u16string& k : known)
      isKnown = isKnown || isSwitchNamed(line, i, u"-" + k);
    if (!isKnown) return platform::text::fileNameFromUtf16(line.get(i)->view());
  }
  return {};
}

int changeAssociations(AppBase& app, const CommandLine& line, bool associate) {
  FileAssociations associations(*app.getSettings(), app.getModulePath());
  int status = 0;
  for (std::int32_t i = 1; i < line.count(); ++i) {
    const std::string extension = platform::text::fileNameFromUtf16(line.get(i)->view());
    std::string problem;
    const bool done = associate ? associations.associate(extension, problem)
                                : associations.deassociate(extension, problem);
    if (!done) {
      std::fprintf(stderr, "sonvia: %s\n", problem.c_str());
      status = 1;
    }
  }
  return status;
}

// The record a later start leaves for the running instance. The files themselves travel in the
// request, so starts at the same moment cannot overwrite each other's; the record only tells
// what the latest start asked for.
void writeHandOverRecord(AppBase& app, const std::string& file) {
  thread::Pooled<map::IMappedData> store(app.openSettings());
  const std::u16string path = platform::text::fileNameToUtf16(file);
  store->setString(u"InterProcess", u"message", u"StartNew");
  store->setString(u"InterProcess", u"param1", path.c_str());
  store->setString(u"InterProcess", u"param2", u"");
  store->setString(u"InterProcess", u"param3", u"");
}

int runAsInstance(AppBase& app, IPlayerWindow& player) {
  const CommandLine& line = *app.commandLine();
  const std::vector<std::string> files = line.files();
  if (!files.empty()) writeHandOverRecord(app, files.front());

  InstanceRequest request;
  request.bringToFront = true;
  request.handOver = !files.empty();
  request.files = files;
  request.activationToken = platform::process::ActivationToken::take();
  SingleInstance instance(
      platform::process::InstanceAddress::forProgram(app.getModulePath(), getuid()));
  const SingleInstance::Result result = instance.start(
      request,
      [&player](const InstanceRequest& r) {
        if (!player.takeHandedOver(r.files)) return InstanceReply::kClosing;
        if (r.bringToFront) player.bringToFront(r.activationToken);
        return InstanceReply::kAccepted;
      },
      std::chrono::milliseconds(SonviaApp::kHandOverTimeoutMs));
  switch (result.outcome) {
    case SingleInstance::Outcome::kHandedOver: return 0;
    case SingleInstance::Outcome::kNoAnswer:
      std::fprintf(stderr, "sonvia: %s; %s\n", result.problem.c_str(),
                   files.empty() ? "nothing was done" : "the files were not opened");
      return 1;
    case SingleInstance::Outcome::kUnavailable:
      std::fprintf(stderr, "sonvia: %s; running on its own\n", result.problem.c_str());
      [[fallthrough]];
    case SingleInstance::Outcome::kInstance: app.loadSkins();
  }
  player.setApplication(app);
  const int status = player.run(line);
  instance.close();
  return status;
}

}  // namespace

int SonviaApp::initInstance(int argc, const char* const* argv, IPlayerWindow& player) {
  const std::vector<std::u16string> valueSwitches = player.valueSwitches();
  thread::Pooled<AppBase> app(AppBase::create());
  app->init(argc, argv, valueSwitches);
  const CommandLine& line = *app->commandLine();

  const bool associate = isSwitchNamed(line, 0, u"-associate");
  if (associate || isSwitchNamed(line, 0, u"-deassociate")) {
    if (line.count() < 2) {
      std::fprintf(stderr, "sonvia: %s needs the extensions to change: mp3, wav, mpl\n",
                   associate ? "-associate" : "-deassociate");
      return 2;
    }
    return changeAssociations(*app, line, associate);
  }
  if (const std::string bad = unknownSwitch(line, valueSwitches); !bad.empty()) {
    std::fprintf(stderr, "sonvia: unknown option %s\n", bad.c_str());
    return 2;
  }
  return runAsInstance(*app, player);
}

}  // namespace s::app::win
