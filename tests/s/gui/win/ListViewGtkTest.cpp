// The list view in a real GTK window under X, driven by xdotool: clicks, a double click, the
// wheel and a drag of a column edge reach it as a user's hand would give them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "s/gui/listbox2/DataType.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Host.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/ListHeader.h"
#include "s/gui/win/ListRows.h"
#include "s/gui/win/ListViewport.h"
#include "s/gui/win/ScrollBar.h"
#include "tests/platform/ui/desktop/GtkDesktopFixture.h"
#include "tests/s/gui/GuiTestSupport.h"

namespace {

using namespace desktoptest;
using s::gui::listbox2::DataType;
using s::gui::listbox2::Record;
using s::gui::win::ListBox2;

class ListViewGtkTest : public GtkDesktopFixture {
 protected:
  void SetUp() override {
    GtkDesktopFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    host_ = std::make_unique<s::gui::win::Host>(*ws_);
    root_ = std::make_unique<s::gui::win::Box>();
    root_->setBounds(0, 0, 300, 200);
    root_->hostIn(*host_, top_);
    list_ = ListBox2::create();
    list_->addColumn(u"Title", -1, nullptr, DataType::kAlignLeft, 100);
    list_->addColumn(u"Artist", -1, nullptr, DataType::kAlignLeft, 150);
    for (int i = 0; i < 40; ++i) {
      Record* row = Record::create(2);
      const std::string n = std::to_string(i);
      row->setCellText(0, u"Song " + std::u16string(n.begin(), n.end()));
      row->setCellText(1, u"Someone");
      rows_.push_back(row);
      list_->addRow(row);
    }
    list_->setMinSize(300, 200);
    list_->setMaxSize(300, 200);
    list_->addListener(ListBox2::kRowDoubleClicked, &heard_);
    root_->add(list_);
    ASSERT_TRUE(pumpUntil(*ws_, [&] { return ws_->isVisible(list_->viewport().rows().nativeHandle()); }));
  }
  void TearDown() override {
    if (!list_) return;
    root_->remove(list_);
    list_->release();
    for (Record* row : rows_) row->release();
  }

  // Screen coordinates of a point of a part of the list.
  std::string screenOf(const s::gui::win::Component& part, int x, int y) {
    const Point p = ws_->clientToScreen(part.nativeHandle(), {x, y});
    return std::to_string(p.x) + " " + std::to_string(p.y);
  }
  std::string rowAt(int row) {
    const auto& view = list_->viewport();
    return screenOf(list_->viewport().rows(), 40, view.scroll().rowTop(row) + view.rowHeight() / 2);
  }
  bool until(const std::function<bool()>& done) { return pumpUntil(*ws_, done); }

  std::unique_ptr<s::gui::win::Host> host_;
  std::unique_ptr<s::gui::win::Box> root_;
  ListBox2* list_ = nullptr;
  std::vector<Record*> rows_;
  guitest::Heard heard_;
};

TEST_F(ListViewGtkTest, PointerClicksWheelAndAColumnEdgeDragReachTheList) {
  using Ints = std::vector<int>;
  ASSERT_TRUE(xdotool("mousemove " + rowAt(2) + " click 1"));
  EXPECT_TRUE(until([&] { return list_->getSelectedIndices() == Ints{2}; }));
  ASSERT_TRUE(xdotool("mousemove " + rowAt(4) + " keydown ctrl click 1 keyup ctrl"));
  EXPECT_TRUE(until([&] { return list_->getSelectedIndices() == (Ints{2, 4}); }));

  ASSERT_TRUE(xdotool("mousemove " + rowAt(5) + " click --repeat 2 --delay 60 1"));
  EXPECT_TRUE(until([&] { return !heard_.events.empty(); })) << "no double click arrived";
  EXPECT_EQ(list_->getDoubleClickedRow(), 5);
  EXPECT_EQ(list_->getSelectedIndices(), Ints{5});

  ASSERT_TRUE(xdotool("mousemove " + rowAt(3) + " click 5"));  // one notch down
  EXPECT_TRUE(until([&] { return list_->viewport().scroll().firstRow() == 3; }));
  EXPECT_EQ(list_->viewport().verticalBar().getPosition(), 3);

  auto& header = list_->viewport().header();
  const int y = header.getHeight() / 2;
  ASSERT_TRUE(xdotool("mousemove " + screenOf(header, 100, y) + " mousedown 1"));
  ASSERT_TRUE(until([&] { return header.edgeAt(100) == 0; }));
  ASSERT_TRUE(xdotool("mousemove " + screenOf(header, 120, y)));
  ASSERT_TRUE(xdotool("mousemove " + screenOf(header, 140, y) + " mouseup 1"));
  EXPECT_TRUE(until([&] { return list_->getColumnWidth(0) == 140; }))
      << "width " << list_->getColumnWidth(0);
  EXPECT_EQ(list_->getColumnWidth(1), 150);
}

}  // namespace
