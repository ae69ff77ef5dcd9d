#include "platform/Localization.h"

#include "platform/DebugLog.h"
#include "platform/JsonText.h"
#include "platform/Paths.h"

#include <QFile>
#include <QHash>

#include <optional>

namespace platform {
namespace {

constexpr qint64 kMaxTableBytes = 16LL * 1024 * 1024;

std::optional<QHash<QString, QString>>& table()
{
    static std::optional<QHash<QString, QString>> t;
    return t;
}

QHash<QString, QString> loadTable()
{
    QHash<QString, QString> result;
    const QString path = resourceDirectory() + QStringLiteral("/Localizable.json");
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        debugPrint(QStringLiteral("Localizable texts not found at ") + path);
        return result;
    }
    const QByteArray bytes = f.read(kMaxTableBytes);
    std::string error;
    const auto object = parseJsonObject(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &error);
    if (!object) {
        debugPrint(QStringLiteral("Localizable texts unreadable: ") + QString::fromStdString(error));
        return result;
    }
    for (const auto& kv : *object) {
        if (!kv.value().is_string()) continue;
        const auto& text = kv.value().get_string();
        result.insert(QString::fromUtf8(kv.key().data(), static_cast<qsizetype>(kv.key().size())),
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    return result;
}

const QHash<QString, QString>& loadedTable()
{
    if (!table()) table() = loadTable();
    return *table();
}

} // namespace

QString localized(const char* key)
{
    const QString k = QString::fromUtf8(key ? key : "");
    const auto& t = loadedTable();
    const auto it = t.constFind(k);
    return it == t.constEnd() ? k : it.value();
}

QString localizedFormat(const char* key, const QStringList& arguments)
{
    const QString format = localized(key);
    QString out;
    out.reserve(format.size());
    qsizetype next = 0;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('%') || i + 1 >= n) {
            out.append(c);
            continue;
        }
        const QChar d = format.at(i + 1);
        if (d == QLatin1Char('@')) {
            if (next < arguments.size()) out.append(arguments.at(next));
            ++next;
            ++i;
            continue;
        }
        if (d == QLatin1Char('%')) {
            out.append(QLatin1Char('%'));
            ++i;
            continue;
        }
        // "%<n>$@": the n-th argument (1-based).
        qsizetype j = i + 1;
        qsizetype index = 0;
        while (j < n && format.at(j).isDigit() && index < 10000) {
            index = index * 10 + format.at(j).digitValue();
            ++j;
        }
        if (j > i + 1 && j + 1 < n && format.at(j) == QLatin1Char('$') && format.at(j + 1) == QLatin1Char('@')) {
            if (index >= 1 && index <= arguments.size()) out.append(arguments.at(index - 1));
            i = j + 1;
            continue;
        }
        out.append(c);
    }
    return out;
}

void reloadLocalization()
{
    table().reset();
}

QString shortenedForDisplay(const QString& text, qsizetype maxChars)
{
    if (maxChars <= 0 || text.size() <= maxChars) return text;
    qsizetype cut = maxChars;
    // Never half a surrogate pair.
    if (text.at(cut).isLowSurrogate()) --cut;
    return localizedFormat("common.textShortened", {text.left(cut), QString::number(text.size() - cut)});
}

} // namespace platform
