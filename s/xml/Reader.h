#pragma once
#include <functional>

namespace s::xml {

class Node;

// What one read reports, and whom it hands finished elements to. Every part is optional.
struct ReadContext {
  // Whether the text held one whole element (every tag, quote and comment closed, every
  // element ended) or nothing but white space: a file cut short by a crash or a full disk still
  // reads, but its reader can tell that something is missing.
  bool complete = true;
  // The innermost element the text ended in, null for a complete text: that element and the
  // ones around it may miss attributes or children, every other one is whole.
  const Node* cut = nullptr;
  // Offered every element two levels below the root (a child of a child of the root) as soon
  // as it is complete, with its parent. True means the taker has used it up: it leaves the tree
  // at once, so a document of a hundred thousand entries never stands in memory whole.
  std::function<bool(Node& parent, Node& element)> takeEntry;
};

// Builds a tree from text in the program's dialect. The reader takes whatever it can from
// any input: it reports no syntax error, never reads outside [text, end), and keeps no state on
// the call stack per level, so a document nested a million levels deep reads like any other.
class Reader {
 public:
  // Reads one element starting at `text` into `root`; returns the position just after it.
  static const char16_t* read(Node& root, const char16_t* text, const char16_t* end,
                              ReadContext* context = nullptr);
};

}  // namespace s::xml
