#include "XDExportPlacement.h"

#include "Import/Sketch/GSketchTerminalManager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

std::optional<QString> XDExportPlacement::pluginFolder()
{
    return GSketchTerminalManager::getAdobeXDPluginDataPath();
}

std::optional<QString> XDExportPlacement::place(const QString& source, QString* error)
{
    const auto destination = pluginFolder();
    if (!destination) {
        *error = QStringLiteral("the platform names no Library folder for the XD plug-in");
        return std::nullopt;
    }
    const QFileInfo from(source);
    if (!from.isDir()) {
        *error = source + QStringLiteral(" is not a folder");
        return std::nullopt;
    }
    const QFileInfo to(*destination);
    if (to.exists() && from.canonicalFilePath() == to.canonicalFilePath()) return destination;
    if (to.exists() || to.isSymLink()) {
        *error = QStringLiteral("there is already something at ") + *destination;
        return std::nullopt;
    }
    if (!QDir().mkpath(to.absolutePath())) {
        *error = QStringLiteral("cannot make ") + to.absolutePath();
        return std::nullopt;
    }
    if (!copyTree(from.absoluteFilePath(), *destination, error)) return std::nullopt;
    return destination;
}

bool XDExportPlacement::copyTree(const QString& from, const QString& to, QString* error)
{
    if (!QDir().mkdir(to)) {
        *error = QStringLiteral("cannot make ") + to;
        return false;
    }
    const QDir dir(from);
    const auto entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        bool ok = true;
        if (entry.isSymLink()) {
            // Kept as a link: the importer must see what the plug-in left, links included.
            ok = QFile::link(entry.symLinkTarget(), target);
        } else if (entry.isDir()) {
            if (!copyTree(entry.absoluteFilePath(), target, error)) return false;
        } else if (entry.isFile()) {
            ok = QFile::copy(entry.absoluteFilePath(), target);
        }
        if (!ok) {
            *error = QStringLiteral("cannot copy ") + entry.absoluteFilePath();
            return false;
        }
    }
    return true;
}
