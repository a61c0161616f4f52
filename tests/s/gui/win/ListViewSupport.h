#pragma once
#include <string>
#include <vector>

#include "s/gui/drawer/IListBox.h"
#include "s/gui/listbox2/DataType.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/listbox2/SubRecord.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/ListHeader.h"
#include "s/gui/win/ListRows.h"
#include "s/gui/win/ListViewport.h"
#include "tests/s/gui/GuiTestSupport.h"

namespace listtest {

using namespace guitest;
using s::gui::listbox2::DataType;
using s::gui::listbox2::Record;
using s::gui::win::ListBox2;

inline int compareText(s::gui::listbox2::SubRecord* a, s::gui::listbox2::SubRecord* b) {
  return a->getText().compare(b->getText());
}

inline std::u16string number(int i) {
  const std::string digits = std::to_string(i);
  return std::u16string(digits.begin(), digits.end());
}

// A list of `rows` songs in a 320 x 240 window: columns Title (100, sorts), Artist (80) and File
// (200), so that the columns are wider than the list; row i reads "Title i", "Artist i % 7",
// "/music/i.mp3".
class ListViewTest : public GuiTest {
 protected:
  explicit ListViewTest(int rows = 100) : GuiTest({320, 240}) {
    list->addColumn(u"Title", -1, nullptr, DataType::kAlignLeft, 100)->setCompare(&compareText);
    list->addColumn(u"Artist", -1, nullptr, DataType::kAlignLeft, 80);
    list->addColumn(u"File", -1, nullptr, DataType::kAlignLeft, 200);
    for (int i = 0; i < rows; ++i) {
      Record* row = Record::create(3);
      row->setCellText(0, u"Title " + number(i));
      row->setCellText(1, u"Artist " + number(i % 7));
      row->setCellText(2, u"/music/" + number(i) + u".mp3");
      made.push_back(row);
      list->addRow(row);
    }
    list->setMinSize(320, 240);
    list->setMaxSize(320, 240);
    list->setFullRowSelect(true);
    for (int code : {1, 2, 3, 4, 5, 6, 8, 20, 21, 22, 26}) list->addListener(code, &heard);
    root.add(list.get());
    pump();
  }
  ~ListViewTest() override {
    root.remove(list.get());
    list->removeAll();
    for (Record* row : made) row->release();
  }

  s::gui::win::ListViewport& view() { return list->viewport(); }
  s::gui::win::ListRows& rows() { return view().rows(); }
  int rowHeight() { return view().rowHeight(); }
  // A point in the middle of a row in view, in the window's client coordinates.
  Point rowPoint(int row, int x = 40) {
    return at(rows(), x, view().scroll().rowTop(row) + rowHeight() / 2);
  }
  void clickRow(int row, unsigned modifiers = 0, int x = 40) {
    input.mouse(top, InputEvent::Kind::kButtonDown, rowPoint(row, x), 0, modifiers);
    input.mouse(top, InputEvent::Kind::kButtonUp, rowPoint(row, x), 0, modifiers);
    pump();
  }
  void key(unsigned code, unsigned modifiers = 0) {
    input.key(top, code, modifiers);
    pump();
  }
  std::vector<int> selected() { return list->getSelectedIndices(); }
  std::u16string titleAt(int row) { return std::u16string(list->getRow(row)->getCellText(0)); }

  std::vector<Record*> made;  // outlives the list, which only shows the rows
  s::thread::Pooled<ListBox2> list{ListBox2::create()};
  Heard heard;
};

// Paints cells through another drawer and counts them.
class CountingDrawer : public s::gui::drawer::IListBox {
 public:
  explicit CountingDrawer(const s::gui::drawer::IListBox& inner, int rowHeight = -1)
      : inner_(inner), rowHeight_(rowHeight) {}
  void paintCell(const s::gui::drawer::ListCellState& state, const Rect& rect, Canvas& canvas) const override {
    ++cells;
    inner_.paintCell(state, rect, canvas);
  }
  void paintBackground(const Rect& rect, Canvas& canvas) const override { inner_.paintBackground(rect, canvas); }
  int rowHeight(const s::gui::drawer::FontStyle& font) const override {
    return rowHeight_ >= 0 ? rowHeight_ : inner_.rowHeight(font);
  }
  void configure(const s::gui::drawer::SkinColors&) override {}
  void readColors(s::gui::drawer::SkinColors&) const override {}
  const char16_t* typeName() const override { return u"listtest_CountingDrawer"; }
  s::base::IObject* newInstance() const override { return nullptr; }
  void release() override {}
  void reset() override {}

  mutable int cells = 0;

 private:
  const s::gui::drawer::IListBox& inner_;
  int rowHeight_;
};

}  // namespace listtest
