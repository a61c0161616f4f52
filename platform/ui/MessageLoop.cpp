#include "platform/ui/MessageLoop.h"

#include <algorithm>

#include "platform/ui/Compositor.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/UiThreadState.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

MessageLoop::Clock::time_point MessageLoop::now() const {
  if (manual_.load()) return Clock::time_point(Clock::duration(manualNow_.load()));
  return Clock::now();
}

void MessageLoop::useManualClock() {
  manualNow_ = Clock::now().time_since_epoch().count();
  manual_ = true;
}

void MessageLoop::advanceClock(std::chrono::milliseconds by) {
  manualNow_ += std::chrono::duration_cast<Clock::duration>(by).count();
  if (MessageQueue* queue = MessageQueue::currentIfAny()) queue->wake();
}

void MessageLoop::postQuit(int exitCode) {
  UiThreadState& ts = ws_.state();
  ts.quit = true;
  ts.quitCode = exitCode;
  MessageQueue::current()->wake();
}

bool MessageLoop::setTimer(Handle w, unsigned id, unsigned milliseconds) {
  UiThreadState& ts = ws_.state();
  auto due = now() + std::chrono::milliseconds(milliseconds);
  for (auto& t : ts.timers)
    if (t.window == w && t.id == id) {
      t.interval = milliseconds;
      t.due = due;
      return true;
    }
  ts.timers.push_back({w, id, milliseconds, due});
  MessageQueue::current()->wake();
  return true;
}

bool MessageLoop::killTimer(Handle w, unsigned id) {
  UiThreadState& ts = ws_.state();
  auto before = ts.timers.size();
  std::erase_if(ts.timers, [&](const UiThreadState::Timer& t) { return t.window == w && t.id == id; });
  return ts.timers.size() != before;
}

void MessageLoop::dropTimersOf(Handle w) {
  std::erase_if(ws_.state().timers, [&](const UiThreadState::Timer& t) { return t.window == w; });
}

bool MessageLoop::fireTimer(Message& out, std::optional<Clock::time_point>& nextDue) {
  UiThreadState& ts = ws_.state();
  auto current = now();
  UiThreadState::Timer* due = nullptr;
  for (auto& t : ts.timers)
    if (t.due <= current && (!due || t.due < due->due)) due = &t;
  if (due) {
    // No catching up: a timer that fell behind fires once and starts a new interval.
    due->due = current + std::chrono::milliseconds(due->interval);
    out = {due->window, msg::kTimer, due->id, 0};
    return true;
  }
  // On the manual clock no real deadline applies: only advanceClock makes a timer due.
  if (manual_.load()) return false;
  for (auto& t : ts.timers)
    if (!nextDue || t.due < *nextDue) nextDue = t.due;
  return false;
}

bool MessageLoop::next(Message& out, bool wait) {
  auto queue = MessageQueue::current();
  UiThreadState& ts = ws_.state();
  for (;;) {
    queue->serveCalls();
    if (ts.quit) {
      ts.quit = false;
      out = {kNoWindow, msg::kQuit, static_cast<WParam>(ts.quitCode), 0};
      return true;
    }
    MessageQueue::Item item;
    bool gotMessage = false;
    while (queue->take(item)) {
      if (item.input) {
        InputRouter(ws_).handle(*item.input);
        queue->serveCalls();
        continue;
      }
      if (item.message.code != msg::kQuit && !ws_.exists(item.message.window)) continue;
      out = item.message;
      gotMessage = true;
      break;
    }
    if (gotMessage) return true;
    std::optional<Clock::time_point> nextDue;
    if (fireTimer(out, nextDue)) return true;
    if (Compositor(ws_).paintPending()) continue;
    if (!wait) return false;
    queue->wait(nextDue);
  }
}

}  // namespace platform::ui
