#pragma once

#include <QString>

#include <optional>
#include <string>

// Where the data folder keeps the copy of a document named by the export file. Only used to fill
// the informational location of exportable image records.
class SandboxDocument {
public:
    SandboxDocument(const QString& sketchFilePath, std::string version);

    std::optional<QString> sketchFileUrl; // the path it was made from
    std::optional<QString> folderUrl;     // the copy in the data folder; nullopt without a data folder
    QString filePath;                     // the file name of sketchFileUrl
    std::string version;
};
