// The ".zvusk" export file reader: XML and binary property lists (the library decides by the
// first bytes), their conversion to JSON and the tolerant mapping into the export record.

#include "Import/Sketch/SketchDesignImporter.h"
#include "support/FuzzSupport.h"

#include <QDir>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::initialise();
    static const QString path = QDir(fuzz::scratchDir()).filePath(QStringLiteral("export.zvusk"));
    if (!fuzz::writeFile(path, fuzz::view(data, size))) return 0;
    QString error;
    const auto document = SketchDesignImporter::readExportFile(path, &error);
    // A refusal always says why; an accepted record always names its document.
    if (!document && error.isEmpty()) __builtin_trap();
    if (document && document->sketchFilePath.empty()) __builtin_trap();
    return 0;
}
