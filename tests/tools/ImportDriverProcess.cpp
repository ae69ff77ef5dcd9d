#include "ImportDriverProcess.h"

#include <QProcess>

#include <set>

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

std::vector<std::string> DriverOutcome::progressProblems(const std::vector<std::string>& artboardNames,
                                                         const std::vector<std::string>& masterNames) const
{
    const std::string preparing = "Artboards are preparing for upload...";
    const auto progress = linesStartingWith("progress ");
    if (progress.size() != 1 + 2 * artboardNames.size() + masterNames.size())
        return {std::to_string(progress.size()) + " reports"};
    std::multiset<std::string> texts, expectedTexts{preparing};
    for (const auto& name : artboardNames) expectedTexts.insert({name, name});
    expectedTexts.insert(masterNames.begin(), masterNames.end());
    const double total = 3.0 * static_cast<double>(artboardNames.size()) + static_cast<double>(masterNames.size());
    std::vector<std::string> problems;
    double units = 0;
    for (const auto& line : progress) {
        const std::size_t space = line.find(' ', 9);
        const std::string text = space == std::string::npos ? std::string() : line.substr(space + 1);
        texts.insert(text);
        units += text == preparing ? static_cast<double>(artboardNames.size()) : 1.0;
        const std::string percent = QString::number(units / total * 100.0, 'f', 2).toStdString();
        if (space == std::string::npos || line.substr(9, space - 9) != percent) problems.push_back(line + ": not " + percent);
    }
    if (texts != expectedTexts) problems.push_back("reports of other things than the upload holds");
    if (!progress.back().starts_with("progress 100.00 ")) problems.push_back("the last report is not 100");
    return problems;
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
    return runProgram(executable(), arguments, 15 * 60 * 1000);
}

DriverOutcome ImportDriverProcess::runProgram(const QString& program, const QStringList& arguments, int boundMs)
{
    DriverOutcome outcome;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.start();
    if (!process.waitForStarted()) {
        outcome.errorOutput = process.errorString().toStdString();
        return outcome;
    }
    if (!process.waitForFinished(boundMs)) {
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
