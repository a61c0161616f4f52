#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "s/gui/IContainer.h"
#include "s/gui/drawer/FontStyle.h"
#include "s/gui/win/Component.h"
#include "s/thread/IPoolable.h"

namespace s::gui::events {
class IEventListener;
}
namespace s::lang {
class Localizer;
}

namespace s::gui::drawer {
class IListBox;
}
namespace s::gui::listbox2 {
class DataType;
class List;
class Record;
}  // namespace s::gui::listbox2

namespace s::gui::win {

class ListViewport;

// The multi-column list that shows a play list. It keeps its own model (columns, rows in
// display order, selection, column order, sort keys); once it is realised in a component tree
// its parts (header, rows, scroll bars; see ListViewport) show the model and turn the user's
// input into calls of the operations below. Every operation may be called from any thread: the
// model changes under its lock and the view catches up on the tree's thread. Rows are shown, not
// owned (see listbox2::Record).
class ListBox2 final : public Component, public IContainer, public thread::IPoolable {
 public:
  // Event codes raised to the listeners registered for them.
  static constexpr int kRowSelected = 1;
  static constexpr int kRowDeselected = 2;
  static constexpr int kFilesDropped = 3;
  static constexpr int kRowsDropped = 4;
  static constexpr int kDragStarted = 5;
  static constexpr int kColumnClicked = 6;
  static constexpr int kKeyPressed = 8;
  static constexpr int kOnlyRowSelected = 20;
  static constexpr int kNoRowSelected = 21;
  static constexpr int kRowDoubleClicked = 22;
  // The user switched a row's check box (getCheckSwitchedRow says which).
  static constexpr int kRowCheckSwitched = 23;
  static constexpr int kRowsSorted = 26;

  // Current-row mark modes.
  static constexpr int kMarkAbove = 0;
  static constexpr int kMarkBelow = 1;
  static constexpr int kMarkAsSelected = 2;

  static ListBox2* create();  // from the pool

  // A press on a row or a header that then moves this far becomes a drag.
  static constexpr int kDragThreshold = 4;
  // Rows one notch of the wheel scrolls.
  static constexpr int kWheelRows = 3;

  // Configuration. A new list is a report view with a header, several rows selectable, and
  // accepts no files.
  void setViewIcon();
  void setViewList();
  void setViewReport();
  int getViewMode() const;  // 0 icon, 1 list, 2 report
  void setMultiSelect(bool on);
  bool isMultiSelect() const;
  void setHeaderShown(bool on);
  bool isHeaderShown() const;
  void setCheckBoxes(bool on);
  bool hasCheckBoxes() const;
  void setFullRowSelect(bool on);
  void setGridLines(bool on);
  bool hasGridLines() const;
  void setAcceptFiles(bool on);
  // Drops from other programs' drag sources. Here they arrive the same way as files dropped
  // from a file manager, so either setting lets the list take them.
  void setOleDropTarget(bool on);
  bool isOleDropTarget() const;
  // Whether the list takes dropped files now (either setting above).
  bool acceptsFiles() const;
  void setAlternateRows(bool on);
  bool hasAlternateRows() const;
  bool hasFullRowSelect() const;
  // The text font of the rows and the header. Rows are never lower than one line of it.
  void setFont(const drawer::FontStyle& font);
  drawer::FontStyle getFont() const;
  // The drawer rows are painted with; null (the default) takes the skin's list drawer.
  void setDrawer(const drawer::IListBox* drawer);
  const drawer::IListBox* getDrawer() const;

  // Columns. The column is owned by the list; its title comes from `textId` through the
  // localizer when both are given (and follows language changes, which the list repaints),
  // else it is `title`. The localizer must outlive the list's columns.
  listbox2::DataType* addColumn(std::u16string_view title, int textId, lang::Localizer* localizer,
                                int alignment, int width, std::uint32_t drawFlags = 0);
  int getColumnCount();
  listbox2::DataType* getColumn(int i);
  std::vector<int> getColumnOrder();
  // Taken only when its length equals the number of columns and it is a permutation of them;
  // true when taken.
  bool setColumnOrder(const std::vector<int>& order);
  int getColumnWidth(int i);
  void setColumnWidth(int i, int width);

  // Redraw suspension nests; while suspended, changes reach the model but are not drawn.
  void setRedraw(bool on);
  bool isRedrawSuspended() const;

  // Rows (display order). `at` -1 or past the end appends. A row shown elsewhere is refused.
  // Returns the index given, or -1.
  int addRow(listbox2::Record* row, int at = -1);
  // Detaches the row (index -1, deselected); returns it, or null when out of range.
  listbox2::Record* removeRow(int index);
  void removeAll();
  int getRowCount();
  listbox2::Record* getRow(int i);
  // Index of the row in this list, or -1.
  int indexOf(listbox2::Record* row);
  // Moves the rows at `indices` (any order, duplicates ignored) to sit, in their current order,
  // before the row that was at `to` (to = row count or -1 moves them to the end). Rows keep
  // their selection. Returns false and changes nothing on an invalid index.
  bool moveRows(const std::vector<int>& indices, int to);
  // Selection: raise the selection events (20 before 1 when it becomes the only one; 2, then 21
  // when none is left).
  // A single-selection list deselects the others first (2, 21 before 20, 1).
  void select(int index, bool on = true);
  // Reports the whole change once: 1 (after 20 when it left one row selected), or 2 then 21.
  void selectAll(bool on);
  int getSelectedCount();
  std::vector<int> getSelectedIndices();  // ascending
  std::vector<int> getSelectionOrder();   // in the order the rows were selected
  // Redraws only when row or mode change; returns whether they changed.
  bool setCurrentRow(int row, int mode);
  // Selects the rows from `from` to `to` (either order, clamped), deselecting all others when
  // `only`; the change is reported once, as selectAll does. False when nothing changed.
  bool selectRange(int from, int to, bool only);
  int getCurrentRow() const;
  int getCurrentRowMode() const;

  // A click on a column header: when the column is sortable its direction flips, it becomes
  // the first sort key, the rows are stably sorted by the keys, renumbered, event 26 is raised;
  // then event 6 (also for a column that does not sort).
  void clickColumn(int column);
  int getClickedColumn() const;
  // The shell dropped files on the list: kept (replacing earlier ones) and event 3 raised, only
  // when the list accepts files and there is at least one; returns whether they were taken.
  // Paths are the file system's bytes, kept whole and in the order dropped.
  bool dropFiles(const std::vector<std::string>& paths);
  std::vector<std::string> getDroppedPaths() const;
  // Rows dragged within the list and dropped before row `to`: they move (keeping order and
  // selection) and event 4 is raised; `to` outside the rows means below the last row. Nothing
  // happens when no row is selected.
  void dropSelectedRows(int to);

  // ---- dragging rows
  // Whether rows dragged within the list reorder it (off for a new list).
  void setReorderAllowed(bool on);
  bool isReorderAllowed() const;
  // Lists the user may drag this list's rows to; a drop there raises event 4 on this list with
  // getDropTarget() naming that list and getDropIndex() the row it was dropped before. Targets
  // are not owned: whoever gives a target list back removes it here first.
  void addDragTarget(ListBox2* other);
  void removeDragTarget(ListBox2* other);
  std::vector<ListBox2*> getDragTargets() const;
  ListBox2* getDropTarget() const;
  int getDropIndex() const;
  // Names the file a row stands for; with it, rows dragged out of the window are offered to
  // other programs as those files. Rows it names no file for ("") are left out.
  void setFileOfRow(std::function<std::string(listbox2::Record*)> fileOf);
  std::vector<std::string> filesOfSelectedRows();
  // Called by the view as the user acts: event 5, and event 22 for a row.
  void startRowDrag();
  void doubleClickRow(int row);
  // Rows of this list were dropped on `target` (one of the drag targets) before row `index`.
  void dropRowsOn(ListBox2* target, int index);
  int getDoubleClickedRow() const;
  // Switches the check box of a row as a click on it does, and raises 23.
  void switchCheck(int row);
  int getCheckSwitchedRow() const;
  void pressKey(int keyCode);
  int getLastKey() const;

  void addListener(int code, events::IEventListener* listener);
  void removeListener(int code, events::IEventListener* listener);

  listbox2::List* model();
  // The view: header, rows and scroll bars over one scroll position.
  ListViewport& viewport();

  // ---- IContainer: a list holds its own parts only; add and remove take nothing else.
  void add(IComponent*) override {}
  void remove(IComponent*) override {}
  void doLayout() override;
  ILayoutManager* getLayoutManager() const override { return nullptr; }
  void setLayoutManager(ILayoutManager*) override {}
  bool isContainer() const override { return true; }
  int getComponentCount() const override;
  IComponent* getComponent(int i) const override;
  void onEvent(base::IObject* source, int code) override;

  const char16_t* typeName() const override { return u"s_gui_win_ListBox2"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

  ListBox2();
  ~ListBox2() override;
  ListBox2(const ListBox2&) = delete;
  ListBox2& operator=(const ListBox2&) = delete;

 protected:
  void onRealised() override;
  void onGeometrySet() override;
  bool onWheel(const WheelEvent& e) override;
  void onFilesDropped(platform::ui::Point, const std::vector<std::string>& paths) override;

 private:
  struct State;
  // Tells the listeners of each code in turn; called with the model's lock let go.
  void raise(const std::vector<int>& codes);
  // Brings the view up to the model (rows, widths, order, selection): on the tree's thread,
  // never with the model's lock held, and not while redraw is suspended.
  void viewChanged();
  // Stops hearing the columns' localizers (before the columns go).
  void stopListening();
  // Tells the window system whether the list's window takes dropped files.
  void applyAcceptFiles();
  State* state_;
  ListViewport* viewport_;
};

}  // namespace s::gui::win
