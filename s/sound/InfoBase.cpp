#include "s/sound/InfoBase.h"

#include "s/file/win/PathWin.h"
#include "s/map/IMappedData.h"
#include "s/sound/RecordPath.h"

namespace s::sound {

using file::win::PathWin;

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
}

}  // namespace s::sound
