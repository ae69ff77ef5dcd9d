#include "Import/Plugin/UploadTextRules.h"

#include "Base/TextGraphemes.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>

namespace {

bool isAsciiAlphaNumeric(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
}

QString keepOnly(const QString& text, QChar extra)
{
    QString result;
    result.reserve(text.size());
    for (const QString& character : TextGraphemes::split(text)) {
        // a kept character is exactly one ASCII code unit; anything composed is dropped whole
        if (character.size() != 1) continue;
        const QChar c = character.at(0);
        if (isAsciiAlphaNumeric(c) || c == extra) result.append(c);
    }
    return result;
}

} // namespace

std::optional<QString> UploadTextRules::base64String(const QImage& image)
{
    if (image.isNull()) return std::nullopt;
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) return std::nullopt;
    return QString::fromLatin1(png.toBase64());
}

QString UploadTextRules::strippedOnlyAlphaNumericAndDot(const QString& text)
{
    return keepOnly(text, QLatin1Char('.'));
}

QString UploadTextRules::imageNameStripped(const QString& text)
{
    return keepOnly(text, QLatin1Char('_'));
}

QString UploadTextRules::designArchiveUploadName(const QString& archiveFileName)
{
    const QString cleaned = strippedOnlyAlphaNumericAndDot(archiveFileName);
    qsizetype leadingDots = 0;
    while (leadingDots < cleaned.size() && cleaned.at(leadingDots) == QLatin1Char('.')) ++leadingDots;
    if (leadingDots == cleaned.size()) return QStringLiteral("design.zip");
    if (leadingDots == 0) return cleaned;
    // a name whose stem was all non-ASCII keeps its extension behind a fixed stem
    return QStringLiteral("design.") + cleaned.mid(leadingDots);
}
