#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Geometry.h"
#include "platform/ui/Region.h"

namespace platform::ui {

class Canvas;

// Windows are named by handles; a handle is never used twice in a process.
using Handle = std::uint32_t;
constexpr Handle kNoWindow = 0;

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

struct Message {
  Handle window = kNoWindow;
  std::uint32_t code = 0;
  WParam wParam = 0;
  LParam lParam = 0;
};

using WindowProc = std::function<LResult(const Message&)>;

// Message codes. The numbers are those the toolkit's window procedures were written against.
namespace msg {
constexpr std::uint32_t kCreate = 0x0001;
constexpr std::uint32_t kDestroy = 0x0002;
constexpr std::uint32_t kMove = 0x0003;             // lParam: packPoint(new origin)
constexpr std::uint32_t kSize = 0x0005;             // wParam: SizeKind; lParam: packSize(client size)
constexpr std::uint32_t kActivate = 0x0006;         // wParam: 1 active, 0 inactive
constexpr std::uint32_t kSetFocus = 0x0007;         // wParam: window that lost the focus
constexpr std::uint32_t kKillFocus = 0x0008;        // wParam: window that gets the focus
constexpr std::uint32_t kEnable = 0x000A;           // wParam: 1 enabled
constexpr std::uint32_t kPaint = 0x000F;            // lParam: PaintEvent*
constexpr std::uint32_t kClose = 0x0010;
constexpr std::uint32_t kQuit = 0x0012;             // wParam: exit code
constexpr std::uint32_t kEraseBackground = 0x0014;  // lParam: Canvas*; answer non-zero when erased
constexpr std::uint32_t kEndSession = 0x0016;       // wParam: 1 the session ends; the display may be gone
constexpr std::uint32_t kShowWindow = 0x0018;       // wParam: 1 shown, 0 hidden
constexpr std::uint32_t kWindowPosChanging = 0x0046;  // lParam: WindowPos*, may be changed
constexpr std::uint32_t kHitTest = 0x0084;          // lParam: packPoint(client point); answer hit::
constexpr std::uint32_t kKeyDown = 0x0100;          // wParam: virtual key; lParam: key:: flags
constexpr std::uint32_t kKeyUp = 0x0101;
constexpr std::uint32_t kChar = 0x0102;             // wParam: Unicode code point
constexpr std::uint32_t kCommand = 0x0111;          // wParam: command id of a chosen menu item
constexpr std::uint32_t kTimer = 0x0113;            // wParam: timer id
constexpr std::uint32_t kMouseMove = 0x0200;        // wParam: mk:: flags; lParam: packPoint(client)
constexpr std::uint32_t kLButtonDown = 0x0201;
constexpr std::uint32_t kLButtonUp = 0x0202;
constexpr std::uint32_t kLButtonDoubleClick = 0x0203;
constexpr std::uint32_t kRButtonDown = 0x0204;
constexpr std::uint32_t kRButtonUp = 0x0205;
constexpr std::uint32_t kRButtonDoubleClick = 0x0206;
constexpr std::uint32_t kMButtonDown = 0x0207;
constexpr std::uint32_t kMButtonUp = 0x0208;
constexpr std::uint32_t kMButtonDoubleClick = 0x0209;
constexpr std::uint32_t kMouseWheel = 0x020A;       // wParam: packWheel; lParam: packPoint(screen)
constexpr std::uint32_t kSizing = 0x0214;           // wParam: edge::; lParam: Rect* (screen), may be changed
constexpr std::uint32_t kMenuClosed = 0x0212;       // a popup menu closed (after its kCommand, if any)
constexpr std::uint32_t kCaptureChanged = 0x0215;   // lParam: window that takes the capture
constexpr std::uint32_t kDropFiles = 0x0233;        // lParam: DroppedFiles*
constexpr std::uint32_t kMouseLeave = 0x02A3;
constexpr std::uint32_t kUser = 0x0400;             // private messages: kUser + n
constexpr std::uint32_t kApp = 0x8000;              // and kApp + n
// From the desktop services (desktop/TrayIcon.h says when).
constexpr std::uint32_t kTrayNotify = kUser + 2;    // wParam: packPoint(screen); lParam: mouse message
constexpr std::uint32_t kDialogEnded = kApp + 0x100;  // wakes a thread waiting for a dialog; no handling
constexpr std::uint32_t kTrayMenuOpening = kApp + 0x101;
constexpr std::uint32_t kTrayHostChanged = kApp + 0x102;  // wParam: 1 the icon shows, 0 it does not
}  // namespace msg

namespace hit {
constexpr LResult kTransparent = -1;  // the press goes to what lies behind the window
constexpr LResult kNowhere = 0;
constexpr LResult kClient = 1;
}  // namespace hit

// Mouse-message key state in wParam.
namespace mk {
constexpr WParam kLButton = 0x01;
constexpr WParam kRButton = 0x02;
constexpr WParam kShift = 0x04;
constexpr WParam kControl = 0x08;
constexpr WParam kMButton = 0x10;
}  // namespace mk

// Key-message flags in lParam.
namespace key {
constexpr LParam kShift = 0x01;
constexpr LParam kControl = 0x02;
constexpr LParam kAlt = 0x04;
constexpr LParam kSuper = 0x08;
constexpr LParam kRepeat = 0x40000000;  // the key was already down
}  // namespace key

// Edges of a sizing drag (wParam of kSizing).
namespace edge {
constexpr int kLeft = 1, kRight = 2, kTop = 3, kTopLeft = 4, kTopRight = 5, kBottom = 6,
              kBottomLeft = 7, kBottomRight = 8;
}  // namespace edge

enum class SizeKind : WParam { kRestored = 0, kMinimized = 1, kMaximized = 2 };

// Virtual key codes.
namespace vk {
constexpr unsigned kBack = 0x08, kTab = 0x09, kReturn = 0x0D, kShift = 0x10, kControl = 0x11,
                   kAlt = 0x12, kPause = 0x13, kEscape = 0x1B, kSpace = 0x20, kPageUp = 0x21,
                   kPageDown = 0x22, kEnd = 0x23, kHome = 0x24, kLeft = 0x25, kUp = 0x26,
                   kRight = 0x27, kDown = 0x28, kInsert = 0x2D, kDelete = 0x2E, kSuper = 0x5B,
                   kApps = 0x5D, kNumpad0 = 0x60, kMultiply = 0x6A, kAdd = 0x6B, kSubtract = 0x6D,
                   kDecimal = 0x6E, kDivide = 0x6F, kF1 = 0x70, kVolumeMute = 0xAD,
                   kVolumeDown = 0xAE, kVolumeUp = 0xAF, kMediaNext = 0xB0, kMediaPrev = 0xB1,
                   kMediaStop = 0xB2, kMediaPlayPause = 0xB3, kOemSemicolon = 0xBA, kOemPlus = 0xBB,
                   kOemComma = 0xBC, kOemMinus = 0xBD, kOemPeriod = 0xBE, kOemSlash = 0xBF,
                   kOemTilde = 0xC0, kOemOpenBracket = 0xDB, kOemBackslash = 0xDC,
                   kOemCloseBracket = 0xDD, kOemQuote = 0xDE;
// Letters and digits are their upper-case ASCII codes ('A' = 0x41, '0' = 0x30); F1..F24 follow kF1.
}  // namespace vk

// What the structured messages point to. They live only during the call.
struct PaintEvent {
  Canvas& canvas;   // origin at the window's client origin, clipped to what is to be painted
  Region invalid;   // client coordinates
};

struct WindowPos {
  Rect bounds;      // parent client coordinates; screen coordinates for a top-level window
  bool noMove = false;
  bool noSize = false;
};

struct DroppedFiles {
  Point point;                     // client coordinates of the receiving window
  std::vector<std::string> paths;  // file system paths, byte for byte
};

constexpr LParam packPoint(Point p) {
  return static_cast<LParam>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(p.x)) |
                             (static_cast<std::uint32_t>(static_cast<std::uint16_t>(p.y)) << 16));
}
constexpr Point unpackPoint(LParam l) {
  auto v = static_cast<std::uint32_t>(l);
  return {static_cast<std::int16_t>(v & 0xFFFF), static_cast<std::int16_t>(v >> 16)};
}
constexpr LParam packSize(Size s) { return packPoint({s.width, s.height}); }
constexpr Size unpackSize(LParam l) {
  Point p = unpackPoint(l);
  return {p.x, p.y};
}
// Wheel: the turn in the high word (120 per notch, positive away from the user), mk:: flags low.
constexpr WParam packWheel(int delta, WParam keys) {
  return (static_cast<WParam>(static_cast<std::uint16_t>(delta)) << 16) | (keys & 0xFFFF);
}
constexpr int wheelDelta(WParam w) { return static_cast<std::int16_t>((w >> 16) & 0xFFFF); }

}  // namespace platform::ui
