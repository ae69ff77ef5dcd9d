#include "Import/Sketch/SandboxDocument.h"

#include "App/GFileManager.h"

#include <QFileInfo>

SandboxDocument::SandboxDocument(const QString& sketchFilePath, std::string documentVersion)
    : sketchFileUrl(sketchFilePath)
    , filePath(QFileInfo(sketchFilePath).fileName())
    , version(std::move(documentVersion))
{
    if (const auto storage = GFileManager::getFileStorageURL(filePath)) folderUrl = storage->first;
}
