#include "Editor/ProgrammingClass.h"

#include "Base/TextGraphemes.h"

#include <QString>

#include <algorithm>

namespace {
constexpr std::array<std::string_view, ProgrammingClass::kCaseCount> kRawValues = {
    "_button",   "_imageView", "_label",          "_searchBar",     "_switch",
    "_textField", "_textView", "_view",           "_control",       "_viewController",
    "_tableViewCell", "_collectionViewCell", "_tableView", "_collectionView",
};
} // namespace

const std::array<ProgrammingClass, ProgrammingClass::kCaseCount>& ProgrammingClass::allCases()
{
    static const std::array<ProgrammingClass, kCaseCount> cases = {
        _button, _imageView, _label, _searchBar, _switch, _textField, _textView,
        _view, _control, _viewController, _tableViewCell, _collectionViewCell, _tableView, _collectionView,
    };
    return cases;
}

std::optional<ProgrammingClass> ProgrammingClass::fromRawValue(std::string_view raw)
{
    for (std::size_t i = 0; i < kRawValues.size(); ++i) {
        if (kRawValues[i] == raw) return ProgrammingClass(static_cast<Case>(i));
    }
    return std::nullopt;
}

std::string ProgrammingClass::rawValue() const
{
    return std::string(kRawValues[static_cast<std::size_t>(m_value)]);
}

std::string ProgrammingClass::getKey() const
{
    std::string key = rawValue();
    std::erase(key, '_');
    return key;
}

std::string ProgrammingClass::getRawValue() const
{
    std::string key = getKey();
    // the keys are ASCII
    if (!key.empty() && key[0] >= 'a' && key[0] <= 'z') key[0] = static_cast<char>(key[0] - 'a' + 'A');
    return "UI" + key;
}

std::string ProgrammingClass::getKeyFrom(const std::string& value)
{
    // Printable ASCII splits into one grapheme per character (only controls such as CR LF join),
    // so class names, nearly always plain ASCII, skip the text segmentation on every mapped view.
    if (std::all_of(value.begin(), value.end(), [](char c) { return c >= 0x20 && c <= 0x7e; })) {
        std::string key = "_";
        if (value.size() > 2) {
            const char first = value[2];
            key += first >= 'A' && first <= 'Z' ? static_cast<char>(first - 'A' + 'a') : first;
            key.append(value, 3, std::string::npos);
        }
        return key;
    }
    const QStringList characters = TextGraphemes::split(QString::fromStdString(value));
    QString key = QStringLiteral("_");
    if (characters.size() > 2) {
        key += characters.at(2).toLower();
        key += characters.mid(3).join(QString());
    }
    return key.toStdString();
}
