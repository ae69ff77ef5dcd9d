#pragma once

#include "Base/JsonMapping.h"

#include <optional>
#include <string>
#include <string_view>

// The languages code is generated in.
enum class ProgrammingLanguage { swift, kotlin };

inline std::string_view programmingLanguageRawValue(ProgrammingLanguage language)
{
    return language == ProgrammingLanguage::kotlin ? std::string_view("kotlin") : std::string_view("swift");
}

inline std::optional<ProgrammingLanguage> programmingLanguageFromRawValue(std::string_view raw)
{
    if (raw == "swift") return ProgrammingLanguage::swift;
    if (raw == "kotlin") return ProgrammingLanguage::kotlin;
    return std::nullopt;
}

// In wire records the language travels as its raw text; an unknown text keeps the current value.
template <>
struct jsonmap::Traits<ProgrammingLanguage> {
    static void read(const boost::json::value& v, ProgrammingLanguage& out) noexcept
    {
        if (!v.is_string()) return;
        const auto& s = v.get_string();
        if (const auto language = programmingLanguageFromRawValue(std::string_view(s.data(), s.size())))
            out = *language;
    }
    static boost::json::value write(const ProgrammingLanguage& in)
    {
        const std::string_view raw = programmingLanguageRawValue(in);
        return boost::json::value(boost::json::string_view(raw.data(), raw.size()));
    }
};
