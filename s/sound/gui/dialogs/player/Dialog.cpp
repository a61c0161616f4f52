#include "s/sound/gui/dialogs/player/Dialog.h"

#include "platform/text/Utf.h"
#include "platform/ui/WindowSystem.h"
#include "s/app/IAppBase.h"
#include "s/app/IAppWindow.h"
#include "s/file/win/PathWin.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/Window.h"
#include "s/lang/Localizer.h"
#include "s/map/IMappedData.h"
#include "s/process/commandline/win/CommandLine.h"
#include "s/str/CharCase.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/ForeignListFile.h"
#include "s/sound/gui/dialogs/player/ListEdits.h"
#include "s/sound/gui/dialogs/player/MprisBridge.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/gui/dialogs/player/PlayerMenus.h"
#include "s/sound/gui/dialogs/player/RowHeightDrawer.h"
#include "s/sound/gui/dialogs/player/SquareButtonDrawer.h"
#include "s/sound/gui/dialogs/player/Transport.h"

namespace s::sound::gui::dialogs::player {

using s::gui::win::Window;

Dialog::Dialog(const Services& services) : services_(services), lists_(AllPlayLists::create()) {}

Dialog::~Dialog() {
  finish();
  if (!abandoned_) lists_->release();
}

void Dialog::setApplication(app::IAppBase& application) {
  services_.windowSystem = &platform::ui::WindowSystem::instance();
  services_.settings = application.getSettings();
  services_.texts = application.getLanguageTable();
  services_.skinner = application.hasSkinner() ? application.getSkinner() : nullptr;
  services_.appWindow = application.getMainWindow();
}

namespace {

// The value given to "--device", or "".
std::string deviceOf(const process::commandline::win::CommandLine& line) {
  for (std::int32_t i = 0; i + 1 < line.count(); ++i)
    if (line.isSwitch(i) && str::CharCase::equalIgnoringCase(line.get(i)->view(), u"-device") &&
        line.isSwitchValue(i + 1))
      return platform::text::fileNameFromUtf16(line.get(i + 1)->view());
  return {};
}

}  // namespace

int Dialog::run(const process::commandline::win::CommandLine& commandLine) {
  const std::vector<std::string> files = commandLine.files();
  const std::u16string start = files.empty() ? std::u16string() : platform::text::fileNameToUtf16(files.front());
  device_ = deviceOf(commandLine);
  if (!open(start)) return 1;
  waitUntilClosed();
  finish();
  return 0;
}

bool Dialog::open(const std::u16string& startPath, bool show) {
  if (window_ || !services_.windowSystem || !services_.settings) return false;
  view_ = ViewSettings::read(*services_.settings, lists_->defaultListPath());
  window_ = std::make_unique<Window>(*services_.windowSystem);
  // The window has told the user why it could not be made.
  if (!window_->started()) return false;
  if (services_.appWindow) {
    window_->setAppWindow(services_.appWindow);
  } else {
    window_->setLocalizer(services_.texts);
    window_->setSkinner(services_.skinner);
  }
  window_->run([&] {
    buildWindow();
    sizeWindow();
    window_->setOpacity(view_.transparency, false);
    restoreLists(startPath);
  });
  if (show) {
    window_->setKeepInScreen(view_.keepInScreen);
    window_->show(true, true);
    mpris_ = std::make_unique<MprisBridge>(*this);
    window_->run([&] { mprisChanged(); });
    showNotices();
  }
  return true;
}

void Dialog::waitUntilClosed() {
  if (window_) window_->waitUntilClosed();
}

void Dialog::finish() {
  if (!window_ || abandoned_) return;
  closing_ = true;
  // Off the bus before anything it calls into goes.
  mpris_.reset();
  state_.stopRequest = true;
  if (transport_ && !transport_->shutdown()) {
    // The play thread may still reach the window, the lists and this object: they stay.
    abandoned_ = true;
    return;
  }
  window_->run([&] {
    edits_.reset();
    transport_.reset();
    window_->setContextMenu(nullptr, false);
    window_->setTrayMenu(nullptr);
    menus_.reset();
    if (tree_.list) {
      lists_->clear(tree_.list);
      tree_.list->setDrawer(nullptr);
    }
    tree_.release(*window_);
  });
  window_.reset();
  rowDrawer_.reset();
  buttonDrawer_.reset();
}

void Dialog::bringToFront(const std::string&) {
  if (window_ && !closing_) window_->bringToFront();
}

bool Dialog::takeHandedOver(const std::vector<std::string>& files) {
  if (closing_ || !window_) return false;
  bool taken = false;
  const bool ran = window_->run([&] {
    if (closing_) return;
    taken = true;
    // A later start's song is added and played; its list file is opened and shown.
    std::u16string firstSong;
    for (const std::string& file : files) {
      const std::u16string path = platform::text::fileNameToUtf16(file);
      if (file::win::PathWin::hasExtension(path, u"mpl")) {
        openListFile(path);
        continue;
      }
      if (ForeignListFile::isListFile(path)) {
        const std::u16string first = addForeignList(path);
        if (firstSong.empty()) firstSong = first;
        continue;
      }
      bool added = false;
      {
        thread::ObjLocker::Guard hold(state_.windowLock);
        added = lists_->addToSelected(path, tree_.list, nullptr, nullptr, nullptr) != nullptr;
      }
      if (added && firstSong.empty()) firstSong = path;
    }
    listsChanged();
    if (!firstSong.empty()) playAdded(firstSong);
  });
  return ran && taken;
}

void Dialog::playAdded(const std::u16string& path) {
  if (transport_) transport_->playRequest(path);
}

void Dialog::restoreLists(const std::u16string& startPath) {
  // Another player's list given at start adds its songs, and the first of them plays.
  const bool foreign = ForeignListFile::isListFile(startPath);
  bool songAdded = false;
  {
    thread::ObjLocker::Guard hold(state_.windowLock);
    lists_->restore(services_.settings, foreign ? std::u16string() : startPath, tree_.list,
                    &songAdded);
  }
  const std::u16string firstListed = foreign ? addForeignList(startPath) : std::u16string();
  refreshListTabs();
  if (songAdded || !firstListed.empty()) listsChanged();
  if (songAdded) playAdded(startPath);
  else if (!firstListed.empty()) playAdded(firstListed);
}

std::u16string Dialog::addForeignList(const std::u16string& path) {
  std::u16string first;
  {
    thread::ObjLocker::Guard hold(state_.windowLock);
    const ForeignListFile::Result result = lists_->addListToSelected(path, tree_.list);
    PlayList* list = lists_->selectedList();
    for (const std::u16string& song : result.paths) {
      if (list && list->containsPath(song)) {
        first = song;
        break;
      }
    }
  }
  // What was passed over is told once the current message is done.
  if (window_) noticesLater();
  return first;
}

void Dialog::noticesLater() { window_->setTimer(kNoticeTimer, 0); }

void Dialog::showNotices() {
  std::vector<std::string> notices;
  window_->run([&] {
    thread::ObjLocker::Guard hold(state_.windowLock);
    notices = lists_->takeNotices();
  });
  for (const std::string& notice : notices) window_->showError(platform::text::utf8ToUtf16(notice));
}

std::u16string Dialog::text(int id) const {
  const char16_t* t = services_.texts ? services_.texts->getText(id) : nullptr;
  return t ? std::u16string(t) : std::u16string();
}

void Dialog::store(const char16_t* path, const char16_t* key, bool value) {
  services_.settings->setBool(path, key, value);
}

void Dialog::store(const char16_t* path, const char16_t* key, int32_t value) {
  services_.settings->setS32(path, key, value);
}

}  // namespace s::sound::gui::dialogs::player
