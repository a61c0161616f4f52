#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "s/sound/IInfo.h"

namespace s::sound {

// What every song record holds whatever its file type: path, song number, play time, format,
// per-song volume boost and the record's code pages. The WAVE and MP3 records build on it.
class InfoBase : public IInfo {
 public:
  InfoBase() = default;
  // Gives back the list row (a pool that is full destroys records without resetting them).
  ~InfoBase() override;
  InfoBase(const InfoBase&) = delete;
  InfoBase& operator=(const InfoBase&) = delete;

  const CodePage* getCodePage() override { return codePage_; }
  const CodePage* getDefaultCodePage() override { return defaultCodePage_; }
  void setDefaultCodePage(const CodePage* codePage) override { defaultCodePage_ = codePage; }
  void setPath(std::u16string_view path) override { path_.assign(path); }
  std::u16string_view getPath() override { return path_; }
  std::u16string_view getBaseName() override;
  std::u16string_view getFileName() override;
  bool hasSongNumber() override { return songNumber_ != kNoSongNumber; }
  int32_t getSongNumber() override { return songNumber_; }
  void setSongNumber(int32_t number) override { songNumber_ = number; }
  void clear() override { path_.clear(); }
  int32_t getPlayTimeMs() override { return playTimeMs_; }
  void setPlayTimeMs(int32_t ms) override { playTimeMs_ = ms; }
  bool isStereo() override { return stereo_; }
  void setStereo(bool stereo) override { stereo_ = stereo; }
  int32_t getSampleRate() override { return sampleRate_; }
  void setSampleRate(int32_t rate) override { sampleRate_ = rate; }
  s::gui::listbox2::Record* getListRow() override;
  void updateListRow() override;
  s::gui::listbox2::Record* peekListRow() override { return listRow_; }
  // The keys every record writes, in their order; a record with a bit rate writes it after the
  // play time. The MP3 record adds its tag keys after these.
  void save(map::IMappedData* store, const char16_t* entry,
            std::u16string_view baseFolder) override;
  void restore(map::IMappedData* store, const char16_t* entry, std::u16string_view baseFolder,
               std::u16string_view secondBase) override;
  bool hasVolumeBoost() override { return volumeBoost_ != kNoVolumeBoost; }
  int32_t getVolumeBoost() override { return volumeBoost_; }
  void setVolumeBoost(int32_t percent) override {
    volumeBoost_ = percent == 0 ? kNoVolumeBoost : percent;
  }

 protected:
  // Back to the values of a fresh record; the list row is given back, leaving any view that
  // still shows it.
  void resetCommon();

  std::u16string path_;
  const CodePage* codePage_ = nullptr;
  const CodePage* defaultCodePage_ = nullptr;
  int32_t songNumber_ = kNoSongNumber;
  int32_t playTimeMs_ = 0;
  bool stereo_ = true;
  int32_t sampleRate_ = 44100;
  int32_t volumeBoost_ = kNoVolumeBoost;

 private:
  void fillListRow(int cellCount);
  void releaseListRow();

  s::gui::listbox2::Record* listRow_ = nullptr;
};

}  // namespace s::sound
