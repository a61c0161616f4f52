#pragma once
#include <memory>
#include <string>
#include <vector>

#include "s/app/IAppBase.h"

namespace s::process::commandline::win {
class CommandLine;
}
namespace s::gui::drawer {
class Skinner;
}

namespace s::app::win {

// The application object of one process. init() prepares it in a fixed order: the command
// line, the program's path and icon, the language table, the settings store (where "SoftwareID"
// and "Version" are written at every start) and the language chosen from the settings.
// Releasing it flushes the settings unless saveSettings() did already.
// The skinner is the program's one skin manager and lives as long as the application object.
class AppBase final : public IAppBase {
 public:
  static constexpr std::int32_t kProductTextBase = 500000;
  static constexpr std::int32_t kRegistryNameText = 300000;
  static constexpr const char16_t* kDefaultSkin = u"Classic LG";
  static constexpr const char16_t* kMainWindow = u"MainWindow";
  static constexpr int kMainWindowWidth = 350, kMainWindowHeight = 280;

  static AppBase* create();
  AppBase() = default;
  ~AppBase() override;

  // `valueSwitches` are the player's switches that take a value.
  void init(int argc, const char* const* argv, const std::vector<std::u16string>& valueSwitches);
  // After init(): loads the built-in skin set, makes the stored skin current and creates the
  // player's application window. A start that only hands its files over never calls it.
  void loadSkins();

  const std::string& getModulePath() const override { return modulePath_; }
  process::commandline::ICommandLine* getCommandLine() override;
  process::commandline::win::CommandLine* commandLine() { return commandLine_; }
  std::string_view getIconPng(int size) const override;
  std::int32_t getProductTextBase() const override { return productTextBase_; }
  lang::Localizer* getLanguageTable() override { return languageTable_.get(); }
  map::IMappedData* getSettings() override { return settings_; }
  void saveSettings() override;
  std::u16string getStoredLanguage() override;
  void storeLanguage(const std::u16string& engName) override;
  // The stored name when the skin set has a skin of that name, else "Classic LG".
  std::u16string getStoredSkin() override;
  void storeSkin(const std::u16string& name) override;
  map::IMappedData* openSettings() override;
  bool hasSkinner() const override { return skinner_ != nullptr; }
  gui::drawer::Skinner* getSkinner() override { return skinner_; }
  IAppWindow* createAppWindow(const std::u16string& name, int defaultWidth, int defaultHeight,
                              bool defaultKeepOnTop, const std::u16string& middleAction) override;
  IAppWindow* getMainWindow() override { return mainWindow_; }
  // "Software\Pruv\" + the product's registry name + "\SaveData".
  std::u16string settingsKey();

  const char16_t* typeName() const override { return u"s_app_win_AppBase"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  std::int32_t productTextBase_ = kProductTextBase;
  process::commandline::win::CommandLine* commandLine_ = nullptr;
  std::string modulePath_;
  std::unique_ptr<lang::Localizer> languageTable_;
  map::IMappedData* settings_ = nullptr;
  bool settingsSaved_ = false;
  std::u16string defaultSkin_ = kDefaultSkin;
  gui::drawer::Skinner* skinner_ = nullptr;
  IAppWindow* mainWindow_ = nullptr;
};

}  // namespace s::app::win
