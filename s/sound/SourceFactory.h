#pragma once
#include <string>
#include <string_view>

#include "s/base/IObject.h"

namespace s::sound {

class IEncodedAudio;

// Makes the source for a song file by its extension: ".mp3" an MP3 source, ".wav" a WAVE source,
// ignoring case. The source owns a stream opened on the file.
class SourceFactory final : public base::IObject {
 public:
  // The source, or null with the reason in *reason (English): an extension that is neither,
  // a file that can't be opened, a WAVE file whose format can't be played. An MP3 file in
  // which no frame is found still gives a source, whose lengths then come out as -1.
  static IEncodedAudio* open(std::u16string_view path, std::string* reason = nullptr);

  const char16_t* typeName() const override { return u"s_sound_SourceFactory"; }
  IObject* newInstance() const override { return new SourceFactory; }
};

}  // namespace s::sound
