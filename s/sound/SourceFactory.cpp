#include "s/sound/SourceFactory.h"

#include "s/file/FileInputStream.h"
#include "s/file/win/PathWin.h"
#include "s/sound/mp3/win/Mp3.h"
#include "s/sound/wav/Wave.h"

namespace s::sound {

using file::win::PathWin;

IEncodedAudio* SourceFactory::open(std::u16string_view path, std::string* reason) {
  auto fail = [reason](std::string why) -> IEncodedAudio* {
    if (reason) *reason = std::move(why);
    return nullptr;
  };
  IEncodedAudio* source = nullptr;
  if (PathWin::hasExtension(path, u"mp3"))
    source = mp3::win::Mp3::create();
  else if (PathWin::hasExtension(path, u"wav"))
    source = wav::Wave::create();
  else
    return fail("not a song: only .mp3 and .wav files can be played");

  source->setFileSize(PathWin::fileSize(path));
  file::FileInputStream* stream = file::FileInputStream::create();
  if (!stream->open(path)) {
    std::string why = stream->lastError();
    stream->release();
    source->release();
    return fail(why);
  }
  source->setInputStream(stream, true);
  if (auto* wave = dynamic_cast<wav::Wave*>(source)) {
    std::string why = wave->formatError();
    if (!why.empty()) {
      source->release();
      return fail(why);
    }
  }
  return source;
}

}  // namespace s::sound
