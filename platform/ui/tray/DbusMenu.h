#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Message.h"
#include "platform/ui/desktop/MenuModel.h"

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GVariant GVariant;
typedef struct _GDBusMethodInvocation GDBusMethodInvocation;
typedef struct _GError GError;

namespace platform::ui::tray {

using Post = std::function<void(std::uint32_t code, WParam wParam, LParam lParam)>;

// A menu model exported as com.canonical.dbusmenu, the form in which a tray icon's menu reaches
// the desktop's panel, which draws it. Items are numbered in menu order from 1 (0 is the root), so
// that the panel's ids stay valid while only marks and texts change. A click on an item posts
// msg::kCommand with its command id; the panel's "about to show" posts msg::kTrayMenuOpening.
// Lives on the thread whose main context the connection dispatches to.
class DbusMenu {
 public:
  static constexpr const char* kPath = "/MenuBar";

  DbusMenu(GDBusConnection* connection, Post post);
  ~DbusMenu();
  bool exported() const { return registration_ != 0; }

  // A menu of the same shape as the last one is sent as changed item properties (marks, texts,
  // enabled states); any other as a new layout.
  void setMenu(const desktop::MenuModel& menu);

  // One item in numbered form; index 0 is the root.
  struct Node {
    const desktop::MenuEntry* entry = nullptr;  // into model_; nullptr for the root
    std::vector<int> children;
  };

 private:
  static void onMethodCall(GDBusConnection*, const char*, const char*, const char*, const char* method,
                           GVariant* parameters, GDBusMethodInvocation* invocation, void* self);
  static GVariant* onGetProperty(GDBusConnection*, const char*, const char*, const char*, const char* name,
                                 GError**, void* self);
  void number();
  GVariant* properties(int id, const std::vector<std::string>& names) const;
  GVariant* layout(int id, int depth, const std::vector<std::string>& names) const;
  bool event(int id, const std::string& kind);
  bool known(int id) const { return id >= 0 && id < static_cast<int>(nodes_.size()); }

  GDBusConnection* connection_;
  Post post_;
  unsigned registration_ = 0;
  std::uint32_t revision_ = 1;
  desktop::MenuModel model_;
  std::vector<Node> nodes_;
};

}  // namespace platform::ui::tray
