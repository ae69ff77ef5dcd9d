// editor-driver --service URL --email E --password P --project ID --artboard OID [--zoom Z]
//               [--timeout S] [--pause S] ACTION...
//
// Signs in, opens the screen in the editor offscreen as a double click on its thumbnail does,
// waits for the detail and the preview, applies the zoom, then performs each action on the
// canvas's document widget (points in that widget's pixels at the chosen zoom; fractions such as
// 22,1223.6575 are sent as they are):
//   click X,Y   cmd-click X,Y   band X1,Y1,X2,Y2   right-click X,Y   hover X,Y
// After each action it prints "selection OID ...", one "outline OID X Y W H" per outlined view
// and "border X Y W H" (canvas units, unzoomed), and "menu TITLE" when the action opened a menu;
// then "finished". --pause S waits S seconds after each action, to look at the canvas on a display.
// A reply the driver waits for that fails, or that does not come within --timeout, ends the run
// at once with "failed WHAT: WHY" (WHAT names the step, WHY the error the application would have
// shown, or the time limit); so does the application signing out (the service refused the
// session), whenever it happens. Each dialog the application shows is printed to standard error
// as it comes, as "[dialog] TITLE: TEXT".
// Exit status: 0 done, 1 a failure, 64 bad arguments.
// Actions on the side pages (SidePageActions.h): search TEXT, rows R,R,..., row-menu R,
// delete-instance R, colors SCOPE TEXT, text-styles SCOPE TEXT.
// The session and the settings live in a private home folder removed at the end.

#include "EditorDriver.h"

#include "platform/HttpSession.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {
void printLine(std::FILE* to, const QString& line)
{
    std::fprintf(to, "%s\n", line.toLocal8Bit().constData());
    std::fflush(to);
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    QString problem;
    const auto options = EditorDriver::parse(arguments, &problem);
    if (!options) {
        std::fprintf(stderr, "editor-driver: %s\nusage: editor-driver --service URL --email E --password P "
                             "--project ID --artboard OID [--zoom Z] [--timeout S] ACTION...\n",
                     problem.toLocal8Bit().constData());
        return EditorDriver::kBadArguments;
    }
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "editor-driver: cannot make a private home folder\n");
        return EditorDriver::kFailed;
    }
    platform::usePrivateHome(home.path());
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("editor-driver"));
    int status = EditorDriver::kFailed;
    {
        EditorDriver driver(
            *options, [](const QString& line) { printLine(stdout, line); },
            [](const QString& line) { printLine(stderr, line); });
        status = driver.run();
        if (driver.timedOut()) {
            // Requests may still be in flight; nobody needs them taken down one by one.
            std::fflush(stdout);
            home.remove();
            std::_Exit(status);
        }
    }
    platform::HttpSession::shared().shutdown();
    return status;
}
