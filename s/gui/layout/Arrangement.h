#pragma once

namespace s::gui {
class IContainer;
}

namespace s::gui::layout {

// How a container asks for its children to be placed. Alignments: 0 left or top, 1 centre,
// 2 right or bottom.
struct Arrangement {
  int hAlign = 0;
  int vAlign = 0;
  int hGap = 0;
  int vGap = 0;
};

// What a layout pass found out about the children: the content size the container needs at
// least and the size at which every child is at its maximum.
struct ContentSizes {
  int minWidth = 0;
  int minHeight = 0;
  int maxWidth = 0;
  int maxHeight = 0;
  friend bool operator==(const ContentSizes&, const ContentSizes&) = default;
};

// Freezes every child of a container for one layout pass and unfreezes (and repaints) them at its
// end, so that each child window is moved once however often the pass resizes it. A container
// that is itself frozen leaves that to whoever froze it.
class FrozenChildren {
 public:
  explicit FrozenChildren(IContainer& container);
  ~FrozenChildren();
  FrozenChildren(const FrozenChildren&) = delete;
  FrozenChildren& operator=(const FrozenChildren&) = delete;

 private:
  IContainer& container_;
  bool active_;
};

}  // namespace s::gui::layout
