#pragma once

#include "Base/JsonMapping.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The class kinds of views. The raw value of a kind is its case name ("_imageView"); the key drops
// the underscores ("imageView"); the class name is "UI" and the key with a capital ("UIImageView").
class ProgrammingClass {
public:
    enum Case {
        _button,
        _imageView,
        _label,
        _searchBar,
        _switch,
        _textField,
        _textView,
        _view,
        _control,
        _viewController,
        _tableViewCell,
        _collectionViewCell,
        _tableView,
        _collectionView,
    };
    static constexpr std::size_t kCaseCount = 14;

    constexpr ProgrammingClass(Case value = _view) noexcept
        : m_value(value)
    {
    }
    constexpr Case value() const noexcept { return m_value; }
    friend constexpr bool operator==(ProgrammingClass a, ProgrammingClass b) noexcept { return a.m_value == b.m_value; }

    static const std::array<ProgrammingClass, kCaseCount>& allCases();
    // Any text that is not the raw value of a kind gives no kind.
    static std::optional<ProgrammingClass> fromRawValue(std::string_view raw);

    std::string rawValue() const;
    std::string getKey() const;
    std::string getRawValue() const;

    // A class name back to a raw value: "_" and the name without its first two characters,
    // the first remaining character lower-cased (UIImageView gives "_imageView").
    static std::string getKeyFrom(const std::string& value);

private:
    Case m_value;
};

// In records a class kind travels as its raw value ("_button"); an unknown text keeps the current kind.
template <>
struct jsonmap::Traits<ProgrammingClass> {
    static void read(const boost::json::value& v, ProgrammingClass& out) noexcept
    {
        if (!v.is_string()) return;
        const auto& s = v.get_string();
        if (const auto found = ProgrammingClass::fromRawValue(std::string_view(s.data(), s.size()))) out = *found;
    }
    static boost::json::value write(const ProgrammingClass& in)
    {
        const std::string raw = in.rawValue();
        return boost::json::value(boost::json::string_view(raw.data(), raw.size()));
    }
};
