#include "s/app/win/AppWindow.h"

#include <algorithm>

#include "platform/ui/WindowSystem.h"
#include "s/app/IAppBase.h"
#include "s/gui/drawer/BuiltInSkins.h"
#include "s/gui/drawer/Skinner.h"
#include "s/map/IMappedData.h"
#include "s/str/CharCase.h"
#include "s/thread/EasyPooler.h"

namespace s::app::win {

AppWindow* AppWindow::create() { return thread::PoolOf<AppWindow>::acquire(); }

AppWindow::~AppWindow() { reset(); }

void AppWindow::release() { thread::PoolOf<AppWindow>::release(this); }

void AppWindow::reset() {
  if (ownSkinner_) ownSkinner_->release();
  ownSkinner_ = nullptr;
  application_ = nullptr;
  name_.clear();
  productTextBase_ = 500000;
  defaultWidth_ = defaultHeight_ = kDefaultSize;
  defaultEasyDrag_ = true;
  defaultMaximized_ = false;
  defaultKeepOnTop_ = false;
  middleAction_ = kClose;
  screen_ = nullptr;
}

std::u16string AppWindow::middleClickActionNamed(const std::u16string& name) {
  for (const char16_t* known : {kDoNothing, kIconize, kClose})
    if (str::CharCase::equalIgnoringCase(name, known)) return known;
  return {};
}

void AppWindow::configure(IAppBase* application, const std::u16string& name, int defaultWidth,
                          int defaultHeight, bool defaultKeepOnTop,
                          const std::u16string& middleAction, const std::u16string& ownSkin) {
  application_ = application;
  name_ = name;
  productTextBase_ = application ? application->getProductTextBase() : 500000;
  defaultWidth_ = defaultWidth;
  defaultHeight_ = defaultHeight;
  defaultKeepOnTop_ = defaultKeepOnTop;
  map::IMappedData* store = settings();
  // Several reads and maybe a write follow: one flush at the end.
  const bool wasAutoFlush = store && store->isAutoFlush();
  if (store) store->setAutoFlush(false);
  if (!ownSkin.empty()) {
    ownSkinner_ = gui::drawer::Skinner::createSkinner();
    gui::drawer::BuiltInSkins::load(*ownSkinner_);
    const std::u16string stored = getWindowSkin();
    ownSkinner_->selectSkin(!stored.empty() && ownSkinner_->findSkin(stored) >= 0 ? stored : ownSkin);
  }
  const std::u16string fallback = middleClickActionNamed(middleAction);
  const std::u16string configured = fallback.empty() ? std::u16string(kDoNothing) : fallback;
  middleAction_ = configured;
  if (store && store->hasValue(view().c_str(), u"OnMClick")) {
    const std::u16string stored = middleClickActionNamed(
        store->getString(view().c_str(), u"OnMClick", configured.c_str()));
    middleAction_ = stored.empty() ? std::u16string(kDoNothing) : stored;
  }
  if (store) {
    store->setAutoFlush(wasAutoFlush);
    if (wasAutoFlush) store->flush();
  }
}

std::u16string AppWindow::getSection(const std::u16string& sub) const { return name_ + u"\\" + sub; }

gui::drawer::Skinner* AppWindow::getSkinner() const {
  if (ownSkinner_) return ownSkinner_;
  return application_ ? application_->getSkinner() : nullptr;
}

std::u16string AppWindow::getWindowSkin() {
  map::IMappedData* store = settings();
  return store ? store->getString(view().c_str(), u"Skin", u"") : u"";
}

void AppWindow::storeWindowSkin(const std::u16string& name) {
  if (map::IMappedData* store = settings()) store->setString(view().c_str(), u"Skin", name.c_str());
}

void AppWindow::storeBounds(int x, int y, int width, int height) {
  storeX(x);
  storeY(y);
  storeSize(width, height);
}

void AppWindow::storeSize(int width, int height) {
  storeWidth(width);
  storeHeight(height);
}

void AppWindow::forgetPlacement() {
  map::IMappedData* store = settings();
  if (!store) return;
  for (const char16_t* key : {u"X", u"Y", u"Width", u"Height"}) store->removeValue(view().c_str(), key);
}

int AppWindow::screenExtent(bool horizontal) const {
  platform::ui::WindowSystem& ws = screen_ ? *screen_ : platform::ui::WindowSystem::instance();
  const platform::ui::Rect all = ws.virtualScreen();
  return horizontal ? all.width() : all.height();
}

// A size the screen cannot hold (a setting written by hand, or on a larger desktop than today's)
// would give a window the user cannot reach or see; it is read as the nearest size that fits.
int AppWindow::storedSize(const char16_t* key, int def, bool horizontal) const {
  if (!has(key)) return def;
  const int most = std::max(kMinStoredSize, screenExtent(horizontal));
  return std::clamp(readInt(key, def), kMinStoredSize, most);
}

bool AppWindow::isStoredWidthValid() {
  const int w = readInt(u"Width", defaultWidth_);
  return w >= kMinStoredSize && w <= screenExtent(true);
}

bool AppWindow::isStoredHeightValid() {
  const int h = readInt(u"Height", defaultHeight_);
  return h >= kMinStoredSize && h <= screenExtent(false);
}

int AppWindow::getStoredWidth() { return storedSize(u"Width", defaultWidth_, true); }

int AppWindow::getStoredHeight() { return storedSize(u"Height", defaultHeight_, false); }

void AppWindow::storeMiddleClickAction(const std::u16string& name) {
  const std::u16string action = middleClickActionNamed(name);
  if (action.empty()) return;
  middleAction_ = action;
  if (map::IMappedData* store = settings())
    store->setString(view().c_str(), u"OnMClick", action.c_str());
}

map::IMappedData* AppWindow::settings() const {
  return application_ ? application_->getSettings() : nullptr;
}

bool AppWindow::has(const char16_t* key) const {
  map::IMappedData* store = settings();
  return store && store->hasValue(view().c_str(), key);
}

int AppWindow::readInt(const char16_t* key, int def) const {
  map::IMappedData* store = settings();
  return store ? store->getS32(view().c_str(), key, def) : def;
}

void AppWindow::writeInt(const char16_t* key, int value) {
  if (map::IMappedData* store = settings()) store->setS32(view().c_str(), key, value);
}

bool AppWindow::readBool(const char16_t* key, bool def) const {
  map::IMappedData* store = settings();
  return store ? store->getBool(view().c_str(), key, def) : def;
}

void AppWindow::writeBool(const char16_t* key, bool value) {
  if (map::IMappedData* store = settings()) store->setBool(view().c_str(), key, value);
}

}  // namespace s::app::win
