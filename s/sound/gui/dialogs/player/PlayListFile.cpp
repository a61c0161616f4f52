#include "s/sound/gui/dialogs/player/PlayListFile.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/text/Utf.h"
#include "s/file/FileOutputStream.h"
#include "s/file/win/PathWin.h"
#include "s/gui/win/ListBox2.h"
#include "s/lang/Localizer.h"
#include "s/sound/IInfo.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/mp3/win/Info.h"
#include "s/sound/wav/Info.h"
#include "s/str/CharCase.h"
#include "s/xml/MappedData.h"
#include "s/xml/Node.h"
#include "s/xml/NumberText.h"

namespace s::sound::gui::dialogs::player {

using file::win::PathWin;

namespace {

constexpr char16_t kListElement[] = u"PlayList";

std::string shown(std::u16string_view path) { return platform::text::fileNameFromUtf16(path); }

// The folder of a list file, said to be a folder: song records then need not ask the disk what
// their base is, once per song.
std::u16string folderBase(std::u16string_view listPath) {
  std::u16string folder(PathWin::folder(listPath));
  if (folder.empty()) return folder;  // no folder to look in
  return folder + PathWin::kSeparator;
}

// "PlayList\_<index>", the store path of one entry.
std::u16string entryPath(uint32_t index) {
  std::u16string path = u"PlayList\\_";
  xml::appendU64(path, index);
  return path;
}

// The index of an entry element named "_<decimal>" as the writer names them (no sign, no
// leading zero), or -1 for any other name or an index past `limit`.
int64_t entryIndex(std::u16string_view name, int64_t limit) {
  if (name.size() < 2 || name.size() > 11 || name[0] != u'_') return -1;
  if (name[1] == u'0' && name.size() > 2) return -1;
  int64_t value = 0;
  for (char16_t c : name.substr(1)) {
    if (c < u'0' || c > u'9') return -1;
    value = value * 10 + (c - u'0');
  }
  return value < limit ? value : -1;
}

// Which record reads an entry; "MP3" is an MP3 entry too.
IInfo* newRecordOfType(std::u16string_view type) {
  if (str::CharCase::equalIgnoringCase(type, u"mp3")) return mp3::win::Info::create();
  if (str::CharCase::equalIgnoringCase(type, u"wav")) return wav::Info::create();
  return nullptr;
}

}  // namespace

bool PlayListFile::saveList(lang::Localizer* texts, PlayList* list, std::u16string_view path,
                            View* view, std::string* reason) {
  auto fail = [reason](std::string why) {
    if (reason) *reason = std::move(why);
    return false;
  };
  if (!list || path.empty()) return fail("no play list or no file to write it to");
  if (list->hasLoadFailed() && path == list->getFilePath())
    return fail(shown(path) + " was not written: it could not be read when it was opened (" +
                list->getLoadFailure() + "), and writing would lose what it still holds");

  const std::u16string target(path);
  const std::u16string temporary = target + u".tmp";
  // Left by a save that was cut short; it is never a list of its own.
  if (PathWin::exists(temporary) && !PathWin::removeFile(temporary))
    return fail("cannot remove the stale " + shown(temporary));
  const std::u16string_view folder = PathWin::folder(target);
  if (!folder.empty() && !PathWin::isFolder(folder) && !PathWin::createFolders(folder))
    return fail("cannot create the folder " + shown(folder));

  std::vector<IInfo*> records;
  if (view) {
    const int rows = view->getRowCount();
    records.reserve(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i)
      if (IInfo* record = PlayList::recordOf(view->getRow(i))) records.push_back(record);
  } else {
    records.reserve(static_cast<std::size_t>(list->getSongCount()));
    for (int i = 0; i < list->getSongCount(); ++i) records.push_back(list->getSong(i));
  }

  const std::u16string base = folderBase(target);
  xml::MappedData* store = xml::openXmlStore(temporary.c_str(), kRootName, false);
  store->setAutoFlush(false);
  auto text = [texts](int32_t id) { return texts ? texts->getText(id) : u""; };
  store->setString(u"Generator", u"Application", text(kApplicationText));
  store->setString(u"Generator", u"Version", text(kVersionText));
  store->setString(u"Generator", u"URL", text(kUrlText));
  store->removePath(kListElement);
  store->openPath(kListElement);
  store->setS32(kListElement, u"length", static_cast<int32_t>(records.size()));
  store->setString(kListElement, u"filePath", target.c_str());
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::u16string entry = entryPath(static_cast<uint32_t>(i));
    store->setString(entry.c_str(), u"type", std::u16string(records[i]->getFileType()).c_str());
    records[i]->save(store, entry.c_str(), base);
  }
  file::FileOutputStream* out = file::FileOutputStream::create();
  const bool written = out->open(temporary) && store->root()->save(out);
  out->release();
  store->release();
  if (!written) {
    PathWin::removeFile(temporary);
    return fail("cannot write " + shown(temporary));
  }
  if (!PathWin::moveReplacing(temporary, target)) {
    PathWin::removeFile(temporary);
    return fail("cannot move " + shown(temporary) + " over " + shown(target));
  }
  return true;
}

PlayListFile::LoadResult PlayListFile::loadList(PlayList* list, std::u16string_view path,
                                                View* view) {
  LoadResult result;
  if (!list) return result;
  const std::u16string file(path);
  xml::MappedData* store = xml::openXmlStore(file.c_str(), kRootName, true);
  auto finish = [&](LoadResult::Status status, std::string reason) {
    store->release();
    result.status = status;
    result.reason = std::move(reason);
    return result;
  };
  switch (store->loadState()) {
    case xml::MappedData::LoadState::kNoFile:
    case xml::MappedData::LoadState::kNotLoaded:
      return finish(LoadResult::kNoFile, "");
    case xml::MappedData::LoadState::kEmpty:
      return finish(LoadResult::kLoaded, "");
    case xml::MappedData::LoadState::kUnreadable: {
      std::string why = store->loadError().empty() ? "read error" : store->loadError();
      return finish(LoadResult::kFailed, shown(path) + " cannot be read: " + why);
    }
    case xml::MappedData::LoadState::kDamaged:
      return finish(LoadResult::kFailed,
                    shown(path) + " is damaged: it holds no complete play list document");
    case xml::MappedData::LoadState::kRead:
      break;
  }
  xml::Node* root = store->root();
  if (root->nameView() != kRootName)
    return finish(LoadResult::kFailed, shown(path) + " is not a play list: its document is <" +
                                           platform::text::utf16ToUtf8(root->nameView()) + ">");

  result.application = store->getString(u"Generator", u"Application", u"");
  result.version = store->getString(u"Generator", u"Version", u"");
  result.url = store->getString(u"Generator", u"URL", u"");
  result.length = store->getS32(kListElement, u"length", 0);
  result.writtenAs = store->getString(kListElement, u"filePath", u"");

  const bool wasEmpty = list->getSongCount() == 0;
  const int64_t length = std::max<int32_t>(result.length, 0);
  const std::u16string stored =
      store->hasValue(kListElement, u"filePath") ? result.writtenAs : file;
  // Relative song paths are looked for beside the file where it lies now and, failing that,
  // beside where it was written.
  const bool moved = stored != file;
  const std::u16string base = folderBase(moved ? stored : file);
  const std::u16string secondBase = moved ? folderBase(file) : std::u16string();

  // Only the entries that are there, in index order: a "length" far beyond them costs nothing.
  std::vector<int64_t> entries;
  xml::Node* songs = root->getChild(kListElement);
  for (int32_t i = 0; songs && i < songs->childCount(); ++i) {
    const int64_t index = entryIndex(songs->childAt(i)->nameView(), length);
    if (index >= 0) entries.push_back(index);
  }
  // Two elements of one name are one entry: the store's path finds the first.
  std::sort(entries.begin(), entries.end());
  entries.erase(std::unique(entries.begin(), entries.end()), entries.end());

  list->reserveSongs(static_cast<int>(entries.size()));
  for (const int64_t index : entries) {
    const std::u16string entry = entryPath(static_cast<uint32_t>(index));
    IInfo* record = newRecordOfType(store->getString(entry.c_str(), u"type", u""));
    if (!record) continue;
    record->restore(store, entry.c_str(), base, secondBase);
    if (list->adoptLoaded(record, wasEmpty, view)) ++result.added;
  }
  return finish(LoadResult::kLoaded, "");
}

PlayList* PlayListFile::openListFile(std::u16string_view path, LoadResult* result) {
  PlayList* list = PlayList::create();
  list->setFilePath(path);
  list->setFileTitle(PathWin::baseName(path));
  LoadResult loaded = loadList(list, path, nullptr);
  if (loaded.failed()) list->setLoadFailure(loaded.reason);
  if (result) *result = std::move(loaded);
  return list;
}

}  // namespace s::sound::gui::dialogs::player
