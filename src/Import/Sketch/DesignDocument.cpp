#include "Import/Sketch/DesignDocument.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString withoutExtension(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0) return path;
    return path.left(path.size() - (name.size() - dot));
}

} // namespace

DesignDocument::DesignDocument(const QString& copyPath, std::string version)
    : DesignDocument(copyPath, withoutExtension(copyPath), std::move(version))
{
}

DesignDocument::DesignDocument(const QString& copyPath, const QString& unpackedFolderPath, std::string version)
    : folderPath(unpackedFolderPath)
    , filePath(QFileInfo(copyPath).fileName())
    , version(std::move(version))
{
}

QString DesignDocument::storedCopyPath() const
{
    return QFileInfo(folderPath).dir().filePath(filePath);
}
