#pragma once
#include <string_view>

namespace s::sound::mp3 {

// The seven text tags of a song, in the order records read, save and show them, with the ID3v2
// frame each one lives in and the key prefix of a saved record.
class TagFields {
 public:
  enum Field { kTitle, kArtist, kAlbum, kYear, kTrack, kGenre, kComment };
  static constexpr int kCount = 7;

  static constexpr const char* frameId(int field) {
    constexpr const char* ids[kCount] = {"TIT2", "TPE1", "TALB", "TDRC", "TRCK", "TCON", "COMM"};
    return ids[field];
  }
  // "title", "artist", ... : record keys and the names the command line and JSON use.
  static constexpr const char* name(int field) {
    constexpr const char* names[kCount] = {"title", "artist", "album", "year",
                                           "track", "genre",  "comment"};
    return names[field];
  }
  static constexpr const char16_t* key(int field) {
    constexpr const char16_t* keys[kCount] = {u"title", u"artist", u"album", u"year",
                                              u"track", u"genre",  u"comment"};
    return keys[field];
  }
  // The field called `text`, or -1.
  static int byName(std::string_view text) {
    for (int field = 0; field < kCount; ++field)
      if (text == name(field)) return field;
    return -1;
  }
};

}  // namespace s::sound::mp3
