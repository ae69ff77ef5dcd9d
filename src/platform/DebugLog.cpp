#include "platform/DebugLog.h"

#include <QLoggingCategory>

#include <mutex>

Q_LOGGING_CATEGORY(lcQuorvexDebug, "quorvex.debug")

namespace platform {
namespace {
struct Capture {
    std::mutex mutex;
    std::function<void(const QString&)> function;
};
Capture& capture()
{
    static Capture c;
    return c;
}
} // namespace

void debugPrint(const QString& line)
{
    qCInfo(lcQuorvexDebug).noquote() << line;
    std::function<void(const QString&)> f;
    {
        // Copied out so a capture may itself print without dead-locking.
        std::lock_guard lock(capture().mutex);
        f = capture().function;
    }
    if (f) f(line);
}

void debugPrint(std::string_view line)
{
    debugPrint(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
}

void setDebugCapture(std::function<void(const QString&)> f)
{
    std::lock_guard lock(capture().mutex);
    capture().function = std::move(f);
}

} // namespace platform
