#include "s/sound/gui/dialogs/player/PlayList.h"

#include <algorithm>
#include <climits>
#include <set>
#include <unordered_set>
#include <utility>

#include "s/file/win/PathWin.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/win/ListBox2.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/IInfo.h"
#include "s/sound/SourceFactory.h"
#include "s/thread/EasyPooler.h"
#include "s/thread/win/Thread.h"

namespace s::sound::gui::dialogs::player {

using file::win::PathWin;
using Guard = thread::ObjLocker::Guard;

namespace {

bool isSongFile(std::u16string_view path) {
  return PathWin::hasExtension(path, u"mp3") || PathWin::hasExtension(path, u"wav");
}

// The view index of the song's row, or -1 when it is not shown in `view`.
int rowIndexIn(PlayList::View* view, IInfo* record) {
  PlayList::Row* row = record ? record->peekListRow() : nullptr;
  if (!view || !row || row->getIndex() < 0) return -1;
  if (view->getRow(row->getIndex()) == row) return row->getIndex();
  return view->indexOf(row);
}

}  // namespace

IInfo* PlayList::recordOf(Row* row) {
  return row ? dynamic_cast<IInfo*>(row->getUserData()) : nullptr;
}

PlayList* PlayList::create() { return thread::PoolOf<PlayList>::acquire(); }

void PlayList::release() { thread::PoolOf<PlayList>::release(this); }

PlayList::PlayList() : worker_(thread::win::Thread::create()) {
  worker_->setPriority(thread::win::Thread::kPriorityHighest);
}

PlayList::~PlayList() {
  for (IInfo* record : songs_) record->release();
  songs_.clear();
  worker_->waitIdleFor(kWorkerStopMs);
  worker_->release();
}

void PlayList::reset() {
  stopping_ = true;
  // A thread that overruns is given up: it ends by itself once it sees the stop flag, and a
  // fresh thread with the same priority takes its place.
  worker_->waitIdleFor(kWorkerStopMs);
  stopping_ = false;
  Guard hold(lock_);
  // Every path goes at once; rows still shown somewhere leave their views with their records.
  paths_.clear();
  for (IInfo* record : songs_) record->release();
  songs_.clear();
  filePath_.clear();
  fileTitle_.clear();
  name_.clear();
  loadFailure_.clear();
  damagedCopyPath_.clear();
  notice_.clear();
  nextSongNumber_ = kFirstSongNumber;
}

IInfo* PlayList::getSong(int i) const {
  return i >= 0 && i < getSongCount() ? songs_[static_cast<std::size_t>(i)] : nullptr;
}

IInfo* PlayList::findSong(std::u16string_view path) const {
  auto found = paths_.find(path);
  return found == paths_.end() ? nullptr : found->second;
}

int32_t PlayList::takeSongNumber() {
  const int32_t number = nextSongNumber_;
  // Numbers need not be unique; a list that reached the largest one keeps handing it out.
  if (nextSongNumber_ < INT32_MAX) ++nextSongNumber_;
  return number;
}

void PlayList::noteSongNumber(int32_t number) {
  const int32_t after = number < INT32_MAX ? number + 1 : INT32_MAX;
  if (after > nextSongNumber_) nextSongNumber_ = after;
}

void PlayList::setNextFromLargest() {
  nextSongNumber_ = kFirstSongNumber;
  for (IInfo* record : songs_)
    if (record->hasSongNumber()) noteSongNumber(record->getSongNumber());
}

void PlayList::dropSong(IInfo* record, View* view) {
  if (!record) return;
  if (const int at = rowIndexIn(view, record); at >= 0) view->removeRow(at);
  auto known = paths_.find(record->getPath());
  if (known != paths_.end() && known->second == record) paths_.erase(known);
  // The record gives its row back with it; a row still shown in a view the caller did not name
  // leaves that view's model as it goes, so no view is left pointing at it.
  record->release();
}

std::u16string PlayList::displayTitle(IInfo* record) {
  if (!record) return {};
  const bool title = record->hasTitle(), artist = record->hasArtist();
  if (title && artist) {
    std::u16string text(record->getTitle());
    text += u" - ";
    text += record->getArtist();
    return text;
  }
  if (title) return std::u16string(record->getTitle());
  if (artist) return std::u16string(record->getArtist());
  return std::u16string(record->getBaseName());
}

PlayList::Row* PlayList::addFile(IInfo* templ, std::u16string_view path, View* view,
                                 std::u16string* titleOut, IEncodedAudio** sourceOut,
                                 int32_t* boostOut, int insertAt) {
  if (sourceOut) *sourceOut = nullptr;
  if (!PathWin::isFile(path) || !isSongFile(path)) return nullptr;
  Guard hold(lock_);
  // Without a view a known path changes nothing; no need to open the file.
  if (!view && findSong(path)) return nullptr;
  IEncodedAudio* source = SourceFactory::open(path);
  if (!source) return nullptr;
  Row* row = nullptr;
  if (IInfo* known = findSong(path)) {
    // Already listed (and a view is given): the file may have changed since, tags edited
    // elsewhere; nothing is added.
    // The key is a view of the record's own path, so it goes while the record reads again.
    paths_.erase(known->getPath());
    known->load(path);
    paths_.emplace(known->getPath(), known);
    source->fillInfo(known);
    if (known->peekListRow()) known->updateListRow();
    if (boostOut) *boostOut = known->hasVolumeBoost() ? known->getVolumeBoost() : 0;
    if (titleOut) *titleOut = displayTitle(known);
    row = known->getListRow();
  } else if (IInfo* record = source->createInfo(path)) {
    if (templ) {
      if (templ->hasVolumeBoost()) record->setVolumeBoost(templ->getVolumeBoost());
      if (templ->hasTitle()) record->setTitle(templ->getTitle());
      if (templ->hasArtist()) record->setArtist(templ->getArtist());
      if (templ->hasAlbum()) record->setAlbum(templ->getAlbum());
      if (templ->hasGenre()) record->setGenre(templ->getGenre());
    }
    songs_.push_back(record);
    paths_.emplace(record->getPath(), record);
    record->setSongNumber(takeSongNumber());
    if (boostOut) *boostOut = 0;
    if (titleOut) *titleOut = displayTitle(record);
    row = record->getListRow();
    if (view) view->addRow(row, insertAt);
  }
  if (sourceOut)
    *sourceOut = source;
  else
    source->release();
  return row;
}

int PlayList::addFolder(std::u16string_view folder, View* view) {
  const int before = getSongCount();
  std::set<std::pair<uint64_t, uint64_t>> visited;
  std::vector<std::u16string> pending{std::u16string(folder)};
  while (!pending.empty()) {
    const std::u16string current = std::move(pending.back());
    pending.pop_back();
    uint64_t device = 0, inode = 0;
    if (!PathWin::identity(current, &device, &inode) || !visited.emplace(device, inode).second)
      continue;
    std::vector<std::u16string> subfolders;
    for (const std::u16string& name : PathWin::listFolder(current)) {
      std::u16string path = PathWin::join(current, name);
      if (PathWin::isFolder(path)) {
        // A link to a folder may lead back up the tree or out of it.
        if (!PathWin::isLink(path)) subfolders.push_back(std::move(path));
      } else if (isSongFile(path)) {
        addFile(nullptr, path, view, nullptr, nullptr, nullptr, -1);
      }
    }
    // Depth first, in name order: the first subfolder is taken next.
    pending.insert(pending.end(), std::make_move_iterator(subfolders.rbegin()),
                   std::make_move_iterator(subfolders.rend()));
  }
  return getSongCount() - before;
}

ForeignListFile::Result PlayList::addListFile(std::u16string_view path, View* view) {
  ForeignListFile::Result result = ForeignListFile::read(path, true);
  reserveSongs(static_cast<int>(std::min<std::size_t>(result.paths.size(), INT_MAX)));
  for (const std::u16string& song : result.paths) {
    // A folder named in a list is passed over like any entry that is no song: one line of a
    // list must not set the player walking the whole disk ("/").
    if (!isSongFile(song) || PathWin::isFolder(song)) {
      ++result.notSongs;
    } else if (containsPath(song)) {
      ++result.alreadyListed;
    } else if (addFile(nullptr, song, view, nullptr, nullptr, nullptr, -1)) {
      ++result.added;
    } else {
      ++result.unreadable;
    }
  }
  return result;
}

void PlayList::showInView(View* view) {
  if (!view) return;
  Guard hold(lock_);
  for (IInfo* record : songs_) view->addRow(record->getListRow(), -1);
}

void PlayList::syncFromView(View* view) { syncFromView(view, false); }

void PlayList::renumberFromView(View* view) { syncFromView(view, true); }

void PlayList::syncFromView(View* view, bool renumber) {
  if (!view) return;
  Guard hold(lock_);
  // The songs not yet met in the view, as a sorted array with a mark each: a set of a hundred
  // thousand pointers would cost more than the songs' rows.
  std::vector<IInfo*> left(songs_.begin(), songs_.end());
  std::sort(left.begin(), left.end());
  std::vector<bool> met(left.size(), false);
  auto take = [&](IInfo* record) {
    auto at = std::lower_bound(left.begin(), left.end(), record);
    if (at == left.end() || *at != record) return false;
    const auto index = static_cast<std::size_t>(at - left.begin());
    if (met[index]) return false;
    met[index] = true;
    return true;
  };
  std::vector<IInfo*> ordered;
  ordered.reserve(songs_.size());
  int32_t number = kFirstSongNumber;
  const int rows = view->getRowCount();
  for (int i = 0; i < rows; ++i) {
    IInfo* record = recordOf(view->getRow(i));
    // Only this list's own songs: a row of another list is not ours to take.
    if (!record || !take(record)) continue;
    ordered.push_back(record);
    if (renumber) {
      record->setSongNumber(number);
      if (number < INT32_MAX) ++number;
      record->updateListRow();
    }
  }
  std::vector<IInfo*> gone;
  for (IInfo* record : songs_)
    if (take(record)) gone.push_back(record);
  songs_ = std::move(ordered);
  for (IInfo* record : gone) dropSong(record, view);
  if (renumber) nextSongNumber_ = number;
}

void PlayList::removeSelected(View* view, int currentRow, bool checkCurrent, bool* wasCurrentOut,
                              std::vector<std::u16string>* removedPathsOut) {
  if (wasCurrentOut) *wasCurrentOut = false;
  if (!view) return;
  removeRows(view, view->getSelectedIndices(), currentRow, checkCurrent, wasCurrentOut,
             removedPathsOut);
}

void PlayList::removeRows(View* view, std::vector<int> rows, int currentRow, bool checkCurrent,
                          bool* wasCurrentOut, std::vector<std::u16string>* removedPathsOut) {
  if (wasCurrentOut) *wasCurrentOut = false;
  if (!view) return;
  Guard hold(lock_);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  std::unordered_set<IInfo*> removed;
  // From the last to the first, so that the indices still to come stay valid.
  for (auto at = rows.rbegin(); at != rows.rend(); ++at) {
    IInfo* record = recordOf(view->getRow(*at));
    if (!record || findSong(record->getPath()) != record) continue;
    view->removeRow(*at);
    if (checkCurrent && wasCurrentOut && *at == currentRow) *wasCurrentOut = true;
    if (removedPathsOut) removedPathsOut->emplace_back(record->getPath());
    removed.insert(record);
  }
  if (removed.empty()) return;
  songs_.erase(std::remove_if(songs_.begin(), songs_.end(),
                              [&](IInfo* record) { return removed.count(record) != 0; }),
               songs_.end());
  for (IInfo* record : removed) dropSong(record, view);
  setNextFromLargest();
}

void PlayList::clearAll(View* view) {
  Guard hold(lock_);
  // Every row of the view is one of this list's: the view shows the selected list only.
  if (view) view->removeAll();
  for (auto record = songs_.rbegin(); record != songs_.rend(); ++record)
    dropSong(*record, view);
  songs_.clear();
  paths_.clear();
  nextSongNumber_ = kFirstSongNumber;
}

void PlayList::removeMissing(View* view, bool checkCurrent, int currentRow, bool* wasCurrentOut) {
  if (wasCurrentOut) *wasCurrentOut = false;
  Guard hold(lock_);
  IInfo* current = nullptr;
  if (checkCurrent) current = view ? recordOf(view->getRow(currentRow)) : getSong(currentRow);
  const std::size_t before = songs_.size();
  std::vector<IInfo*> kept;
  kept.reserve(songs_.size());
  for (IInfo* record : songs_) {
    if (PathWin::exists(record->getPath())) {
      kept.push_back(record);
      continue;
    }
    if (record == current && wasCurrentOut) *wasCurrentOut = true;
    dropSong(record, view);
  }
  songs_ = std::move(kept);
  if (songs_.size() != before) setNextFromLargest();
}

void PlayList::reserveSongs(int count) {
  if (count <= 0) return;
  Guard hold(lock_);
  songs_.reserve(songs_.size() + static_cast<std::size_t>(count));
  paths_.reserve(paths_.size() + static_cast<std::size_t>(count));
}

bool PlayList::adoptLoaded(IInfo* record, bool keepNumber, View* view) {
  if (!record) return false;
  Guard hold(lock_);
  // Numbers come from a file: only those the list could have given are taken as they are.
  if (keepNumber && record->hasSongNumber() && record->getSongNumber() >= 0)
    noteSongNumber(record->getSongNumber());
  else
    record->setSongNumber(takeSongNumber());
  if (!paths_.emplace(record->getPath(), record).second) {
    record->release();
    return false;
  }
  songs_.push_back(record);
  if (view) view->addRow(record->getListRow(), -1);
  return true;
}

void PlayList::arrangeSongs(const std::vector<int>& order) {
  Guard hold(lock_);
  if (order.size() != songs_.size()) return;
  std::vector<bool> seen(songs_.size(), false);
  std::vector<IInfo*> arranged;
  arranged.reserve(songs_.size());
  for (int from : order) {
    if (from < 0 || from >= getSongCount() || seen[static_cast<std::size_t>(from)]) return;
    seen[static_cast<std::size_t>(from)] = true;
    arranged.push_back(songs_[static_cast<std::size_t>(from)]);
  }
  songs_.swap(arranged);
}

}  // namespace s::sound::gui::dialogs::player
