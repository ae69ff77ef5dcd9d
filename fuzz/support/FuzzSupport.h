#pragma once

// What the harnesses share: an application object, a private scratch folder, and splitting one
// input into the several files a harness lays out.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace fuzz {

// Once per process: a QCoreApplication (a QGuiApplication on the offscreen platform when `gui`),
// Qt's test mode for standard paths, and HOME inside the scratch folder, so that nothing a harness
// reaches writes outside that folder.
void initialise(bool gui = false);

// A folder of this process, removed at exit.
const QString& scratchDir();

// Replaces `path` with the bytes; false when it cannot be written.
bool writeFile(const QString& path, std::string_view bytes);

// Empties a folder below the scratch folder (and creates it).
void resetFolder(const QString& path);

inline std::string_view view(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at every "\n@@\n" into at most `maxParts` parts (the last part keeps the rest).
// Seeds are written the same way, so the fuzzer mutates each file of a layout on its own.
std::vector<std::string_view> splitParts(std::string_view input, std::size_t maxParts);

} // namespace fuzz
