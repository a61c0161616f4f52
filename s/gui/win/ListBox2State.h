#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "s/gui/drawer/FontStyle.h"
#include "s/gui/win/ListBox2.h"

namespace s::gui::win {

// What a list holds beside its model; shared by the files that implement ListBox2.
// Guarded by the model's lock, like the model itself.
struct ListBox2::State {
  listbox2::List* list = nullptr;
  // A fresh list is a report list with a header and several rows selectable, the way the
  // player shows songs.
  int viewMode = 2;
  bool multiSelect = true;
  bool headerShown = true;
  bool checkBoxes = false;
  bool fullRowSelect = false;
  bool gridLines = false;
  bool acceptFiles = false;
  bool oleDropTarget = false;
  bool alternateRows = false;
  drawer::FontStyle font;
  const drawer::IListBox* drawer = nullptr;
  int redrawSuspended = 0;
  int currentRow = -1;
  int currentMode = kMarkAbove;
  int clickedColumn = -1;
  int doubleClickedRow = -1;
  int checkSwitchedRow = -1;
  std::vector<std::string> droppedPaths;
  int lastKey = 0;
  bool reorderAllowed = false;
  std::vector<ListBox2*> dragTargets;
  ListBox2* dropTarget = nullptr;
  int dropIndex = -1;
  std::function<std::string(listbox2::Record*)> fileOfRow;
  std::vector<std::pair<int, events::IEventListener*>> listeners;
  std::vector<lang::Localizer*> localizers;  // of the columns; the list listens to them
};

}  // namespace s::gui::win
