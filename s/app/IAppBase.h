#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer {
class Skinner;
}
namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}
namespace s::process::commandline {
class ICommandLine;
}

namespace s::app {

class IAppWindow;

// The application object: what the program is (its file, its texts, its icon) and where it
// keeps its settings, for the life of the process.
class IAppBase : public base::IObject, public thread::IPoolable {
 public:
  virtual const std::string& getModulePath() const = 0;
  virtual process::commandline::ICommandLine* getCommandLine() = 0;
  // The program's icon as PNG bytes at 16, 32, 48, 64, 128 or 256 pixels; empty otherwise.
  virtual std::string_view getIconPng(int size) const = 0;
  virtual std::int32_t getProductTextBase() const = 0;
  virtual lang::Localizer* getLanguageTable() = 0;
  virtual map::IMappedData* getSettings() = 0;
  virtual void saveSettings() = 0;
  virtual std::u16string getStoredLanguage() = 0;
  virtual void storeLanguage(const std::u16string& engName) = 0;
  virtual std::u16string getStoredSkin() = 0;
  virtual void storeSkin(const std::u16string& name) = 0;
  // A new store on the program's settings; the caller releases it.
  virtual map::IMappedData* openSettings() = 0;
  // The program's skin manager; none before the skins are loaded (a start that only hands its
  // files over never loads them).
  virtual bool hasSkinner() const = 0;
  virtual gui::drawer::Skinner* getSkinner() = 0;

  // A new application window on this application's settings and skins, configured with the
  // defaults given (`middleAction`: "DoNothing", "Iconize" or "Close"); the caller releases it.
  virtual IAppWindow* createAppWindow(const std::u16string& name, int defaultWidth,
                                      int defaultHeight, bool defaultKeepOnTop,
                                      const std::u16string& middleAction) = 0;
  // The player's application window, "MainWindow" (350 x 280, not kept on top, middle click
  // does nothing), owned by the application object. None until the skins are loaded.
  virtual IAppWindow* getMainWindow() = 0;
};

}  // namespace s::app
