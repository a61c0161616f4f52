#pragma once
#include <string>

namespace s::sound::gui::dialogs::player {
class Dialog;
}

namespace cli {

// Puts a player window into the state it shows `milliseconds` into a song (at most half of the
// song): the song added to the selected list and marked as playing, its title in the display,
// the time and the position, and the graph columns of the song's first part. Nothing is played:
// the columns come from the song's own samples, as the play process would compute them. False
// with `error` set when the file is no song that can be opened.
bool showPlaying(s::sound::gui::dialogs::player::Dialog& dialog, const std::string& file, int milliseconds,
                 std::string& error);

}  // namespace cli
