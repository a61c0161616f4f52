#pragma once
#include "s/sound/InfoBase.h"
#include "s/thread/EasyPooler.h"

namespace s::sound::wav {

// The record of a WAVE file: no tags, no bit rate; the tag operations answer "nothing there".
class Info final : public InfoBase {
 public:
  static Info* create() { return thread::PoolOf<Info>::acquire(); }

  bool load(std::u16string_view path) override;
  // A WAVE file has no tags to write: only takes the path and tells whether the file exists.
  bool saveTags(std::u16string_view path) override { return load(path); }
  const CodePage* getEffectiveCodePage() override { return getCodePage(); }
  void setCodePage(const CodePage* codePage, bool) override { codePage_ = codePage; }
  bool usesCodePages() override { return false; }
  bool usesDefaultCodePage() override { return false; }

#define S_SOUND_WAV_INFO_NO_TAG(Tag)                                                         \
  bool has##Tag() override { return false; }                                                 \
  std::u16string_view get##Tag() override { return {}; }                                    \
  bool supports##Tag() override { return false; }                                            \
  void set##Tag(std::u16string_view) override {}                                             \
  const CodePage* get##Tag##CodePage() override { return programDefaultCodePage(); }         \
  const CodePage* get##Tag##CodePageChoice() override { return programDefaultCodePage(); }   \
  void set##Tag##CodePage(const CodePage*, bool) override {}                                 \
  str::strbuffer::StrBuffer* preview##Tag(const CodePage*, int32_t) override {               \
    return newEmptyText();                                                                   \
  }
  S_SOUND_WAV_INFO_NO_TAG(Title)
  S_SOUND_WAV_INFO_NO_TAG(Artist)
  S_SOUND_WAV_INFO_NO_TAG(Album)
  S_SOUND_WAV_INFO_NO_TAG(Year)
  S_SOUND_WAV_INFO_NO_TAG(Track)
  S_SOUND_WAV_INFO_NO_TAG(Genre)
  S_SOUND_WAV_INFO_NO_TAG(Comment)
#undef S_SOUND_WAV_INFO_NO_TAG

  // A WAVE file has no tags, so which ones to read or write changes nothing.
  void setReadAllTags(bool) override {}
  void setReadTitle(bool) override {}
  void setReadArtist(bool) override {}
  void setReadAlbum(bool) override {}
  void setReadYear(bool) override {}
  void setReadTrack(bool) override {}
  void setReadGenre(bool) override {}
  void setReadComment(bool) override {}
  void setWriteAllTags(bool) override {}
  void setWriteTitle(bool) override {}
  void setWriteArtist(bool) override {}
  void setWriteAlbum(bool) override {}
  void setWriteYear(bool) override {}
  void setWriteTrack(bool) override {}
  void setWriteGenre(bool) override {}
  void setWriteComment(bool) override {}

  bool hasBitRate() override { return false; }
  int32_t getBitRateKbps() override { return 0; }
  void setBitRateKbps(int32_t) override {}
  std::u16string_view getFileType() override { return u"wav"; }

  const char16_t* typeName() const override { return u"s_sound_wav_Info"; }
  IObject* newInstance() const override { return create(); }
  void release() override { thread::PoolOf<Info>::release(this); }
  void reset() override { resetCommon(); }

 private:
  static str::strbuffer::StrBuffer* newEmptyText();
  // What the tag menus show for a song without tags: the page the program decodes tags with.
  static const CodePage* programDefaultCodePage();
};

}  // namespace s::sound::wav
