#include "s/sound/gui/dialogs/player/PlayListFile.h"

#include <algorithm>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "platform/text/Utf.h"
#include "s/file/FileOutputStream.h"
#include "s/file/StagedOutput.h"
#include "s/file/win/PathWin.h"
#include "s/gui/win/ListBox2.h"
#include "s/lang/Localizer.h"
#include "s/sound/IInfo.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/mp3/win/Info.h"
#include "s/sound/wav/Info.h"
#include "s/str/CharCase.h"
#include "s/thread/Pooled.h"
#include "s/xml/MappedData.h"
#include "s/xml/Node.h"
#include "s/xml/NumberText.h"
#include "s/xml/Reader.h"

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

// Writes the document a piece at a time: the head (the "Generator" element and the start of
// the list), then each entry from a small tree of its own, then the end. What comes out is what
// one tree of the whole list would write, without that tree, which for a list of a hundred
// thousand songs took hundreds of megabytes.
bool writeDocument(lang::Localizer* texts, const std::vector<IInfo*>& records,
                   const std::u16string& target, file::FileOutputStream& out) {
  auto head = thread::holdPooled(xml::Node::create());
  {
    xml::MappedData document;
    document.view(head.get());
    head->setName(PlayListFile::kRootName);
    auto text = [texts](int32_t id) { return texts ? texts->getText(id) : u""; };
    document.setString(u"Generator", u"Application", text(PlayListFile::kApplicationText));
    document.setString(u"Generator", u"Version", text(PlayListFile::kVersionText));
    document.setString(u"Generator", u"URL", text(PlayListFile::kUrlText));
    document.openPath(kListElement);
    document.setS32(kListElement, u"length", static_cast<int32_t>(records.size()));
    document.setString(kListElement, u"filePath", target.c_str());
  }
  std::string bytes;
  head->writeUtf8To(bytes);
  // The list element is the last one and still empty: its entries go before its end tag.
  const std::string tail = "</PlayList></PlayListXml>";
  if (bytes.size() < tail.size() || bytes.compare(bytes.size() - tail.size(), tail.size(), tail) != 0)
    return false;
  bytes.resize(bytes.size() - tail.size());

  constexpr std::size_t kFlushAt = 1 << 16;
  auto flush = [&out, &bytes] {
    const bool ok = out.write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    bytes.clear();
    return ok;
  };
  const std::u16string base = folderBase(target);
  xml::MappedData entry;
  for (std::size_t i = 0; i < records.size(); ++i) {
    auto element = thread::holdPooled(xml::Node::create());
    std::u16string name = u"_";
    xml::appendU64(name, i);
    element->setName(name.c_str(), static_cast<int32_t>(name.size()));
    entry.view(element.get());
    entry.setString(u"", u"type", std::u16string(records[i]->getFileType()).c_str());
    records[i]->save(&entry, u"", base);
    entry.reset();
    element->writeUtf8To(bytes);
    if (bytes.size() >= kFlushAt && !flush()) return false;
  }
  bytes += tail;
  return flush();
}

}  // namespace

std::u16string PlayListFile::damagedCopyPath(std::u16string_view path) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  return std::u16string(path) + u".damaged-" + platform::text::utf8ToUtf16(stamp);
}

bool PlayListFile::saveList(lang::Localizer* texts, PlayList* list, std::u16string_view path,
                            View* view, std::string* reason) {
  auto fail = [reason](std::string why) {
    if (reason) *reason = std::move(why);
    return false;
  };
  if (!list || path.empty()) return fail("no play list or no file to write it to");
  const bool overOwnFile = path == list->getFilePath();
  if (list->hasLoadFailed() && overOwnFile)
    return fail(shown(path) + " was not written: it could not be read when it was opened (" +
                list->getLoadFailure() + "), and writing would lose what it still holds");

  const std::u16string target(path);
  if (PathWin::exists(target) && !PathWin::isFile(target))
    return fail(shown(target) + " was not written: it is not a regular file");
  const std::u16string_view folder = PathWin::folder(target);
  if (!folder.empty() && !PathWin::isFolder(folder) && !PathWin::createFolders(folder))
    return fail("cannot create the folder " + shown(folder));
  file::StagedOutput output(target, u".tmp");
  const std::u16string temporary = output.writePathText();
  // Left by a save that was cut short; it is never a list of its own.
  if (PathWin::exists(temporary) && !PathWin::removeFile(temporary))
    return fail("cannot remove the stale " + shown(temporary));

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

  auto out = thread::holdPooled(file::FileOutputStream::create());
  if (!out->open(temporary) || !writeDocument(texts, records, target, *out) || !out->flush() ||
      !out->close())
    return fail("cannot write " + shown(temporary));
  // The damaged file goes aside only now that its replacement is complete, and the
  // replacement goes in only once the damaged file is safe.
  const std::u16string& copy = list->getDamagedCopyPath();
  if (overOwnFile && !copy.empty() && PathWin::exists(target)) {
    if (!PathWin::keepCopy(target, copy))
      return fail(shown(path) + " was not written: its damaged original could not be kept as " +
                  shown(copy));
    list->damagedCopyKept();
  }
  if (!output.commit())
    return fail("cannot move " + shown(temporary) + " over " + shown(target));
  return true;
}

namespace {

// Makes records of a list's entries while the file is read, so that the document never stands
// in memory whole: each entry is read into a record and dropped from the tree at once.
class EntryTaker {
 public:
  using Record = std::pair<int64_t, thread::Pooled<IInfo>>;  // the entry's index, its record

  explicit EntryTaker(std::u16string file) : file_(std::move(file)) {}

  // Entries of the first "PlayList" element below the root, as the store's paths would find
  // them; anything else stays in the tree.
  bool take(xml::Node& parent, xml::Node& element) {
    if (!list_) {
      if (parent.nameView() != kListElement) return false;
      begin(parent);
    }
    if (&parent != list_) return false;
    const int64_t index = entryIndex(element.nameView(), length_);
    if (index < 0) return true;
    entry_.view(&element);
    thread::Pooled<IInfo> record(newRecordOfType(entry_.getString(u"", u"type", u"")));
    if (!record) return true;
    record->restore(&entry_, u"", base_, secondBase_);
    records_.emplace_back(index, std::move(record));
    entry_.reset();
    return true;
  }

  // The records in index order; of two entries with one name the first counts, as the store's
  // path finds the first.
  std::vector<Record> takeRecords() {
    std::stable_sort(records_.begin(), records_.end(),
                     [](const Record& a, const Record& b) { return a.first < b.first; });
    // In place: a second array of every record would double the memory of a large list.
    records_.erase(std::unique(records_.begin(), records_.end(),
                               [](const Record& a, const Record& b) { return a.first == b.first; }),
                   records_.end());
    return std::move(records_);
  }

 private:
  void begin(xml::Node& list) {
    list_ = &list;
    xml::MappedData attributes;
    attributes.view(&list);
    length_ = std::max<int32_t>(attributes.getS32(u"", u"length", 0), 0);
    const std::u16string stored =
        attributes.hasValue(u"", u"filePath") ? attributes.getString(u"", u"filePath", u"") : file_;
    // Relative song paths are looked for beside the file where it lies now and, failing that,
    // beside where it was written.
    const bool moved = stored != file_;
    base_ = folderBase(moved ? stored : file_);
    secondBase_ = moved ? folderBase(file_) : std::u16string();
  }

  const std::u16string file_;
  const xml::Node* list_ = nullptr;
  int64_t length_ = 0;
  std::u16string base_, secondBase_;
  xml::MappedData entry_;
  std::vector<Record> records_;
};

}  // namespace

PlayListFile::LoadResult PlayListFile::loadList(PlayList* list, std::u16string_view path,
                                                View* view) {
  LoadResult result;
  if (!list) return result;
  const std::u16string file(path);
  EntryTaker taker(file);
  xml::ReadContext context;
  context.takeEntry = [&taker](xml::Node& parent, xml::Node& element) {
    return taker.take(parent, element);
  };
  auto store = thread::holdPooled(xml::openXmlStore(file.c_str(), kRootName, true, &context));
  auto finish = [&](LoadResult::Status status, std::string reason) {
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
    case xml::MappedData::LoadState::kRead:
      break;
  }
  // An entry the file broke off in was never complete, so it was never taken: half a path
  // never becomes a song.
  const bool damaged = store->loadState() == xml::MappedData::LoadState::kDamaged;
  xml::Node* root = store->root();
  // A document cut inside its first tag has not even its whole name.
  if (root->nameView() != kRootName && store->cutElement() != root)
    return finish(LoadResult::kFailed, shown(path) + " is not a play list: its document is <" +
                                           platform::text::utf16ToUtf8(root->nameView()) + ">");

  result.application = store->getString(u"Generator", u"Application", u"");
  result.version = store->getString(u"Generator", u"Version", u"");
  result.url = store->getString(u"Generator", u"URL", u"");
  result.length = store->getS32(kListElement, u"length", 0);
  result.writtenAs = store->getString(kListElement, u"filePath", u"");

  const bool wasEmpty = list->getSongCount() == 0;
  std::vector<EntryTaker::Record> records = taker.takeRecords();
  list->reserveSongs(static_cast<int>(records.size()));
  for (EntryTaker::Record& taken : records)
    if (list->adoptLoaded(taken.second.release(), wasEmpty, view)) ++result.added;
  if (damaged)
    return finish(LoadResult::kDamaged,
                  shown(path) + " is damaged (cut short or broken); the " +
                      std::to_string(result.added) +
                      (result.added == 1 ? " song" : " songs") + " that could be read were taken");
  return finish(LoadResult::kLoaded, "");
}

PlayList* PlayListFile::openListFile(std::u16string_view path, LoadResult* result) {
  PlayList* list = PlayList::create();
  list->setFilePath(path);
  list->setFileTitle(PathWin::baseName(path));
  LoadResult loaded = loadList(list, path, nullptr);
  if (loaded.failed()) list->setLoadFailure(loaded.reason);
  if (loaded.damaged()) {
    const std::u16string copy = damagedCopyPath(path);
    list->setDamaged(copy, loaded.reason + "; the file as it is will be kept as " + shown(copy) +
                               " before the list is saved over it");
  }
  if (result) *result = std::move(loaded);
  return list;
}

}  // namespace s::sound::gui::dialogs::player
