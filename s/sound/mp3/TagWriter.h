#pragma once
#include <string>
#include <string_view>

#include "s/sound/mp3/TagFields.h"
#include "s/system/codepage/CodePage.h"

namespace s::sound::mp3 {

// Writes tag texts into an MP3 file without risking the file: the new file (new ID3v2 tag, the
// audio bytes exactly as they were, the ID3v1 tag if the file had one) is written to a temporary
// file beside the original, made durable, and then renamed over the original in one step. Any
// failure before the rename leaves the original untouched.
//
// libid3tag's own id3_file_update only rewrites a tag in place when its size does not change and
// silently writes nothing otherwise, so the tag is rendered with libid3tag and the file is put
// together here.
class TagWriter {
 public:
  // Texts to write, by TagFields::Field; an empty text leaves that frame as it is.
  struct Texts {
    std::u16string_view text[TagFields::kCount];
  };

  // The text encoding a text is written with in `codePage`: 1 for UTF-16, 2 for UTF-16BE, 3 for
  // UTF-8, 0 (the code page's bytes, one per character) for any other code page that can hold
  // the text, and 1 when it cannot, so that no character is ever replaced.
  static int encodingFor(const system::codepage::CodePage& codePage, std::u16string_view text,
                         std::string* bytes);

  // Writes the texts into the file at `path` (symbolic links are followed and the file they name
  // is replaced). A file without any write permission counts as read-only and is refused.
  bool write(std::u16string_view path, const Texts& texts,
             const system::codepage::CodePage& codePage);
  const std::string& lastError() const { return error_; }

 private:
  bool fail(const std::string& message);
  std::string error_;
};

}  // namespace s::sound::mp3
