#pragma once
#include <string>
#include <vector>

namespace s::process::commandline::win {
class CommandLine;
}

namespace s::app {

class IAppBase;

// What start-up needs of the player: run it in this process, and give it what later starts of
// the program send while it runs.
class IPlayerWindow {
 public:
  virtual ~IPlayerWindow() = default;

  // Names of the player's own switches that take a value ("device" for "--device NAME"), so
  // the command line does not take their values for files.
  virtual std::vector<std::u16string> valueSwitches() const { return {}; }
  // Called once, just before run(), with the application object, which outlives run(): its
  // settings, language table, skins and the player's application window (getMainWindow()).
  virtual void setApplication(IAppBase&) {}
  // Runs until the user closes the player; `commandLine` holds the start files (files(), in
  // order) and the player's switches. Returns the process's exit status.
  virtual int run(const process::commandline::win::CommandLine& commandLine) = 0;

  // Both are called on the instance socket's thread, one later start at a time, in the order
  // the starts arrived, takeHandedOver first; the window hands them to its own thread.
  //
  // Restores and raises the window; `activationToken` is the later start's start-up
  // notification token (empty when it had none), to be given to the desktop before presenting.
  virtual void bringToFront(const std::string& activationToken) = 0;
  // Takes files from a later start, in order, as native paths (none for a start without
  // files). False once the player is closing: then nothing was taken, the window is not
  // raised, and that start becomes the running instance itself.
  virtual bool takeHandedOver(const std::vector<std::string>& files) = 0;
};

}  // namespace s::app
