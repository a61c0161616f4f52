#pragma once
#include <cstdint>
#include <string_view>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::system::codepage {
class CodePage;
}
namespace s::map {
class IMappedData;
}
namespace s::gui::listbox2 {
class Record;
}

namespace s::sound {

// The eight operations of one text tag, in their fixed order. `preview<Tag>` returns a new text
// buffer that the caller releases.
#define S_SOUND_IINFO_TAG_GROUP(Tag)                                                      \
  virtual bool has##Tag() = 0;                                                            \
  virtual std::u16string_view get##Tag() = 0;                                             \
  virtual bool supports##Tag() = 0;                                                       \
  virtual void set##Tag(std::u16string_view text) = 0;                                    \
  virtual const system::codepage::CodePage* get##Tag##CodePage() = 0;                     \
  virtual const system::codepage::CodePage* get##Tag##CodePageChoice() = 0;               \
  virtual void set##Tag##CodePage(const system::codepage::CodePage* codePage, bool forced) = 0; \
  virtual str::strbuffer::StrBuffer* preview##Tag(const system::codepage::CodePage* codePage, \
                                                  int32_t width) = 0;

// The song information record a play list keeps for every song: path, song number, duration,
// format, per-song volume boost and, for MP3 files, the text tags. A source makes the record for
// its file.
class IInfo : public base::IObject, public thread::IPoolable {
 public:
  using CodePage = system::codepage::CodePage;

  // Clears the record, sets the path and reads what the file offers; true when the path names an
  // existing file.
  virtual bool load(std::u16string_view path) = 0;
  virtual bool saveTags(std::u16string_view path) = 0;
  virtual const CodePage* getEffectiveCodePage() = 0;
  virtual const CodePage* getCodePage() = 0;
  virtual void setCodePage(const CodePage* codePage, bool forced) = 0;
  virtual bool usesCodePages() = 0;
  virtual const CodePage* getDefaultCodePage() = 0;
  virtual void setDefaultCodePage(const CodePage* codePage) = 0;
  virtual bool usesDefaultCodePage() = 0;
  virtual void setPath(std::u16string_view path) = 0;
  virtual std::u16string_view getPath() = 0;
  virtual std::u16string_view getBaseName() = 0;
  virtual std::u16string_view getFileName() = 0;
  virtual bool hasSongNumber() = 0;
  virtual int32_t getSongNumber() = 0;
  virtual void setSongNumber(int32_t number) = 0;

  S_SOUND_IINFO_TAG_GROUP(Title)
  S_SOUND_IINFO_TAG_GROUP(Artist)
  S_SOUND_IINFO_TAG_GROUP(Album)
  S_SOUND_IINFO_TAG_GROUP(Year)
  S_SOUND_IINFO_TAG_GROUP(Track)
  S_SOUND_IINFO_TAG_GROUP(Genre)
  S_SOUND_IINFO_TAG_GROUP(Comment)

  // Drops the path.
  virtual void clear() = 0;

  // Which tags load reads and saveTags writes: a tag is read (written) when the flag for all tags
  // or its own flag is set.
  virtual void setReadAllTags(bool on) = 0;
  virtual void setReadTitle(bool on) = 0;
  virtual void setReadArtist(bool on) = 0;
  virtual void setReadAlbum(bool on) = 0;
  virtual void setReadYear(bool on) = 0;
  virtual void setReadTrack(bool on) = 0;
  virtual void setReadGenre(bool on) = 0;
  virtual void setReadComment(bool on) = 0;
  virtual void setWriteAllTags(bool on) = 0;
  virtual void setWriteTitle(bool on) = 0;
  virtual void setWriteArtist(bool on) = 0;
  virtual void setWriteAlbum(bool on) = 0;
  virtual void setWriteYear(bool on) = 0;
  virtual void setWriteTrack(bool on) = 0;
  virtual void setWriteGenre(bool on) = 0;
  virtual void setWriteComment(bool on) = 0;

  virtual int32_t getPlayTimeMs() = 0;
  virtual void setPlayTimeMs(int32_t ms) = 0;
  virtual bool hasBitRate() = 0;
  virtual int32_t getBitRateKbps() = 0;
  virtual void setBitRateKbps(int32_t kbps) = 0;
  virtual bool isStereo() = 0;
  virtual void setStereo(bool stereo) = 0;
  virtual int32_t getSampleRate() = 0;
  virtual void setSampleRate(int32_t rate) = 0;
  // The row that shows the song in a play list view: eight cells (song number, title, duration,
  // artist, album, genre, file name, full path) with this record as its user data. Made on first
  // use and owned by the record; a view only shows it.
  virtual s::gui::listbox2::Record* getListRow() = 0;
  // Rewrites the first six cells from the record's current values.
  virtual void updateListRow() = 0;
  // The row when it was made, else null.
  virtual s::gui::listbox2::Record* peekListRow() = 0;
  // Writes the record's keys into the entry at `entry` of a play list store. `baseFolder` is the
  // play list's folder or file: a song inside it is written with a relative path.
  virtual void save(map::IMappedData* store, const char16_t* entry,
                    std::u16string_view baseFolder) = 0;
  // Reads the record from the entry; a relative path is looked for beside `secondBase` first,
  // then taken relative to `baseFolder`.
  virtual void restore(map::IMappedData* store, const char16_t* entry,
                       std::u16string_view baseFolder, std::u16string_view secondBase) = 0;
  // "wav" or "mp3".
  virtual std::u16string_view getFileType() = 0;
  virtual bool hasVolumeBoost() = 0;
  virtual int32_t getVolumeBoost() = 0;
  // 0 means no boost and is kept as kNoVolumeBoost.
  virtual void setVolumeBoost(int32_t percent) = 0;

  static constexpr int32_t kNoSongNumber = -1;
  static constexpr int32_t kNoVolumeBoost = -1000;
};

#undef S_SOUND_IINFO_TAG_GROUP

}  // namespace s::sound
