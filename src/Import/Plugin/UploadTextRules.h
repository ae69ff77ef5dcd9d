#pragma once

#include <QImage>
#include <QString>

#include <optional>

// Texts made on the way to the service: images as Base64 PNG and cleaned file and image names.
class UploadTextRules {
public:
    UploadTextRules() = delete;

    // The image as PNG in standard Base64 on one line; nullopt for an image without pixels or
    // one that cannot be encoded.
    static std::optional<QString> base64String(const QImage& image);

    // Keeps only the ASCII letters and digits and "." (whole user-perceived characters: a letter
    // with a combining accent is dropped, not reduced to its base letter). May be empty.
    static QString strippedOnlyAlphaNumericAndDot(const QString& text);
    // The same with "_" in place of ".".
    static QString imageNameStripped(const QString& text);

    // The name under which the zipped design document is uploaded: the cleaned archive name, with
    // the fixed stem "design" when cleaning leaves no stem (".zip" becomes "design.zip"; nothing
    // or only dots becomes "design.zip"), so the service never stores a nameless or hidden file.
    static QString designArchiveUploadName(const QString& archiveFileName);
};
