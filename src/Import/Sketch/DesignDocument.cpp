#include "Import/Sketch/DesignDocument.h"

#include <QDir>
#include <QFileInfo>

#include <atomic>

namespace {

QString withoutExtension(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0) return path;
    return path.left(path.size() - (name.size() - dot));
}

// Documents are made on the loader's worker thread.
quint64 nextProcessGroup()
{
    static std::atomic<quint64> next{0};
    return ++next;
}

} // namespace

DesignDocument::DesignDocument(const QString& copyPath, std::string documentVersion)
    : DesignDocument(copyPath, withoutExtension(copyPath), std::move(documentVersion))
{
}

DesignDocument::DesignDocument(const QString& copyPath, const QString& unpackedFolderPath, std::string documentVersion)
    : folderPath(unpackedFolderPath)
    , filePath(QFileInfo(copyPath).fileName())
    , version(std::move(documentVersion))
    , processGroup(nextProcessGroup())
{
}

QString DesignDocument::storedCopyPath() const
{
    return QFileInfo(folderPath).dir().filePath(filePath);
}
