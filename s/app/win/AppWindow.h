#pragma once
#include <string>

#include "s/app/IAppWindow.h"

namespace platform::ui {
class WindowSystem;
}
namespace s::map {
class IMappedData;
}

namespace s::app::win {

// One application window's settings section and defaults. Made by the application object
// (IAppBase::createAppWindow), configured once, then bound to its window. Values live in the
// section "<name>\View" of the application's settings; nothing is cached, so two windows of the
// same name see each other's changes.
class AppWindow final : public IAppWindow {
 public:
  static constexpr int kDefaultSize = 500;

  static AppWindow* create();
  AppWindow() = default;
  ~AppWindow() override;

  // `ownSkin` empty: the window paints with the application's skin manager; else it gets a
  // manager of its own with the built-in skins, on the stored "Skin" or else on `ownSkin`.
  // A stored "OnMClick" that is none of the three actions (ignoring case) reads as "DoNothing".
  void configure(IAppBase* application, const std::u16string& name, int defaultWidth,
                 int defaultHeight, bool defaultKeepOnTop, const std::u16string& middleAction,
                 const std::u16string& ownSkin = u"");
  // The window system whose virtual screen limits the stored sizes; the process's own until a
  // window is bound.
  void setScreen(platform::ui::WindowSystem* ws) { screen_ = ws; }

  IAppBase* getApplication() const override { return application_; }
  const std::u16string& getWindowName() const override { return name_; }
  std::u16string getSection(const std::u16string& sub) const override;
  std::int32_t getTitleTextId() const override { return productTextBase_; }
  gui::drawer::Skinner* getSkinner() const override;
  bool hasOwnSkin() const override { return ownSkinner_ != nullptr; }
  gui::drawer::Skinner* getOwnSkinner() const override { return ownSkinner_; }
  std::u16string getWindowSkin() override;
  void storeWindowSkin(const std::u16string& name) override;

  bool hasStoredPosition() override { return hasStoredX() && hasStoredY(); }
  void storeBounds(int x, int y, int width, int height) override;
  void storeSize(int width, int height) override;
  void forgetPlacement() override;
  bool hasStoredX() override { return has(u"X"); }
  int getStoredX() override { return readInt(u"X", 0); }
  void storeX(int x) override { writeInt(u"X", x); }
  bool hasStoredY() override { return has(u"Y"); }
  int getStoredY() override { return readInt(u"Y", 0); }
  void storeY(int y) override { writeInt(u"Y", y); }
  bool isStoredWidthValid() override;
  bool hasStoredWidth() override { return has(u"Width"); }
  int getStoredWidth() override;
  void storeWidth(int width) override { writeInt(u"Width", width); }
  bool isStoredHeightValid() override;
  bool hasStoredHeight() override { return has(u"Height"); }
  int getStoredHeight() override;
  void storeHeight(int height) override { writeInt(u"Height", height); }

  bool getEasyDrag() override { return readBool(u"EasyDrag", defaultEasyDrag_); }
  void storeEasyDrag(bool on) override { writeBool(u"EasyDrag", on); }
  bool getMaximized() override { return readBool(u"Maximized", defaultMaximized_); }
  void storeMaximized(bool on) override { writeBool(u"Maximized", on); }
  bool getKeepOnTop() override { return readBool(u"KeepOnTop", defaultKeepOnTop_); }
  void storeKeepOnTop(bool on) override { writeBool(u"KeepOnTop", on); }

  bool isCloseOnMiddleClick() const override { return middleAction_ == kClose; }
  bool isIconizeOnMiddleClick() const override { return middleAction_ == kIconize; }
  const std::u16string& getMiddleClickAction() const override { return middleAction_; }
  void storeMiddleClickAction(const std::u16string& name) override;

  // The action of that name spelt as the program spells it, or empty for none of the three.
  static std::u16string middleClickActionNamed(const std::u16string& name);

  const char16_t* typeName() const override { return u"s_app_win_AppWindow"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  map::IMappedData* settings() const;
  std::u16string view() const { return getSection(u"View"); }
  bool has(const char16_t* key) const;
  int readInt(const char16_t* key, int def) const;
  void writeInt(const char16_t* key, int value);
  bool readBool(const char16_t* key, bool def) const;
  void writeBool(const char16_t* key, bool value);
  // The virtual screen's width or height (the one `horizontal` names).
  int screenExtent(bool horizontal) const;
  int storedSize(const char16_t* key, int def, bool horizontal) const;

  IAppBase* application_ = nullptr;
  std::u16string name_;
  std::int32_t productTextBase_ = 500000;
  gui::drawer::Skinner* ownSkinner_ = nullptr;
  int defaultWidth_ = kDefaultSize, defaultHeight_ = kDefaultSize;
  bool defaultEasyDrag_ = true;
  bool defaultMaximized_ = false;
  bool defaultKeepOnTop_ = false;
  std::u16string middleAction_ = kClose;
  platform::ui::WindowSystem* screen_ = nullptr;
};

}  // namespace s::app::win
