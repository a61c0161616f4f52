#include "s/sound/gui/dialogs/player/AllPlayLists.h"

#include <algorithm>
#include <utility>

#include "platform/shell/UserFolders.h"
#include "platform/text/Utf.h"
#include "s/file/win/PathWin.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/win/ListBox2.h"
#include "s/lang/Localizer.h"
#include "s/map/IMappedData.h"
#include "s/sound/IInfo.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "s/thread/EasyPooler.h"
#include "s/xml/NumberText.h"

namespace s::sound::gui::dialogs::player {

using file::win::PathWin;

namespace {

std::u16string storedKey(int index) {
  std::u16string key = u"_";
  xml::appendS64(key, index);
  return key;
}

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Characters as the user sees them: a pair of surrogates is one.
std::size_t charCount(std::u16string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i, ++count)
    if (isHighSurrogate(text[i]) && i + 1 < text.size()) ++i;
  return count;
}

std::u16string firstChars(std::u16string_view text, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t taken = 0; i < text.size() && taken < count; ++i, ++taken)
    if (isHighSurrogate(text[i]) && i + 1 < text.size()) ++i;
  return std::u16string(text.substr(0, i));
}

}  // namespace

AllPlayLists* AllPlayLists::create() { return thread::PoolOf<AllPlayLists>::acquire(); }

void AllPlayLists::release() { thread::PoolOf<AllPlayLists>::release(this); }

AllPlayLists::~AllPlayLists() { clear(nullptr); }

void AllPlayLists::reset() {
  clear(nullptr);
  defaultPath_.clear();
  notices_.clear();
}

void AllPlayLists::clear(View* view) {
  thread::ObjLocker::Guard hold(lock_);
  if (view) view->removeAll();
  for (PlayList* list : lists_) list->release();
  lists_.clear();
  files_.clear();
  selected_ = 0;
}

PlayList* AllPlayLists::getList(int index) const {
  return index >= 0 && index < getListCount() ? lists_[static_cast<std::size_t>(index)] : nullptr;
}

int AllPlayLists::selectedSongCount() const {
  PlayList* list = selectedList();
  return list ? list->getSongCount() : 0;
}

const std::u16string& AllPlayLists::defaultListPath() {
  if (defaultPath_.empty())
    defaultPath_ = PathWin::join(
        platform::text::fileNameToUtf16(platform::shell::UserFolders::music()),
        u"Pruv Sonvia/DefaultPlayList.mpl");
  return defaultPath_;
}

bool AllPlayLists::isDefaultSelected() {
  PlayList* list = selectedList();
  return list && list->getFilePath() == defaultListPath();
}

bool AllPlayLists::openFile(std::u16string_view path) {
  if (path.empty() || isOpen(path)) return false;
  lists_.push_back(PlayListFile::openListFile(path));
  files_.emplace(path);
  return true;
}

void AllPlayLists::restore(map::IMappedData* settings, std::u16string_view startPath, View* view,
                           bool* songAdded) {
  if (songAdded) *songAdded = false;
  const bool startIsList = !startPath.empty() && PathWin::hasExtension(startPath, u"mpl");
  const bool startIsForeign = ForeignListFile::isListFile(startPath);
  const bool startIsSong = !startPath.empty() && !startIsList && !startIsForeign;

  int32_t stored = settings ? settings->getS32(kSection, u"NumOfPlayLists", 0) : 0;
  int32_t selected = settings ? settings->getS32(kSection, u"SelectedPlayList", 0) : 0;
  stored = std::clamp(stored, 0, kMostStoredLists);
  for (int32_t i = 0; i < stored; ++i) {
    const std::u16string path = settings->getString(kSection, storedKey(i).c_str(), u"");
    if (PathWin::isFile(path) && openFile(path)) continue;
    // Keeps the selection on the same list, or on the one before a selected list that is gone.
    if (selected >= i) --selected;
  }
  if (startIsList && PathWin::isFile(startPath) && openFile(startPath))
    selected = getListCount() - 1;
  if (selected < 0) selected = 0;
  if (selected >= getListCount()) selected = getListCount() - 1;
  if (lists_.empty()) {
    openFile(defaultListPath());
    selected = 0;
  }
  selected_ = selected;
  if (view) {
    view->removeAll();
    selectedList()->showInView(view);
  }
  if (startIsSong) {
    Row* row = selectedList()->addFile(nullptr, startPath, view, nullptr, nullptr, nullptr, -1);
    if (songAdded) *songAdded = row != nullptr;
  }
  if (startIsForeign) {
    const ForeignListFile::Result added = addListToSelected(startPath, view);
    if (songAdded) *songAdded = added.added > 0;
  }
}

bool AllPlayLists::saveAll(map::IMappedData* settings, View* view, lang::Localizer* texts) {
  bool allWritten = true;
  for (int i = 0; i < getListCount(); ++i) {
    PlayList* list = lists_[static_cast<std::size_t>(i)];
    // Its file stays as it was, and stays in the set so that the next start tries it again.
    if (!list->hasLoadFailed())
      allWritten = PlayListFile::saveList(texts, list, list->getFilePath(),
                                          i == selected_ ? view : nullptr) &&
                   allWritten;
    if (settings) settings->setString(kSection, storedKey(i).c_str(), list->getFilePath().c_str());
  }
  if (settings) {
    settings->setS32(kSection, u"NumOfPlayLists", getListCount());
    settings->setS32(kSection, u"SelectedPlayList", selected_);
  }
  return allWritten;
}

std::vector<std::string> AllPlayLists::takeNotices() {
  std::vector<std::string> notices = std::exchange(notices_, {});
  for (PlayList* list : lists_) {
    std::string notice = list->takeNotice();
    if (!notice.empty()) notices.push_back(std::move(notice));
  }
  return notices;
}

void AllPlayLists::select(int index, View* view) {
  if (index < 0 || index >= getListCount() || index == selected_) return;
  if (view) {
    view->setRedraw(false);
    selectedList()->syncFromView(view);
    view->removeAll();
  }
  selected_ = index;
  if (view) {
    selectedList()->showInView(view);
    view->setRedraw(true);
  }
}

bool AllPlayLists::closeSelected(View* view, lang::Localizer* texts) {
  PlayList* list = selectedList();
  if (!list || getListCount() <= 1) return false;
  // Closing after a failed write would lose the songs added since the last one.
  if (!list->hasLoadFailed() &&
      !PlayListFile::saveList(texts, list, list->getFilePath(), view))
    return false;
  if (view) {
    view->setRedraw(false);
    list->syncFromView(view);
    view->removeAll();
  }
  files_.erase(list->getFilePath());
  lists_.erase(lists_.begin() + selected_);
  list->release();
  selected_ = std::max(selected_ - 1, 0);
  if (view) {
    selectedList()->showInView(view);
    view->setRedraw(true);
  }
  return true;
}

int AllPlayLists::moveOrCopy(int target, View* view, bool move, bool checkCurrent, int currentRow,
                             bool* wasCurrentOut) {
  if (wasCurrentOut) *wasCurrentOut = false;
  PlayList* to = getList(target);
  PlayList* from = selectedList();
  if (!view || !to || to == from) return 0;
  int gained = 0;
  std::vector<int> leaving;
  for (int at : view->getSelectionOrder()) {
    IInfo* record = PlayList::recordOf(view->getRow(at));
    if (!record) continue;
    const int before = to->getSongCount();
    to->addFile(record, record->getPath(), nullptr, nullptr, nullptr, nullptr, -1);
    if (to->getSongCount() > before) ++gained;
    if (move && to->containsPath(record->getPath())) leaving.push_back(at);
  }
  if (move) from->removeRows(view, leaving, currentRow, checkCurrent, wasCurrentOut, nullptr);
  return gained;
}

AllPlayLists::Row* AllPlayLists::addToSelected(std::u16string_view path, View* view,
                                               std::u16string* titleOut,
                                               IEncodedAudio** sourceOut, int32_t* boostOut,
                                               int insertAt) {
  PlayList* list = selectedList();
  if (!list) {
    if (sourceOut) *sourceOut = nullptr;
    return nullptr;
  }
  return list->addFile(nullptr, path, view, titleOut, sourceOut, boostOut, insertAt);
}

ForeignListFile::Result AllPlayLists::addListToSelected(std::u16string_view path, View* view) {
  PlayList* list = selectedList();
  ForeignListFile::Result result;
  if (list) {
    result = list->addListFile(path, view);
  } else {
    result.failure = "there is no play list to add to";
  }
  if (!result.opened || result.skipped() > 0)
    notices_.push_back(platform::text::fileNameFromUtf16(PathWin::fileName(path)) + ": " +
                       result.summary());
  return result;
}

std::u16string AllPlayLists::displayName(int index, lang::Localizer* texts) {
  PlayList* list = getList(index);
  if (!list) return {};
  if (!list->getName().empty()) return list->getName();
  if (list->getFilePath() == defaultListPath()) {
    const char16_t* text = texts ? texts->getText(kDefaultListText) : nullptr;
    if (text && *text) return text;
  }
  return list->getFileTitle();
}

AllPlayLists::TabCaptions AllPlayLists::tabCaptions(lang::Localizer* texts) {
  std::u16string previous, next;
  const bool hasPrevious = selected_ > 0, hasNext = selected_ + 1 < getListCount();
  if (hasPrevious) previous = displayName(selected_ - 1, texts);
  if (hasNext) next = displayName(selected_ + 1, texts);
  return tabCaptionsFor(displayName(selected_, texts), hasPrevious ? &previous : nullptr,
                        hasNext ? &next : nullptr);
}

AllPlayLists::TabCaptions AllPlayLists::tabCaptionsFor(std::u16string_view name,
                                                       const std::u16string* previous,
                                                       const std::u16string* next) {
  TabCaptions captions;
  captions.name.assign(name);
  captions.leftEnabled = previous != nullptr;
  if (!previous) {
    captions.left = u"<     ";
  } else if (charCount(*previous) + 2 > 8) {
    // The caption is cut, "< " included: seven characters of it, then "...".
    captions.left = u"< " + firstChars(*previous, 5) + u"...";
  } else {
    captions.left = u"< " + *previous;
  }
  captions.rightEnabled = next != nullptr;
  if (!next) {
    captions.right = u"     >";
  } else if (charCount(*next) > 6) {
    captions.right = firstChars(*next, 5) + u"... >";
  } else {
    captions.right = *next + u" >";
  }
  return captions;
}

}  // namespace s::sound::gui::dialogs::player
