#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "s/base/IObject.h"
#include "s/sound/gui/dialogs/player/ForeignListFile.h"
#include "s/thread/IPoolable.h"
#include "s/thread/ITask.h"
#include "s/thread/ObjLocker.h"

namespace s::gui::listbox2 {
class Record;
}
namespace s::gui::win {
class ListBox2;
}
namespace s::sound {
class IEncodedAudio;
class IInfo;
}  // namespace s::sound
namespace s::thread::win {
class Thread;
}

namespace s::sound::gui::dialogs::player {

// One play list: its songs (one record per file, in the order they were added until the list
// is brought in step with its view), the paths they were made from, and the numbers it hands
// out. The list owns its records; a view only shows their rows, so every operation that drops a
// record first takes its row out of the view it is given.
//
// Paths are compared exactly, as the file system does: "Song.mp3" and "song.mp3" are two songs.
class PlayList final : public base::IObject, public thread::IPoolable, public thread::ITask {
 public:
  using View = s::gui::win::ListBox2;
  using Row = s::gui::listbox2::Record;

  static constexpr int32_t kFirstSongNumber = 1;
  // How long a reset waits for the worker thread before giving it up for a fresh one.
  static constexpr int kWorkerStopMs = 5000;

  static PlayList* create();  // from the pool
  PlayList();
  ~PlayList() override;
  PlayList(const PlayList&) = delete;
  PlayList& operator=(const PlayList&) = delete;

  const std::u16string& getFilePath() const { return filePath_; }
  void setFilePath(std::u16string_view path) { filePath_.assign(path); }
  const std::u16string& getFileTitle() const { return fileTitle_; }
  void setFileTitle(std::u16string_view title) { fileTitle_.assign(title); }
  const std::u16string& getName() const { return name_; }
  void setName(std::u16string_view name) { name_.assign(name); }
  // Why the list's file could not be read when it was opened ("" when it could). Such a list is
  // never written over its file, so whatever the file still holds can be rescued.
  const std::string& getLoadFailure() const { return loadFailure_; }
  void setLoadFailure(std::string reason) { loadFailure_ = std::move(reason); }
  bool hasLoadFailed() const { return !loadFailure_.empty(); }
  // A list read only in part from a damaged file: the path where the file as it was is kept
  // before the list is first written over it ("" once kept, or when the file was whole), and
  // the message that tells the user so, handed out once.
  const std::u16string& getDamagedCopyPath() const { return damagedCopyPath_; }
  void setDamaged(std::u16string_view copyPath, std::string notice) {
    damagedCopyPath_.assign(copyPath);
    notice_ = std::move(notice);
  }
  void damagedCopyKept() { damagedCopyPath_.clear(); }
  // The message for the user about this list ("" when there is none, or it was taken before).
  std::string takeNotice() { return std::exchange(notice_, std::string()); }

  int getSongCount() const { return static_cast<int>(songs_.size()); }
  IInfo* getSong(int i) const;
  // The song made from exactly this path, or null.
  IInfo* findSong(std::u16string_view path) const;
  bool containsPath(std::u16string_view path) const { return findSong(path) != nullptr; }
  int32_t getNextSongNumber() const { return nextSongNumber_; }

  thread::ObjLocker& lock() { return lock_; }
  thread::win::Thread* worker() const { return worker_; }
  bool isStopping() const { return stopping_; }

  // Adds one ".mp3" or ".wav" file (extension in any case). `templ` (optional) is a record whose
  // volume boost, title, artist, album and genre the new song takes where it has them. Returns
  // the song's row: the new one, inserted into `view` at `insertAt` (-1: the end) when a view
  // is given; or, with a view, the row of the song that already has this path, whose file is
  // read again. Null when nothing was added (no such file, another type, no view for a known
  // path). `titleOut` gets the display title, `boostOut` the song's boost (0 for a new song),
  // `sourceOut` the opened source (else it is released).
  Row* addFile(IInfo* templ, std::u16string_view path, View* view, std::u16string* titleOut,
               IEncodedAudio** sourceOut, int32_t* boostOut, int insertAt = -1);
  // Adds the songs of a folder and of every folder below it, depth first: a folder's files by
  // name, then its subfolders by name. Symbolic links to folders are not followed and no folder
  // is entered twice. Returns the number of songs added.
  int addFolder(std::u16string_view folder, View* view);
  // Adds the songs of another player's list (".m3u", ".m3u8", ".pls") the way addFile adds
  // each, in the list's order. Songs already listed stay where they are; folders and lists
  // named inside are not followed. The result tells what was added and what was passed over,
  // and why.
  ForeignListFile::Result addListFile(std::u16string_view path, View* view);

  // Appends the rows of all songs to the view, in list order.
  void showInView(View* view);
  // Takes the view's row order as the list's order; songs whose rows left the view leave the
  // list. Song numbers stay.
  void syncFromView(View* view);
  // As syncFromView, and the songs are numbered 1 to n in view order.
  void renumberFromView(View* view);

  // Removes the songs of the view's selected rows. `wasCurrentOut` (when `checkCurrent`) tells
  // whether the row at `currentRow` was among them; the removed paths are appended to
  // `removedPathsOut` (optional).
  void removeSelected(View* view, int currentRow, bool checkCurrent, bool* wasCurrentOut,
                      std::vector<std::u16string>* removedPathsOut);
  // As removeSelected, for the rows at `rows` (view indices, any order).
  void removeRows(View* view, std::vector<int> rows, int currentRow, bool checkCurrent,
                  bool* wasCurrentOut, std::vector<std::u16string>* removedPathsOut);
  // Removes every song and its row; numbering starts again at 1.
  void clearAll(View* view);
  // Removes every song whose file is gone; `currentRow` is a row of `view` (or, without a view,
  // an index into the list).
  void removeMissing(View* view, bool checkCurrent, int currentRow, bool* wasCurrentOut);

  // Puts the songs in a new order: song k becomes the one that was at `order[k]`. Ignored
  // unless `order` is a permutation of the song indices. Rows stay where they are in any view.
  void arrangeSongs(const std::vector<int>& order);

  // Room for `count` more songs, for a caller about to add many.
  void reserveSongs(int count);
  // Appends a record restored from a list file, numbered the way loading does: a list that was
  // empty when loading began keeps the file's numbers. False (and the record released) when the
  // list already has its path.
  bool adoptLoaded(IInfo* record, bool keepNumber, View* view);

  // The display title of a song: "title - artist", the one of them present, else the file name
  // without extension.
  static std::u16string displayTitle(IInfo* record);
  // The song a view row shows, or null for a row that shows none.
  static IInfo* recordOf(Row* row);

  // Does nothing: the thread exists for work the player window may give it.
  void run() override {}

  const char16_t* typeName() const override { return u"s_sound_gui_dialogs_player_PlayList"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  // Stops the worker (a thread that overruns kWorkerStopMs is given up for a fresh one), drops
  // every song, empties the strings and starts numbering at 1 again.
  void reset() override;

 private:
  int32_t takeSongNumber();
  void noteSongNumber(int32_t number);
  void setNextFromLargest();
  // Takes the song's row out of the view (when it is shown there), forgets its path and gives
  // the record back.
  void dropSong(IInfo* record, View* view);
  void syncFromView(View* view, bool renumber);

  std::u16string filePath_;
  std::u16string fileTitle_;
  std::u16string name_;
  std::string loadFailure_;
  std::u16string damagedCopyPath_;
  std::string notice_;
  std::vector<IInfo*> songs_;
  // Keyed by a view of each record's own path (a list of a hundred thousand songs would
  // otherwise hold every path twice): a listed record's path never changes while it is a key.
  std::unordered_map<std::u16string_view, IInfo*> paths_;
  int32_t nextSongNumber_ = kFirstSongNumber;
  thread::win::Thread* worker_ = nullptr;
  std::atomic<bool> stopping_{false};  // polled by work on the worker thread
  thread::ObjLocker lock_;
};

}  // namespace s::sound::gui::dialogs::player
