#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "s/col/_array/ArrayU08.h"
#include "s/sound/InfoBase.h"
#include "s/sound/mp3/TagFields.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/codepage/CodePage.h"

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
class Info final : public InfoBase {
 public:
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
  bool load(std::u16string_view path) override;
  // Writes the texts of the tags selected for writing into the file at `path`, leaving the audio
  // and every other tag as they are. False when the file cannot be written; it is then untouched
  // and lastSaveError() says why.
  bool saveTags(std::u16string_view path) override;
  const std::string& lastSaveError() const { return saveError_; }

  const CodePage* getEffectiveCodePage() override;
  // Chooses the code page for the whole record; a new one decodes every tag again from its bytes.
  void setCodePage(const CodePage* codePage, bool forced) override;
  bool isCodePageForced() const { return codePageForced_; }
  bool usesCodePages() override { return true; }
  // The default code page is the one saveTags writes texts in (none: the program's default).
  bool usesDefaultCodePage() override { return true; }

  // The eight operations of every tag, by TagFields::Field.
  bool hasTag(int field) const { return !tag(field).text.isEmpty(); }
  const StrBuffer& getTag(int field) const { return tag(field).text; }
  bool supportsTag(int) const { return true; }
  // Replaces the text; the bytes stay as they were read.
  void setTag(int field, std::u16string_view text) { tagToWrite(field).text.assign(text); }
  const CodePage* getTagCodePage(int field);
  const CodePage* getTagCodePageChoice(int field) const { return tag(field).chosen; }
  void setTagCodePage(int field, const CodePage* codePage, bool forced);
  // The tag's bytes decoded with `codePage`, cut to `width` (a character above U+00FF counts
  // two) with "..." appended; the caller releases the new string.
  StrBuffer* previewTag(int field, const CodePage* codePage, int width) const;
  bool isTagForced(int field) const { return tag(field).forced; }
  const col::_array::ArrayU08& getTagBytes(int field) const { return tag(field).bytes; }
  // The text encoding of the frame the tag was read from (0 to 3), or -1 when it was not read
  // from a file.
  int getTagEncoding(int field) const { return tag(field).encoding; }

  // The same operations under each tag's own name (hasTitle, getTitle, ..., previewComment).
#define SONVIA_INFO_TAG_GROUP(Name, field)                                                    \
  bool has##Name() override { return hasTag(field); }                                         \
  std::u16string_view get##Name() override { return getTag(field).view(); }                   \
  bool supports##Name() override { return supportsTag(field); }                               \
  void set##Name(std::u16string_view text) override { setTag(field, text); }                  \
  const CodePage* get##Name##CodePage() override { return getTagCodePage(field); }            \
  const CodePage* get##Name##CodePageChoice() override { return getTagCodePageChoice(field); } \
  void set##Name##CodePage(const CodePage* codePage, bool forced) override {                  \
    setTagCodePage(field, codePage, forced);                                                  \
  }                                                                                           \
  StrBuffer* preview##Name(const CodePage* codePage, int32_t width) override {                \
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

  // Option index 0 to 15 (see kReadAll, kWriteAll); a tag is read (written) when the "all" flag
  // or its own flag is set.
  void setTagOption(int option, bool on) { options_[option] = on; }
  bool getTagOption(int option) const { return options_[option]; }
  bool readsTag(int field) const { return options_[kReadAll] || options_[kReadAll + 1 + field]; }
  bool writesTag(int field) const { return options_[kWriteAll] || options_[kWriteAll + 1 + field]; }
  void setReadAllTags(bool on) override { setTagOption(kReadAll, on); }
  void setReadTitle(bool on) override { setTagOption(kReadAll + 1 + TagFields::kTitle, on); }
  void setReadArtist(bool on) override { setTagOption(kReadAll + 1 + TagFields::kArtist, on); }
  void setReadAlbum(bool on) override { setTagOption(kReadAll + 1 + TagFields::kAlbum, on); }
  void setReadYear(bool on) override { setTagOption(kReadAll + 1 + TagFields::kYear, on); }
  void setReadTrack(bool on) override { setTagOption(kReadAll + 1 + TagFields::kTrack, on); }
  void setReadGenre(bool on) override { setTagOption(kReadAll + 1 + TagFields::kGenre, on); }
  void setReadComment(bool on) override { setTagOption(kReadAll + 1 + TagFields::kComment, on); }
  void setWriteAllTags(bool on) override { setTagOption(kWriteAll, on); }
  void setWriteTitle(bool on) override { setTagOption(kWriteAll + 1 + TagFields::kTitle, on); }
  void setWriteArtist(bool on) override { setTagOption(kWriteAll + 1 + TagFields::kArtist, on); }
  void setWriteAlbum(bool on) override { setTagOption(kWriteAll + 1 + TagFields::kAlbum, on); }
  void setWriteYear(bool on) override { setTagOption(kWriteAll + 1 + TagFields::kYear, on); }
  void setWriteTrack(bool on) override { setTagOption(kWriteAll + 1 + TagFields::kTrack, on); }
  void setWriteGenre(bool on) override { setTagOption(kWriteAll + 1 + TagFields::kGenre, on); }
  void setWriteComment(bool on) override { setTagOption(kWriteAll + 1 + TagFields::kComment, on); }

  bool hasBitRate() override { return true; }
  int32_t getBitRateKbps() override { return bitRateKbps_; }
  void setBitRateKbps(int32_t kbps) override { bitRateKbps_ = kbps; }
  std::u16string_view getFileType() override { return u"mp3"; }

  // The common keys, then every tag with a text: its text, its bytes and the code page it was
  // decoded with. `baseFolder` is the play list file or its folder.
  void save(map::IMappedData* store, const char16_t* entry,
            std::u16string_view baseFolder) override;
  // Texts come back as saved, not decoded again; code pages the running system lacks are
  // ignored; save writes no forced flags, so a saved record's come back false.
  void restore(map::IMappedData* store, const char16_t* entry, std::u16string_view baseFolder,
               std::u16string_view secondBase) override;

  const char16_t* typeName() const override { return u"s_sound_mp3_win_Info"; }
  IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  struct Tag {
    StrBuffer text;
    col::_array::ArrayU08 bytes;
    const CodePage* used = nullptr;
    const CodePage* chosen = nullptr;
    bool forced = false;
    int encoding = -1;
  };

  // A tag the record has never held reads as an empty one; writing to it makes it.
  const Tag& tag(int field) const;
  Tag& tagToWrite(int field);
  void readTag(const TagReader& reader, int field);
  // The bytes without their terminator, decoded with `codePage` into `out`.
  static void decodeBytes(const col::_array::ArrayU08& bytes, const CodePage* codePage,
                          StrBuffer& out);

  const CodePage* effectiveCodePage_ = nullptr;
  bool codePageForced_ = false;
  // Only the tags a song has take room: a list of a hundred thousand songs, most with three or
  // four of the seven, keeps every record in memory.
  std::array<std::unique_ptr<Tag>, kTagCount> tags_;
  bool options_[kOptionCount];
  int32_t bitRateKbps_ = 192;
  std::string saveError_;
};

}  // namespace s::sound::mp3::win
