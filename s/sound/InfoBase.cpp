#include "s/sound/InfoBase.h"

#include <string>

#include "s/file/win/PathWin.h"
#include "s/gui/listbox2/List.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/listbox2/SubRecord.h"
#include "s/map/IMappedData.h"
#include "s/sound/DurationText.h"
#include "s/sound/RecordPath.h"
#include "s/xml/NumberText.h"

namespace s::sound {

using file::win::PathWin;
using s::gui::listbox2::Record;

namespace {

// The cells of a song's row, in the order of the play list's columns.
enum Cell { kNumber, kTitle, kDuration, kArtist, kAlbum, kGenre, kFileName, kFullPath, kCellCount };
// updateListRow leaves the file name and the path as they were made.
constexpr int kRefreshedCells = kGenre + 1;

}  // namespace

InfoBase::~InfoBase() { releaseListRow(); }

Record* InfoBase::getListRow() {
  if (!listRow_) {
    listRow_ = Record::create(kCellCount);
    listRow_->setUserData(this);
    fillListRow(kCellCount);
  }
  return listRow_;
}

void InfoBase::updateListRow() {
  if (listRow_) fillListRow(kRefreshedCells);
}

void InfoBase::fillListRow(int cellCount) {
  Record& row = *listRow_;
  // A shown row may be read by the view's painting or sorting on another thread.
  s::gui::listbox2::List* list = row.getList();
  if (list) list->lock().lock();

  std::u16string text;
  if (hasSongNumber()) xml::appendS64(text, songNumber_);
  row.setCellText(kNumber, text);
  // Numeric sorting reads the kept number; a row without a song number reads "" as 0.
  if (songNumber_ >= 0) row.getCell(kNumber)->setSortValue(static_cast<std::uint64_t>(songNumber_));

  row.setCellText(kTitle, hasTitle() ? getTitle() : getBaseName());

  const std::uint32_t seconds = DurationText::secondsOf(playTimeMs_);
  text.clear();
  DurationText::appendTo(text, seconds);
  row.setCellText(kDuration, text);
  row.getCell(kDuration)->setSortValue(seconds);

  row.setCellText(kArtist, getArtist());
  row.setCellText(kAlbum, getAlbum());
  row.setCellText(kGenre, getGenre());
  // The file name and the path are made when a cell is first read: a list of a hundred
  // thousand songs sorted by title never needs them, and they are its longest texts.
  auto self = reinterpret_cast<std::uintptr_t>(this);
  if (cellCount > kFileName)
    row.getCell(kFileName)->setTextProvider(
        [](std::uintptr_t record) {
          return std::u16string(reinterpret_cast<InfoBase*>(record)->getFileName());
        },
        self);
  if (cellCount > kFullPath)
    row.getCell(kFullPath)->setTextProvider(
        [](std::uintptr_t record) {
          return std::u16string(reinterpret_cast<InfoBase*>(record)->getPath());
        },
        self);

  if (list) list->lock().unlock();
}

void InfoBase::releaseListRow() {
  if (!listRow_) return;
  // Giving the row back takes it out of any view still showing it.
  listRow_->release();
  listRow_ = nullptr;
}

std::u16string_view InfoBase::getBaseName() { return PathWin::baseName(path_); }

std::u16string_view InfoBase::getFileName() { return PathWin::fileName(path_); }

void InfoBase::save(map::IMappedData* store, const char16_t* entry,
                    std::u16string_view baseFolder) {
  if (!store) return;
  const std::u16string path = RecordPath::forSaving(path_, baseFolder);
  store->setString(entry, u"filePath", path.c_str());
  if (hasSongNumber()) store->setS32(entry, u"songNumber", songNumber_);
  store->setS32(entry, u"playTimeMilliSec", playTimeMs_);
  if (hasBitRate()) store->setS32(entry, u"bitRateKBps", getBitRateKbps());
  store->setBool(entry, u"isStereo", stereo_);
  store->setS32(entry, u"sampleRate", sampleRate_);
  if (hasVolumeBoost()) store->setS32(entry, u"individualVolumeBoost", volumeBoost_);
}

void InfoBase::restore(map::IMappedData* store, const char16_t* entry,
                       std::u16string_view baseFolder, std::u16string_view secondBase) {
  if (!store) return;
  const std::u16string text = store->getString(entry, u"filePath", u"");
  path_ = RecordPath::resolve(text, baseFolder, secondBase);
  songNumber_ = store->getS32(entry, u"songNumber", kNoSongNumber);
  playTimeMs_ = store->getS32(entry, u"playTimeMilliSec", 0);
  if (hasBitRate()) setBitRateKbps(store->getS32(entry, u"bitRateKBps", 0));
  stereo_ = store->getBool(entry, u"isStereo", true);
  sampleRate_ = store->getS32(entry, u"sampleRate", 44100);
  setVolumeBoost(store->getS32(entry, u"individualVolumeBoost", kNoVolumeBoost));
}

void InfoBase::resetCommon() {
  path_.clear();
  codePage_ = nullptr;
  defaultCodePage_ = nullptr;
  songNumber_ = kNoSongNumber;
  playTimeMs_ = 0;
  stereo_ = true;
  sampleRate_ = 44100;
  volumeBoost_ = kNoVolumeBoost;
  releaseListRow();
}

}  // namespace s::sound
