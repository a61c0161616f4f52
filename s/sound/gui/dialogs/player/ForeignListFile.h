#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace s::io {
class IInputStream;
}

namespace s::sound::gui::dialogs::player {

// Play lists of other players, read for the songs they name, in their order: ".m3u" and
// ".m3u8" (one entry a line; "#" lines such as "#EXTM3U" and "#EXTINF" are passed over) and
// ".pls" ("FileN=" entries of the "[playlist]" section, ordered by N; "NumberOfEntries" is not
// trusted, nor are the numbers contiguous). ForeignListEntry says what an entry may be.
//
// Text: a leading UTF-8 byte order mark is skipped; lines end in LF, CRLF or CR. An ".m3u8" is
// UTF-8; an ".m3u" or ".pls" is UTF-8 when all of it is, else Windows-1252. A list in UTF-16 is
// refused with a message rather than read as garbage.
//
// The file is read as a stream, twice at most (once to learn its encoding), so a list of a
// million entries costs one pass over them. A line longer than kLongestLine is left out and
// counted: no path is that long, and reading on to the next line keeps the rest of the list.
class ForeignListFile {
 public:
  enum class Format { kNone, kM3u, kM3u8, kPls };
  static constexpr std::size_t kLongestLine = 64 * 1024;

  struct Result {
    bool opened = false;  // the file was read (an empty one too)
    std::string failure;  // why not, in English
    std::vector<std::u16string> paths;  // absolute, in list order
    // Entries passed over, by reason.
    int web = 0;          // web and stream addresses
    int unsupported = 0;  // other addresses, files on other hosts, malformed entries
    int otherSystem = 0;  // Windows drive letters and server names
    int empty = 0;        // ".pls" entries with nothing after the "="
    int missing = 0;      // no such file or folder (counted only when asked for)
    int longLines = 0;    // lines longer than kLongestLine
    int64_t firstLongLine = 0;  // the number (from 1) of the first of them
    // Of the paths, when they are added to a play list (PlayList::addListFile).
    int added = 0;          // songs added
    int alreadyListed = 0;  // already in the play list
    int notSongs = 0;       // neither ".mp3" nor ".wav" files (folders and lists: not followed)
    int unreadable = 0;     // a song file that could not be read

    int skipped() const;
    // What was passed over and why ("2 web addresses, 1 missing file"); empty for nothing.
    std::string skippedText() const;
    // "added 3 songs; skipped 2: 1 web address, 1 missing file", or why the list could not be
    // read.
    std::string summary() const;
  };

  // The format by the path's extension, in any case; kNone for any other file.
  static Format formatOf(std::u16string_view path);
  static bool isListFile(std::u16string_view path) { return formatOf(path) != Format::kNone; }

  // Reads the list at `path`; relative entries are found beside it. With `checkFiles`, entries
  // naming nothing that exists are counted as missing instead of being listed, and the file
  // system settles what the text alone cannot (see ForeignListEntry); without, no file is
  // looked up.
  static Result read(std::u16string_view path, bool checkFiles);
  // The same over the list's bytes, as if it lay in `folder`.
  static Result parse(std::string_view bytes, Format format, std::u16string_view folder,
                      bool checkFiles);

 private:
  static Result parseStream(io::IInputStream& in, Format format, std::u16string_view folder,
                            bool checkFiles);
};

}  // namespace s::sound::gui::dialogs::player
