#include "platform/ui/desktop/HeadlessDesktop.h"

#include "platform/ui/WindowSystem.h"
#include "platform/ui/desktop/HeadlessTrayIcon.h"

namespace platform::ui::desktop {

template <class T>
T HeadlessDesktop::take(std::deque<T>& script, T none) {
  if (script.empty()) return none;
  T answer = std::move(script.front());
  script.pop_front();
  return answer;
}

HeadlessDesktop::Request HeadlessDesktop::question(Request::Kind kind, Handle owner) {
  Request r;
  r.kind = kind;
  r.owner = owner;
  return r;
}

void HeadlessDesktop::record(Request r) {
  std::lock_guard lock(mutex_);
  requests_.push_back(std::move(r));
}

void HeadlessDesktop::scriptMenuChoice(std::optional<int> command) {
  std::lock_guard lock(mutex_);
  menuChoices_.push_back(command);
}

void HeadlessDesktop::scriptFiles(std::vector<std::string> paths) {
  std::lock_guard lock(mutex_);
  files_.push_back(std::move(paths));
}

void HeadlessDesktop::scriptPath(std::optional<std::string> path) {
  std::lock_guard lock(mutex_);
  paths_.push_back(std::move(path));
}

void HeadlessDesktop::scriptColor(std::optional<Color> color) {
  std::lock_guard lock(mutex_);
  colors_.push_back(color);
}

void HeadlessDesktop::scriptAnswer(bool yes) {
  std::lock_guard lock(mutex_);
  answers_.push_back(yes);
}

void HeadlessDesktop::setTrayAvailable(bool available) {
  std::vector<HeadlessTrayIcon*> told;
  {
    std::lock_guard lock(mutex_);
    if (trayAvailable_ == available) return;
    trayAvailable_ = available;
    told = trays_;
  }
  for (HeadlessTrayIcon* t : told) t->hostChanged(available);
}

std::vector<HeadlessDesktop::Request> HeadlessDesktop::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void HeadlessDesktop::clearRequests() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

HeadlessTrayIcon* HeadlessDesktop::trayIcon(Handle owner) const {
  std::lock_guard lock(mutex_);
  for (HeadlessTrayIcon* t : trays_)
    if (t->owner() == owner) return t;
  return nullptr;
}

void HeadlessDesktop::prepareMenu(const MenuModel& menu) {
  std::lock_guard lock(mutex_);
  prepared_.push_back(menu);
}

std::vector<MenuModel> HeadlessDesktop::preparedMenus() const {
  std::lock_guard lock(mutex_);
  return prepared_;
}

bool HeadlessDesktop::showMenu(WindowSystem& ws, Handle owner, const MenuModel& menu, Point screen,
                               MenuEdge edge) {
  if (!ws.exists(owner)) return false;
  Request r = question(Request::Kind::kMenu, owner);
  r.menu = menu;
  r.at = screen;
  r.edge = edge;
  record(std::move(r));
  std::optional<int> choice;
  {
    std::lock_guard lock(mutex_);
    choice = take(menuChoices_, std::optional<int>{});
  }
  if (choice && canChoose(menu, *choice)) ws.post(owner, msg::kCommand, static_cast<WParam>(*choice));
  ws.post(owner, msg::kMenuClosed);
  return true;
}

std::vector<std::string> HeadlessDesktop::openFiles(WindowSystem&, Handle owner, const FileDialog& d) {
  Request r = question(Request::Kind::kOpenFiles, owner);
  r.dialog = d;
  record(std::move(r));
  std::lock_guard lock(mutex_);
  std::vector<std::string> chosen = take(files_, std::vector<std::string>{});
  if (!d.multiple && chosen.size() > 1) chosen.resize(1);
  return chosen;
}

std::optional<std::string> HeadlessDesktop::chooseFolder(WindowSystem&, Handle owner,
                                                         const std::string& title,
                                                         const std::string& folder) {
  Request r = question(Request::Kind::kChooseFolder, owner);
  r.title = title;
  r.folder = folder;
  record(std::move(r));
  std::lock_guard lock(mutex_);
  return take(paths_, std::optional<std::string>{});
}

std::optional<std::string> HeadlessDesktop::saveFile(WindowSystem&, Handle owner, const FileDialog& d) {
  Request r = question(Request::Kind::kSaveFile, owner);
  r.dialog = d;
  record(std::move(r));
  std::lock_guard lock(mutex_);
  return take(paths_, std::optional<std::string>{});
}

std::optional<Color> HeadlessDesktop::chooseColor(WindowSystem&, Handle owner, Color initial) {
  Request r = question(Request::Kind::kChooseColor, owner);
  r.initial = initial;
  record(std::move(r));
  std::lock_guard lock(mutex_);
  return take(colors_, std::optional<Color>{});
}

bool HeadlessDesktop::messageBox(WindowSystem&, Handle owner, MessageKind kind, const std::string& caption,
                                 const std::string& text) {
  Request r = question(Request::Kind::kMessageBox, owner);
  r.title = caption;
  r.text = text;
  r.messageKind = kind;
  record(std::move(r));
  if (kind != MessageKind::kQuestion) return true;
  std::lock_guard lock(mutex_);
  return take(answers_, false);
}

bool HeadlessDesktop::setClipboardText(const std::string& text) {
  std::lock_guard lock(mutex_);
  clipboard_ = text;
  return true;
}

std::optional<std::string> HeadlessDesktop::clipboardText() {
  std::lock_guard lock(mutex_);
  return clipboard_;
}

bool HeadlessDesktop::beginFileDrag(Handle owner, const std::vector<std::string>& paths) {
  if (owner == kNoWindow || paths.empty()) return false;
  Request r = question(Request::Kind::kFileDrag, owner);
  r.paths = paths;
  record(std::move(r));
  return true;
}

std::unique_ptr<TrayIcon> HeadlessDesktop::createTrayIcon(WindowSystem& ws, Handle owner) {
  return std::make_unique<HeadlessTrayIcon>(*this, ws, owner);
}

}  // namespace platform::ui::desktop
