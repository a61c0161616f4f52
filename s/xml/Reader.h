#pragma once

namespace s::xml {

class Node;

// Builds a tree from text in the program's dialect. The reader takes whatever it can from
// any input: it reports no syntax error, never reads outside [text, end), and keeps no state on
// the call stack per level, so a document nested a million levels deep reads like any other.
class Reader {
 public:
  // Reads one element starting at `text` into `root`; returns the position just after it.
  // `complete` (optional) tells whether the text held one whole element (every tag, quote and
  // comment closed, every element ended) or nothing but white space: a file cut short by a
  // crash or a full disk still reads, but its reader can tell that something is missing.
  static const char16_t* read(Node& root, const char16_t* text, const char16_t* end,
                              bool* complete = nullptr);
};

}  // namespace s::xml
