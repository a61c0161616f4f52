#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "platform/wave/Format.h"
#include "platform/wave/Header.h"

namespace platform::wave {

// Buffers written to a sink that is not real time before its thread is woken (the engine keeps a
// ring of twelve in flight, so a render wakes the thread once per ring), and how long the thread
// waits for the rest of a batch before it takes what has come.
constexpr std::uint32_t kWriteBatch = 12;
constexpr std::chrono::microseconds kBatchWait(2000);

// What an open device shares between its callers and its own thread; every field is guarded by
// `mutex`. Shared by ownership so that a device thread given up by close() can finish safely.
struct OutputState {
  std::mutex mutex;
  std::condition_variable wake;    // the device thread sleeps on it
  std::condition_variable answer;  // callers wait on it for open, reset and close

  std::string device;
  Format format;
  DoneCallback callback = nullptr;
  void* instance = nullptr;
  std::thread::id threadId;

  bool opened = false;
  std::string openError;

  // Written buffers in order, linked through Header::next. `cursor` is the first one not yet
  // fully handed to the sink, `cursorOffset` how much of it was.
  Header* head = nullptr;
  Header* tail = nullptr;
  Header* cursor = nullptr;
  std::uint32_t cursorOffset = 0;

  // For a sink that is not real time, write() wakes the thread only once `unfedWrites` reaches a
  // batch, or when the thread has nothing at all to do (`idle`); a short timed wait picks up
  // what a writer that paused left behind.
  bool batchWrites = false;
  bool idle = false;
  std::uint32_t unfedWrites = 0;

  bool pauseWanted = false;
  std::uint64_t resetsRequested = 0;
  std::uint64_t resetsDone = 0;
  bool closeRequested = false;
  bool finished = false;
  // close() stopped waiting: the thread must not touch the caller's buffers any more.
  bool abandoned = false;
  std::string failure;
  // Set with `failure`, read without the mutex: a player asks for every chunk it queues.
  std::atomic<bool> failed{false};
};

// The body of a device's thread: opens the sink, then feeds it and completes buffers until closed.
void runOutput(std::shared_ptr<OutputState> state);

}  // namespace platform::wave
