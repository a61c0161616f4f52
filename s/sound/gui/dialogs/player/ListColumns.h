#pragma once
#include "s/gui/listbox2/SubRecord.h"

namespace s::gui::win {
class ListBox2;
}
namespace s::lang {
class Localizer;
}

namespace s::sound::gui::dialogs::player {

// The columns of the play list view, in the order of the cells of a song's list row.
enum SongColumn : int {
  kSongNumberColumn,
  kTitleColumn,
  kDurationColumn,
  kArtistColumn,
  kAlbumColumn,
  kGenreColumn,
  kFileNameColumn,
  kFilePathColumn,
  kSongColumnCount
};

// Adds the eight song columns to `view` with their default widths, alignments and sorting;
// their titles come from the localizer and follow its language.
void addSongColumns(s::gui::win::ListBox2& view, s::lang::Localizer* localizer);

// Text order: ignoring case over the length of the shorter text; when that part is equal the
// shorter text comes first.
int compareCellTexts(s::gui::listbox2::SubRecord* a, s::gui::listbox2::SubRecord* b);
// Number order: a cell's kept sort value, else its text read as an unsigned number (leading
// blanks skipped, digits up to the first other character; no digit reads as 0).
int compareCellNumbers(s::gui::listbox2::SubRecord* a, s::gui::listbox2::SubRecord* b);

}  // namespace s::sound::gui::dialogs::player
