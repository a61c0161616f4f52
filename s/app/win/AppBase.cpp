#include "s/app/win/AppBase.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/process/ExecutablePath.h"
#include "resources/Resource.h"
#include "s/app/win/AppWindow.h"
#include "s/gui/drawer/BuiltInSkins.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/Skinner.h"
#include "s/lang/Localizer.h"
#include "s/process/commandline/win/CommandLine.h"
#include "s/reg/MappedData.h"
#include "s/thread/EasyPooler.h"

namespace s::app::win {

AppBase* AppBase::create() { return thread::PoolOf<AppBase>::acquire(); }

AppBase::~AppBase() { reset(); }

void AppBase::release() { thread::PoolOf<AppBase>::release(this); }

void AppBase::reset() {
  if (mainWindow_) mainWindow_->release();
  mainWindow_ = nullptr;
  if (settings_) {
    if (!settingsSaved_) settings_->flush();
    settings_->release();
    settings_ = nullptr;
  }
  if (commandLine_) commandLine_->release();
  commandLine_ = nullptr;
  languageTable_.reset();
  if (skinner_) skinner_->release();
  skinner_ = nullptr;
  modulePath_.clear();
  settingsSaved_ = false;
  productTextBase_ = kProductTextBase;
  defaultSkin_ = kDefaultSkin;
}

void AppBase::init(int argc, const char* const* argv,
                   const std::vector<std::u16string>& valueSwitches) {
  productTextBase_ = kProductTextBase;
  commandLine_ = process::commandline::win::CommandLine::create();
  std::string workingFolder;
  if (char* cwd = get_current_dir_name()) {
    workingFolder = cwd;
    free(cwd);
  }
  commandLine_->parse(argc, argv, workingFolder, valueSwitches);
  modulePath_ = platform::process::ExecutablePath::current();
  languageTable_ = lang::Localizer::createFromResource();
  defaultSkin_ = kDefaultSkin;

  settings_ = openSettings();
  // Several values are written below; one flush at the end is enough.
  settings_->setAutoFlush(false);
  settings_->setString(u"SoftwareID", u"", languageTable_->getText(kRegistryNameText));
  settings_->setString(u"Version", u"", languageTable_->getText(productTextBase_ + 10));
  languageTable_->chooseFromSettings(*settings_);
  settings_->setAutoFlush(true);
  settings_->flush();
}

// The coded fallback skins stay when the built-in set cannot be read, so there is always a skin
// to paint with.
// A stored name the set does not know gives way to "Classic LG", and that to the set's first
// skin (Skinner::selectSkin).
void AppBase::loadSkins() {
  if (skinner_) return;
  skinner_ = gui::drawer::Skinner::createSkinner();
  gui::drawer::BuiltInSkins::load(*skinner_);
  skinner_->selectSkin(getStoredSkin());
  if (!mainWindow_)
    mainWindow_ = createAppWindow(kMainWindow, kMainWindowWidth, kMainWindowHeight, false,
                                  IAppWindow::kDoNothing);
}

IAppWindow* AppBase::createAppWindow(const std::u16string& name, int defaultWidth,
                                     int defaultHeight, bool defaultKeepOnTop,
                                     const std::u16string& middleAction) {
  AppWindow* window = AppWindow::create();
  window->configure(this, name, defaultWidth, defaultHeight, defaultKeepOnTop, middleAction);
  return window;
}

process::commandline::ICommandLine* AppBase::getCommandLine() { return commandLine_; }

std::string_view AppBase::getIconPng(int size) const {
  const res::Resource icon = res::find("icons/sonvia-" + std::to_string(size) + ".png");
  return icon.data ? std::string_view(reinterpret_cast<const char*>(icon.data), icon.size)
                   : std::string_view();
}

void AppBase::saveSettings() {
  if (!settings_) return;
  settings_->flush();
  settingsSaved_ = true;
}

std::u16string AppBase::settingsKey() {
  std::u16string name = languageTable_ ? languageTable_->getText(kRegistryNameText) : u"";
  if (name.empty()) name = u"Pruv Sonvia";  // a table without texts still needs the key
  return u"Software\\Pruv\\" + name + u"\\SaveData";
}

map::IMappedData* AppBase::openSettings() { return reg::openRegistryStore(settingsKey().c_str()); }

std::u16string AppBase::getStoredLanguage() {
  lang::LangPack* current = languageTable_ ? languageTable_->getCurrent() : nullptr;
  const std::u16string def = current ? std::u16string(current->engName()) : u"";
  return settings_ ? settings_->getString(u"Language", u"", def.c_str()) : def;
}

void AppBase::storeLanguage(const std::u16string& engName) {
  if (settings_) settings_->setString(u"Language", u"", engName.c_str());
}

std::u16string AppBase::getStoredSkin() {
  if (!settings_) return defaultSkin_;
  std::u16string name = settings_->getString(u"Skin", u"", defaultSkin_.c_str());
  if (skinner_ && skinner_->findSkin(name) < 0) return defaultSkin_;
  return name;
}

void AppBase::storeSkin(const std::u16string& name) {
  if (settings_) settings_->setString(u"Skin", u"", name.c_str());
}

}  // namespace s::app::win
