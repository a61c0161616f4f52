#pragma once
#include <vector>

#include "s/gui/listbox2/DataType.h"

namespace s::gui::listbox2 {

class Record;

// Orders rows by sort keys, stably: rows that the keys find equal keep the order of the previous
// sort, so clicking Artist after Title gives titles in order within each artist.
class Sorter {
 public:
  struct Key {
    DataType::Compare compare;
    int column;
    bool ascending;
  };
  static void sortRows(std::vector<Record*>& rows, const std::vector<Key>& keys);
};

}  // namespace s::gui::listbox2
