#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "s/base/IObject.h"
#include "s/col/_array/ArrayU08.h"
#include "s/sound/mp3/TagFields.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/codepage/CodePage.h"
#include "s/thread/IPoolable.h"

namespace s::map {
class IMappedData;
}
namespace s::sound::mp3 {
class TagReader;
}

namespace s::sound::mp3::win {

// The information record of an MP3 file: format values and the seven text tags. Every tag keeps
// the raw bytes it was read from, so that a text written in a local code page but marked as
// ISO-8859-1 can be decoded again with another code page at any time, without the file.
class Info final : public base::IObject, public thread::IPoolable {
 public:
  using CodePage = system::codepage::CodePage;
  using StrBuffer = str::strbuffer::StrBuffer;
  static constexpr int kTagCount = TagFields::kCount;
  // The sixteen tag options: read all, read each tag, write all, write each tag.
  static constexpr int kReadAll = 0;
  static constexpr int kWriteAll = 8;
  static constexpr int kOptionCount = 16;

  static Info* create();
  Info();
  ~Info() override;
  Info(const Info&) = delete;
  Info& operator=(const Info&) = delete;

  // Clears the record, sets the path and reads the selected tags. False when the path names no
  // file or the file cannot be opened; the record keeps the path either way.
  bool load(std::u16string_view path);
  // Writes the texts of the tags selected for writing into the file at `path`, leaving the audio
  // and every other tag as they are. False when the file cannot be written; it is then untouched
  // and lastSaveError() says why.
  bool saveTags(std::u16string_view path);
  const std::string& lastSaveError() const { return saveError_; }

  const CodePage* getEffectiveCodePage();
  const CodePage* getCodePage() const { return codePage_; }
  // Chooses the code page for the whole record; a new one decodes every tag again from its bytes.
  void setCodePage(const CodePage* codePage, bool forced);
  bool isCodePageForced() const { return codePageForced_; }
  bool usesCodePages() const { return true; }
  // The code page in which saveTags writes texts (none: the program's default).
  const CodePage* getDefaultCodePage() const { return writeCodePage_; }
  void setDefaultCodePage(const CodePage* codePage) { writeCodePage_ = codePage; }
  bool usesDefaultCodePage() const { return true; }

  void setPath(std::u16string_view path);
  std::u16string_view getPath() const { return path_.view(); }
  std::u16string_view getBaseName() const;
  std::u16string_view getFileName() const;
  bool hasSongNumber() const { return songNumber_ != -1; }
  int32_t getSongNumber() const { return songNumber_; }
  void setSongNumber(int32_t number) { songNumber_ = number; }

  // The eight operations of every tag, by TagFields::Field.
  bool hasTag(int field) const { return !tags_[field].text.isEmpty(); }
  const StrBuffer& getTag(int field) const { return tags_[field].text; }
  bool supportsTag(int) const { return true; }
  // Replaces the text; the bytes stay as they were read.
  void setTag(int field, std::u16string_view text) { tags_[field].text.assign(text); }
  const CodePage* getTagCodePage(int field);
  const CodePage* getTagCodePageChoice(int field) const { return tags_[field].chosen; }
  void setTagCodePage(int field, const CodePage* codePage, bool forced);
  // The tag's bytes decoded with `codePage`, cut to `width` (a character above U+00FF counts
  // two) with "..." appended; the caller releases the new string.
  StrBuffer* previewTag(int field, const CodePage* codePage, int width) const;
  bool isTagForced(int field) const { return tags_[field].forced; }
  const col::_array::ArrayU08& getTagBytes(int field) const { return tags_[field].bytes; }
  // The text encoding of the frame the tag was read from (0 to 3), or -1 when it was not read
  // from a file.
  int getTagEncoding(int field) const { return tags_[field].encoding; }

  // The same operations under each tag's own name (hasTitle, getTitle, ..., previewComment).
#define SONVIA_INFO_TAG_GROUP(Name, field)                                                    \
  bool has##Name() const { return hasTag(field); }                                            \
  const StrBuffer& get##Name() const { return getTag(field); }                                \
  bool supports##Name() const { return supportsTag(field); }                                  \
  void set##Name(std::u16string_view text) { setTag(field, text); }                           \
  const CodePage* get##Name##CodePage() { return getTagCodePage(field); }                     \
  const CodePage* get##Name##CodePageChoice() const { return getTagCodePageChoice(field); }   \
  void set##Name##CodePage(const CodePage* codePage, bool forced) {                           \
    setTagCodePage(field, codePage, forced);                                                  \
  }                                                                                           \
  StrBuffer* preview##Name(const CodePage* codePage, int width) const {                       \
    return previewTag(field, codePage, width);                                                \
  }
  SONVIA_INFO_TAG_GROUP(Title, TagFields::kTitle)
  SONVIA_INFO_TAG_GROUP(Artist, TagFields::kArtist)
  SONVIA_INFO_TAG_GROUP(Album, TagFields::kAlbum)
  SONVIA_INFO_TAG_GROUP(Year, TagFields::kYear)
  SONVIA_INFO_TAG_GROUP(Track, TagFields::kTrack)
  SONVIA_INFO_TAG_GROUP(Genre, TagFields::kGenre)
  SONVIA_INFO_TAG_GROUP(Comment, TagFields::kComment)
#undef SONVIA_INFO_TAG_GROUP

  // Closes the tag file and drops the path.
  void clear();
  // Option index 0 to 15 (see kReadAll, kWriteAll); a tag is read (written) when the "all" flag
  // or its own flag is set.
  void setTagOption(int option, bool on) { options_[option] = on; }
  bool getTagOption(int option) const { return options_[option]; }
  bool readsTag(int field) const { return options_[kReadAll] || options_[kReadAll + 1 + field]; }
  bool writesTag(int field) const { return options_[kWriteAll] || options_[kWriteAll + 1 + field]; }

  int32_t getPlayTimeMs() const { return playTimeMs_; }
  void setPlayTimeMs(int32_t ms) { playTimeMs_ = ms; }
  bool hasBitRate() const { return true; }
  int32_t getBitRateKbps() const { return bitRateKbps_; }
  void setBitRateKbps(int32_t kbps) { bitRateKbps_ = kbps; }
  bool isStereo() const { return stereo_; }
  void setStereo(bool stereo) { stereo_ = stereo; }
  int32_t getSampleRate() const { return sampleRate_; }
  void setSampleRate(int32_t rate) { sampleRate_ = rate; }
  const char16_t* getFileType() const { return u"mp3"; }
  bool hasVolumeBoost() const { return volumeBoost_ != kNoBoost; }
  int32_t getVolumeBoost() const { return volumeBoost_; }
  // 0 means no boost and is stored as such.
  void setVolumeBoost(int32_t boost) { volumeBoost_ = boost == 0 ? kNoBoost : boost; }

  // Writes the record as values of the node `entryPath` of a play list store. `baseFolder` is
  // the play list file (or its folder): a song inside that folder is written with a path
  // relative to it. Every tag with a text also writes its bytes and the code page it was decoded
  // with.
  void save(map::IMappedData& store, const char16_t* entryPath, const char16_t* baseFolder);
  // Reads a record written by save. A relative path is looked for beside `secondBaseFolder`
  // first, then resolved against `baseFolder`. Texts come back as saved, not decoded again;
  // code pages the running system lacks are ignored; forced flags come back false.
  void restore(map::IMappedData& store, const char16_t* entryPath, const char16_t* baseFolder,
               const char16_t* secondBaseFolder);

  const char16_t* typeName() const override { return u"s_sound_mp3_win_Info"; }
  IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  static constexpr int32_t kNoBoost = -1000;

  struct Tag {
    StrBuffer text;
    col::_array::ArrayU08 bytes;
    const CodePage* used = nullptr;
    const CodePage* chosen = nullptr;
    bool forced = false;
    int encoding = -1;
  };

  void readTag(const TagReader& reader, int field);
  // The bytes without their terminator, decoded with `codePage` into `out`.
  static void decodeBytes(const col::_array::ArrayU08& bytes, const CodePage* codePage,
                          StrBuffer& out);

  StrBuffer path_;
  int32_t songNumber_ = -1;
  const CodePage* effectiveCodePage_ = nullptr;
  bool codePageForced_ = false;
  const CodePage* codePage_ = nullptr;
  const CodePage* writeCodePage_ = nullptr;
  Tag tags_[kTagCount];
  bool options_[kOptionCount];
  int32_t playTimeMs_ = 0;
  int32_t bitRateKbps_ = 192;
  bool stereo_ = true;
  int32_t sampleRate_ = 44100;
  int32_t volumeBoost_ = kNoBoost;
  std::string saveError_;
};

}  // namespace s::sound::mp3::win
