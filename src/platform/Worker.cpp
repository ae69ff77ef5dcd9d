#include "platform/Worker.h"

#include <QThreadPool>

#include <cstdio>
#include <exception>

namespace platform {

void runOnWorker(std::function<void()> work)
{
    QThreadPool::globalInstance()->start([work = std::move(work)] {
        // Not debugPrint: its capture belongs to the main thread.
        try {
            if (work) work();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "Background work failed: %s\n", e.what());
        } catch (...) {
            std::fprintf(stderr, "Background work failed\n");
        }
    });
}

} // namespace platform
