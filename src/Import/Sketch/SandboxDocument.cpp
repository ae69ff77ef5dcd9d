#include "Import/Sketch/SandboxDocument.h"

#include "App/GFileManager.h"

#include <QFileInfo>

SandboxDocument::SandboxDocument(const QString& sketchFilePath, std::string version)
    : sketchFileUrl(sketchFilePath)
    , filePath(QFileInfo(sketchFilePath).fileName())
    , version(std::move(version))
{
    if (const auto storage = GFileManager::getFileStorageURL(filePath)) folderUrl = storage->first;
}
