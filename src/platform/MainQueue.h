#pragma once

#include <functional>

namespace platform {

// Runs `work` on the main thread on a later turn of its event loop, never synchronously,
// even when called from the main thread. Safe to call from any thread. An exception thrown by
// `work` is logged and stops there. Without an application object the work is dropped.
void dispatchMain(std::function<void()> work);

// Runs `work` on the main thread after `milliseconds`. Safe to call from any thread.
void dispatchMainAfter(int milliseconds, std::function<void()> work);

// Processes main-thread events until `done` answers true or `timeoutMs` passes; answers done().
// For tests and command-line tools only; the application never blocks its event loop.
bool runMainLoopUntil(const std::function<bool()>& done, int timeoutMs);

} // namespace platform
