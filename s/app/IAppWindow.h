#pragma once
#include <cstdint>
#include <string>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer {
class Skinner;
}

namespace s::app {

class IAppBase;

// What a top-level window of the application keeps between runs: its placement and switches in
// its own settings section ("<name>\View"), and the application's language table and skins.
// The window (s::gui::win::Window::setAppWindow) reads them when it is bound and stores them as
// the user changes them; every store is written to the settings at once.
//
// Sizes read back are always usable: a stored width or height outside 10 .. the virtual screen
// is reported by isStoredWidthValid / isStoredHeightValid and read as the nearest valid value.
class IAppWindow : public base::IObject, public thread::IPoolable {
 public:
  static constexpr const char16_t* kDoNothing = u"DoNothing";
  static constexpr const char16_t* kIconize = u"Iconize";
  static constexpr const char16_t* kClose = u"Close";
  static constexpr int kMinStoredSize = 10;

  virtual IAppBase* getApplication() const = 0;
  virtual const std::u16string& getWindowName() const = 0;
  // The window's name, a backslash and `sub` ("MainWindow\View").
  virtual std::u16string getSection(const std::u16string& sub) const = 0;
  // Language id of the window's title: the product text base.
  virtual std::int32_t getTitleTextId() const = 0;
  // The window's own skin manager when it has one, else the application's (may be none).
  virtual gui::drawer::Skinner* getSkinner() const = 0;
  virtual bool hasOwnSkin() const = 0;
  virtual gui::drawer::Skinner* getOwnSkinner() const = 0;
  virtual std::u16string getWindowSkin() = 0;
  virtual void storeWindowSkin(const std::u16string& name) = 0;

  virtual bool hasStoredPosition() = 0;
  virtual void storeBounds(int x, int y, int width, int height) = 0;
  virtual void storeSize(int width, int height) = 0;
  virtual void forgetPlacement() = 0;
  virtual bool hasStoredX() = 0;
  virtual int getStoredX() = 0;
  virtual void storeX(int x) = 0;
  virtual bool hasStoredY() = 0;
  virtual int getStoredY() = 0;
  virtual void storeY(int y) = 0;
  virtual bool isStoredWidthValid() = 0;
  virtual bool hasStoredWidth() = 0;
  // The default width when none is stored.
  virtual int getStoredWidth() = 0;
  virtual void storeWidth(int width) = 0;
  virtual bool isStoredHeightValid() = 0;
  virtual bool hasStoredHeight() = 0;
  virtual int getStoredHeight() = 0;
  virtual void storeHeight(int height) = 0;

  virtual bool getEasyDrag() = 0;
  virtual void storeEasyDrag(bool on) = 0;
  virtual bool getMaximized() = 0;
  virtual void storeMaximized(bool on) = 0;
  virtual bool getKeepOnTop() = 0;
  virtual void storeKeepOnTop(bool on) = 0;

  virtual bool isCloseOnMiddleClick() const = 0;
  virtual bool isIconizeOnMiddleClick() const = 0;
  // One of kDoNothing, kIconize, kClose.
  virtual const std::u16string& getMiddleClickAction() const = 0;
  // Any other name is ignored; the case of a known one does not matter.
  virtual void storeMiddleClickAction(const std::u16string& name) = 0;
};

}  // namespace s::app
