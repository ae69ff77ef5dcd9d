// import-driver --service URL --email E --password P --project ID [--answer continue|cancel]
//               [--timeout SECONDS] [--stats] [--home DIR] FILE
// import-driver --xd [--ws-port N] [--message TEXT] --service URL ... [--home DIR] [FOLDER]
//
// Runs the application's import road for FILE without a screen and prints one line per event:
//   plugin-folder PATH       --xd: where the plug-in's data folder is (before anything else)
//   channel LINE             --xd: what the application's plug-in channel said about the message
//   progress PERCENT TEXT    each progress report the progress screen showed
//   dialog TEXT | INFO [-> BUTTON]   each dialog the user would have seen (answered by script)
//   finished | cancelled | failed MESSAGE | timeout ...
//   stats ...                with --stats: time from hand-off to 100, processor time, peak memory
// Exit status: 0 the progress screen finished at 100; 1 the run failed or was cancelled (or the
// road stopped before it); 2 time-out; 64 bad arguments.
//
// With --xd the hand-off is the Adobe XD plug-in's: FOLDER (an export as the plug-in writes it)
// is copied to the plug-in's data folder, the application's plug-in channel listens on port N
// (0, the default: any free port) and the start message (or TEXT) is sent to it over a WebSocket
// connection. Without FOLDER the plug-in's data folder is taken as the home holds it.
//
// The session, the copied documents and the settings live in a private home folder that is
// removed at the end, so a run never touches the user's own files. --home DIR runs in DIR
// instead and leaves it as the run left it (to see what an upload left on disk).

#include "ImportDriver.h"

#include "Base/ServiceAddress.h"
#include "platform/HttpSession.h"
#include "platform/MemoryPolicy.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

constexpr int kUsage = 64;

void printLine(const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int usage(const QString& problem)
{
    std::fprintf(stderr, "import-driver: %s\n", problem.toLocal8Bit().constData());
    std::fprintf(stderr, "usage: import-driver --service URL --email E --password P --project ID "
                         "[--answer continue|cancel] [--timeout SECONDS] [--stats] [--home DIR] FILE\n"
                         "       import-driver --xd [--ws-port N] [--message TEXT] --service URL --email E "
                         "--password P --project ID [...] [FOLDER]\n");
    return kUsage;
}

// Parsed by hand: the options must be known before the application object exists, because the
// private home folder has to be in place before Qt reads its environment.
std::optional<ImportDriver::Options> parse(const QStringList& arguments, QString* problem)
{
    ImportDriver::Options options;
    bool haveService = false, haveEmail = false, havePassword = false, haveProject = false;
    QString xdOnly; // an option of the XD road, when one was given
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        auto value = [&](QString& out) {
            if (i + 1 >= arguments.size()) {
                *problem = argument + QStringLiteral(" needs a value");
                return false;
            }
            out = arguments[++i];
            return true;
        };
        QString text;
        if (argument == QLatin1String("--service")) {
            if (!value(text)) return std::nullopt;
            options.service = QUrl(text);
            if (!ServiceAddress::isAllowed(options.service)) {
                *problem = QStringLiteral("--service takes an https URL (http only for this machine)");
                return std::nullopt;
            }
            haveService = true;
        } else if (argument == QLatin1String("--email")) {
            if (!value(options.email)) return std::nullopt;
            haveEmail = true;
        } else if (argument == QLatin1String("--password")) {
            if (!value(options.password)) return std::nullopt;
            havePassword = true;
        } else if (argument == QLatin1String("--project")) {
            if (!value(text)) return std::nullopt;
            options.projectId = text.toStdString();
            haveProject = true;
        } else if (argument == QLatin1String("--answer")) {
            if (!value(text)) return std::nullopt;
            if (text != QLatin1String("continue") && text != QLatin1String("cancel")) {
                *problem = QStringLiteral("--answer takes continue or cancel");
                return std::nullopt;
            }
            options.answerContinue = text == QLatin1String("continue");
        } else if (argument == QLatin1String("--timeout")) {
            if (!value(text)) return std::nullopt;
            bool ok = false;
            options.timeoutSeconds = text.toInt(&ok);
            if (!ok || options.timeoutSeconds <= 0) {
                *problem = QStringLiteral("--timeout takes a positive number of seconds");
                return std::nullopt;
            }
        } else if (argument == QLatin1String("--stats")) {
            options.stats = true;
        } else if (argument == QLatin1String("--xd")) {
            options.xd = true;
        } else if (argument == QLatin1String("--ws-port")) {
            if (!value(text)) return std::nullopt;
            bool ok = false;
            const uint port = text.toUInt(&ok);
            if (!ok || port > 65535) {
                *problem = QStringLiteral("--ws-port takes a port number (0: any free one)");
                return std::nullopt;
            }
            options.wsPort = static_cast<quint16>(port);
            xdOnly = argument;
        } else if (argument == QLatin1String("--message")) {
            QString message;
            if (!value(message)) return std::nullopt;
            options.message = message;
            xdOnly = argument;
        } else if (argument == QLatin1String("--home")) {
            if (!value(text)) return std::nullopt;
            const QFileInfo home(text);
            if (!home.isDir()) {
                *problem = QStringLiteral("--home takes an existing folder");
                return std::nullopt;
            }
            options.home = home.absoluteFilePath();
        } else if (argument.startsWith(QLatin1String("--"))) {
            *problem = QStringLiteral("unknown option ") + argument;
            return std::nullopt;
        } else if (options.file.isEmpty()) {
            options.file = QFileInfo(argument).absoluteFilePath();
        } else {
            *problem = QStringLiteral("only one FILE");
            return std::nullopt;
        }
    }
    if (!haveService || !haveEmail || !havePassword || !haveProject || (options.file.isEmpty() && !options.xd)) {
        *problem = QStringLiteral("--service, --email, --password, --project and FILE are required");
        return std::nullopt;
    }
    if (!options.xd && !xdOnly.isEmpty()) {
        *problem = xdOnly + QStringLiteral(" belongs to --xd");
        return std::nullopt;
    }
    if (options.xd && !options.file.isEmpty() && !QFileInfo(options.file).isDir()) {
        *problem = QStringLiteral("--xd takes the plug-in's export folder as FOLDER");
        return std::nullopt;
    }
    return options;
}


} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    QString problem;
    const std::optional<ImportDriver::Options> options = parse(arguments, &problem);
    if (!options) return usage(problem);

    // Only a home of our own is removed at the end.
    std::optional<QTemporaryDir> privateHome;
    if (options->home.isEmpty()) {
        privateHome.emplace();
        if (!privateHome->isValid()) {
            std::fprintf(stderr, "import-driver: cannot make a private home folder\n");
            return ImportDriver::kFailed;
        }
    }
    platform::usePrivateHome(privateHome ? privateHome->path() : options->home);
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    platform::useSystemPagesForLargeBlocks();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("import-driver"));
    int status = ImportDriver::kFailed;
    {
        ImportDriver driver(*options, printLine);
        status = driver.run();
        if (status == ImportDriver::kTimedOut) {
            // The road was abandoned half-way: requests and tool runs are still in flight, and
            // taking each of them down is no use to anybody. Leave at once.
            std::fflush(stdout);
            std::fflush(stderr);
            // Child processes are not ours to leave behind, though.
            platform::ProcessRunner::shared().terminateAll();
            if (privateHome) privateHome->remove();
            std::_Exit(status);
        }
    }
    platform::HttpSession::shared().shutdown();
    return status;
}
