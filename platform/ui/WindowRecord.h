#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/Image.h"
#include "platform/ui/Message.h"
#include "platform/ui/Region.h"

namespace platform::ui {

class MessageQueue;

// Everything about one window. Only the thread that owns the window touches the fields after
// creation; other threads reach them by calls marshalled to that thread.
struct WindowRecord {
  Handle handle = kNoWindow;
  Handle parent = kNoWindow;
  std::shared_ptr<MessageQueue> queue;
  WindowProc proc;
  Rect bounds;
  bool visible = false;
  bool enabled = true;
  bool acceptFiles = false;
  std::vector<Handle> children;  // bottom of the z-order first
  std::u16string title;
  Color background = 0;
  Region invalid;
  bool erase = false;
  // top-level windows only
  bool topLevel = false;
  bool needsPaint = false;
  bool painting = false;  // a paint pass runs; an update asked for meanwhile waits for the next
  Image surface;
  std::optional<Region> shape;
  int opacity = 100;
  bool keepOnTop = false;
  FrameStyle frameStyle;
  WindowState state = WindowState::kNormal;
  Cursor cursor = Cursor::kArrow;
};

}  // namespace platform::ui
