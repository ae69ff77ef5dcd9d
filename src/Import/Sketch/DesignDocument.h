#pragma once

#include <QString>

#include <string>

// Where the copy of a Sketch document that one upload run reads lies in the data folder.
// Shared by the loader and the cuts of one run.
class DesignDocument {
public:
    // From the copy's path: the unpacked folder is that path without its extension.
    DesignDocument(const QString& copyPath, std::string version);
    // From the copy's path and the folder it was actually unpacked into.
    DesignDocument(const QString& copyPath, const QString& unpackedFolderPath, std::string version);

    QString folderPath;  // the unpacked document
    QString filePath;    // the copy's file name, with extension
    std::string version; // the export file's version; empty when it named none
    // Tags the tool runs of this document's run, so a failed run can end them (never 0).
    quint64 processGroup;

    // The stored copy itself: the folder that contains folderPath, followed by filePath. This is
    // the file the cuts read and the archive is made from, never the user's own document.
    QString storedCopyPath() const;
};
