#include "ImportDriverProcess.h"

#include <QProcess>

std::vector<std::string> DriverOutcome::linesStartingWith(const std::string& prefix) const
{
    std::vector<std::string> found;
    for (const auto& line : lines)
        if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line);
    return found;
}

long DriverOutcome::indexOf(const std::string& line) const
{
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == line) return static_cast<long>(i);
    return -1;
}

std::string DriverOutcome::valueOf(const std::string& prefix) const
{
    for (const auto& line : lines)
        if (line.compare(0, prefix.size(), prefix) == 0) return line.substr(prefix.size());
    return {};
}

QString ImportDriverProcess::executable()
{
    return QStringLiteral(QUORVEX_IMPORT_DRIVER_PATH);
}

QString ImportDriverProcess::sketchToolStandin()
{
    return QStringLiteral(QUORVEX_TOOL_STANDIN_PATH);
}

QStringList ImportDriverProcess::arguments(const QUrl& service, const std::string& projectId, const QString& file,
                                           const QStringList& extra)
{
    QStringList args{QStringLiteral("--service"), service.toString(), QStringLiteral("--email"),
                     QStringLiteral("demo@example.com"), QStringLiteral("--password"), QStringLiteral("demo"),
                     QStringLiteral("--project"), QString::fromStdString(projectId)};
    args += extra;
    args.append(file);
    return args;
}

QStringList ImportDriverProcess::xdArguments(const QUrl& service, const std::string& projectId, const QString& folder,
                                             const QStringList& extra)
{
    QStringList args = arguments(service, projectId, folder, QStringList{QStringLiteral("--xd")} + extra);
    if (folder.isEmpty()) args.removeLast();
    return args;
}

DriverOutcome ImportDriverProcess::run(const QStringList& arguments)
{
    DriverOutcome outcome;
    QProcess process;
    process.setProgram(executable());
    process.setArguments(arguments);
    process.start();
    if (!process.waitForStarted()) {
        outcome.errorOutput = process.errorString().toStdString();
        return outcome;
    }
    constexpr int kBoundMs = 15 * 60 * 1000;
    if (!process.waitForFinished(kBoundMs)) {
        process.kill();
        process.waitForFinished();
        outcome.crashed = true;
    }
    outcome.crashed = outcome.crashed || process.exitStatus() != QProcess::NormalExit;
    outcome.exitCode = process.exitCode();
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) outcome.lines.push_back(line.toStdString());
    outcome.errorOutput = QString::fromUtf8(process.readAllStandardError()).toStdString();
    return outcome;
}
