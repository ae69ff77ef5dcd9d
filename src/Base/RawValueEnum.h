#pragma once

// Enumerations whose cases travel as text ("raw values"). An enumeration takes part by
// specialising RawValues with the texts of its cases in case order; it then gets rawValue(),
// fromRawValue<E>() (exact, case-sensitive match, nothing otherwise) and a JSON mapping that
// writes the text and reads a known text (anything else keeps the current value).

#include "Base/JsonMapping.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <type_traits>

template <class E>
struct RawValues; // specialise: static constexpr std::array<std::string_view, N> names

template <class E, class = void>
struct HasRawValues : std::false_type {};
template <class E>
struct HasRawValues<E, std::void_t<decltype(RawValues<E>::names)>> : std::true_type {};

template <class E, std::enable_if_t<HasRawValues<E>::value, int> = 0>
constexpr std::string_view rawValue(E value) noexcept
{
    const auto index = static_cast<std::size_t>(value);
    return index < RawValues<E>::names.size() ? RawValues<E>::names[index] : std::string_view();
}

template <class E>
constexpr std::optional<E> fromRawValue(std::string_view raw) noexcept
{
    for (std::size_t i = 0; i < RawValues<E>::names.size(); ++i) {
        if (RawValues<E>::names[i] == raw) return static_cast<E>(i);
    }
    return std::nullopt;
}

template <class E>
struct jsonmap::Traits<E, std::enable_if_t<HasRawValues<E>::value>> {
    static void read(const boost::json::value& v, E& out) noexcept
    {
        if (!v.is_string()) return;
        const auto& s = v.get_string();
        if (const auto found = fromRawValue<E>(std::string_view(s.data(), s.size()))) out = *found;
    }
    static boost::json::value write(const E& in)
    {
        const std::string_view raw = rawValue(in);
        return boost::json::value(boost::json::string_view(raw.data(), raw.size()));
    }
};

// An optional case: null or an unknown text reads as absent, so a wrong value never turns into
// the first case.
template <class E>
struct jsonmap::Traits<std::optional<E>, std::enable_if_t<HasRawValues<E>::value>> {
    static void read(const boost::json::value& v, std::optional<E>& out) noexcept
    {
        if (v.is_null()) {
            out.reset();
            return;
        }
        if (!v.is_string()) return;
        const auto& s = v.get_string();
        out = fromRawValue<E>(std::string_view(s.data(), s.size()));
    }
    static boost::json::value write(const std::optional<E>& in)
    {
        if (!in) return boost::json::value(nullptr);
        return Traits<E>::write(*in);
    }
};
