#include "s/sound/InfoBase.h"

#include "s/file/win/PathWin.h"

namespace s::sound {

using file::win::PathWin;

std::u16string_view InfoBase::getBaseName() { return PathWin::baseName(path_); }

std::u16string_view InfoBase::getFileName() { return PathWin::fileName(path_); }

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
