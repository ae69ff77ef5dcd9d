#include "CodePreferences/CodeFolderListing.h"

#include "Editor/DirectoryDTO.h"

namespace {

bool search(const DirectoryDTO& directory, const std::string& absolutePath, int depth, int maxDepth,
            CodeFolderListing::Found& found)
{
    for (const auto& file : directory.files) {
        if (!file) continue;
        found.anyFile = true;
        if (file->absolutePath == absolutePath) {
            found.file = file;
            return true;
        }
    }
    if (depth >= maxDepth) return false;
    for (const auto& sub : directory.directories) {
        if (sub && search(*sub, absolutePath, depth + 1, maxDepth, found)) return true;
    }
    return false;
}

} // namespace

CodeFolderListing CodeFolderListing::of(const DirectoryDTO& directory, bool withFolders, std::size_t maxEntries)
{
    CodeFolderListing listing;
    for (const auto& file : directory.files) {
        if (!file) continue;
        if (listing.files.size() < maxEntries) listing.files.push_back(file);
        else ++listing.notListed;
    }
    if (!withFolders) return listing;
    for (const auto& sub : directory.directories) {
        if (!sub) continue;
        if (listing.files.size() + listing.folders.size() < maxEntries) listing.folders.push_back(sub);
        else ++listing.notListed;
    }
    return listing;
}

CodeFolderListing::Found CodeFolderListing::findFile(const DirectoryDTO& root, const std::string& absolutePath,
                                                     int maxDepth)
{
    Found found;
    search(root, absolutePath, 0, maxDepth, found);
    return found;
}
