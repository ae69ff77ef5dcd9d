#include "Editor/FontWeight.h"

#include "Base/TextGraphemes.h"

#include <QString>

namespace {
void removeAll(std::string& text, const std::string& part)
{
    for (auto pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos))
        text.erase(pos, part.size());
}
} // namespace

std::string FontWeight::getFontWeightMeasure(const std::string& usage)
{
    std::string measure = usage;
    removeAll(measure, "CTFont");
    removeAll(measure, "Usage");
    return measure;
}

std::string FontWeight::getWeightPrefix(const std::string& usage)
{
    const QStringList characters = TextGraphemes::split(QString::fromStdString(getFontWeightMeasure(usage)));
    QString prefix = QStringLiteral("-");
    if (!characters.isEmpty()) {
        prefix += characters.first().toUpper();
        prefix += characters.mid(1).join(QString()).toLower();
    }
    return prefix.toStdString();
}
