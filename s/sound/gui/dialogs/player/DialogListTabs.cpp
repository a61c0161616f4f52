// The play lists as the window shows them: the tab row, stepping between lists, opening and
// closing list files, and files dropped on the controls.
#include "platform/text/Utf.h"
#include "s/file/win/PathWin.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/ListViewport.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/Dialog.h"
#include "s/sound/gui/dialogs/player/ForeignListFile.h"
#include "s/sound/gui/dialogs/player/ListEdits.h"
#include "s/sound/gui/dialogs/player/PlayList.h"

namespace s::sound::gui::dialogs::player {

using file::win::PathWin;

void Dialog::refreshListTabs() {
  AllPlayLists::TabCaptions captions;
  {
    thread::ObjLocker::Guard hold(state_.windowLock);
    captions = lists_->tabCaptions(services_.texts);
  }
  tree_.listName->setText(captions.name);
  tree_.previousList->setText(captions.left);
  tree_.previousList->setEnabled(captions.leftEnabled);
  tree_.nextList->setText(captions.right);
  tree_.nextList->setEnabled(captions.rightEnabled);
}

// Stepping to another list lets the song playing play to its end; then the process stops
// rather than go on in a list the user has left.
void Dialog::previousList() {
  edits_->selectList(lists_->getSelected() - 1);
  refreshListTabs();
}

void Dialog::nextList() {
  edits_->selectList(lists_->getSelected() + 1);
  refreshListTabs();
}

void Dialog::openListFile(const std::u16string& path) {
  edits_->openList(path);
  refreshListTabs();
  noticesLater();
}

bool Dialog::closeList() {
  {
    thread::ObjLocker::Guard hold(state_.windowLock);
    // The default list is where songs go when nothing else is open: it always stays.
    if (lists_->isDefaultSelected()) return false;
  }
  const bool closed = edits_->closeSelectedList(services_.texts);
  refreshListTabs();
  return closed;
}

void Dialog::addDroppedFiles(const std::vector<std::string>& paths) {
  bool firstRow = true;
  for (const std::string& native : paths) {
    const std::u16string path = platform::text::fileNameToUtf16(native);
    if (PathWin::isFolder(path)) {
      thread::ObjLocker::Guard hold(state_.windowLock);
      lists_->selectedList()->addFolder(path, tree_.list);
    } else if (PathWin::hasExtension(path, u"mpl")) {
      openListFile(path);
    } else if (ForeignListFile::isListFile(path)) {
      addForeignList(path);
    } else {
      thread::ObjLocker::Guard hold(state_.windowLock);
      AllPlayLists::Row* row = lists_->addToSelected(path, tree_.list, nullptr, nullptr, nullptr);
      const int index = row ? tree_.list->indexOf(row) : -1;
      if (index < 0) continue;
      // The rows of this drop are the selection, so the user sees at once what came in.
      if (firstRow) tree_.list->selectAll(false);
      firstRow = false;
      tree_.list->select(index);
      tree_.list->viewport().ensureVisible(index);
    }
  }
  listsChanged();
}

}  // namespace s::sound::gui::dialogs::player
