#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct DirectoryDTO;
struct FileDTO;

// What the code tab's menu of one folder lists: its files, then its sub-folders (absent entries
// of the reply skipped), at most a given number, and how many were left out. Also finds the file
// the reply selects without listing anything.
struct CodeFolderListing {
    std::vector<std::shared_ptr<FileDTO>> files;
    std::vector<std::shared_ptr<DirectoryDTO>> folders;
    std::size_t notListed = 0;

    // `withFolders` false lists the files only (a folder at the depth limit).
    static CodeFolderListing of(const DirectoryDTO& directory, bool withFolders, std::size_t maxEntries);

    struct Found {
        std::shared_ptr<FileDTO> file; // the first in menu order whose absolutePath matches
        bool anyFile = false;          // some file lies within the depth limit
    };
    // Searches `root` and its sub-folders down to `maxDepth` (the root is depth 0; the files of
    // a folder at maxDepth are searched, its sub-folders are not).
    static Found findFile(const DirectoryDTO& root, const std::string& absolutePath, int maxDepth);
};
