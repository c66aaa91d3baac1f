#pragma once
// Calls into the main thread for the media components, on top of TMainThread.
#include <atomic>
#include <functional>

namespace tovrel {

// Process-wide switch: True at start; when off, CallInMainThread runs the call
// in the calling thread.
extern std::atomic<bool> SyncToMainThread;

// From a worker (with the switch on): runs `method` in the main thread and
// blocks until it has run; an exception it throws is rethrown here. Anywhere
// else: runs it at once.
void CallInMainThread(const std::function<void()>& method);

// Runs the main-thread calls queued so far; does nothing on another thread.
void ProcessPendingMessages();

} // namespace tovrel
