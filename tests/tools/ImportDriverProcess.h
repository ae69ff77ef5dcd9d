#pragma once

// Runs the import driver (tools/import-driver) as a process and collects what it printed.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <string>
#include <vector>

struct DriverOutcome {
    int exitCode = -1;
    bool crashed = false;
    std::vector<std::string> lines;
    std::string errorOutput;

    std::vector<std::string> linesStartingWith(const std::string& prefix) const;
    std::string lastLine() const { return lines.empty() ? std::string() : lines.back(); }
    // Index of the first line equal to `line`, or -1.
    long indexOf(const std::string& line) const;
    // The rest of the first line that starts with `prefix`, or "" when there is none.
    std::string valueOf(const std::string& prefix) const;
    // What is wrong with the progress lines of a finished upload (empty when nothing is): one
    // report for the accepted import (counting every artboard at once), one per preview, one per
    // artboard and per master once its images are in, each with the percentage so far.
    std::vector<std::string> progressProblems(const std::vector<std::string>& artboardNames,
                                              const std::vector<std::string>& masterNames) const;
};

class ImportDriverProcess {
public:
    static QString executable();
    // The stand-in of Sketch's command-line tool that the export files name.
    static QString sketchToolStandin();

    // The arguments for the stand-in service's demo user.
    static QStringList arguments(const QUrl& service, const std::string& projectId, const QString& file,
                                 const QStringList& extra = {});
    // The same for the Adobe XD road (--xd); an empty folder leaves FOLDER out.
    static QStringList xdArguments(const QUrl& service, const std::string& projectId, const QString& folder,
                                   const QStringList& extra = {});

    // Starts the driver and waits for it to end (a generous bound, so a hung driver fails the
    // test instead of hanging it).
    static DriverOutcome run(const QStringList& arguments);
    // The same for any program, waiting at most `boundMs` (then it is killed and counts as crashed).
    static DriverOutcome runProgram(const QString& program, const QStringList& arguments, int boundMs);
};
