#include "Editor/ReservedWordsFile.h"

#include "platform/JsonText.h"
#include "platform/Paths.h"

#include <QFile>

QString ReservedWordsFile::path(ProgrammingLanguage language)
{
    const QString name = language == ProgrammingLanguage::swift ? QStringLiteral("swift") : QStringLiteral("kotlin");
    return platform::resourceDirectory() + QStringLiteral("/languages/reserved/") + name + QStringLiteral(".json");
}

void ReservedWordsFile::read(const std::optional<QString>& file, std::map<std::string, std::string>& reservedKeys)
{
    if (!file) return;
    QFile input(*file);
    if (!input.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = input.readAll();
    const auto object = platform::parseJsonObject(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!object) return;
    std::map<std::string, std::string> words;
    for (const auto& member : *object) {
        if (!member.value().is_string()) return;
        const auto& value = member.value().get_string();
        words.insert_or_assign(std::string(member.key()), std::string(value.data(), value.size()));
    }
    reservedKeys = std::move(words);
}
