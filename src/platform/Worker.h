#pragma once

#include <functional>

namespace platform {

// Runs `work` on a worker thread of the process's pool. The work must touch nothing the main
// thread uses (no widgets, no singletons, no localised texts, no debug capture): it hands its
// results back with dispatchMain. An exception thrown by `work` is logged and stops there.
void runOnWorker(std::function<void()> work);

} // namespace platform
