#pragma once

#include "Base/JsonMapping.h"

#include <optional>
#include <string>
#include <string_view>

// The target platform of a project. Most wire models carry it as plain text; this is the typed form.
enum class ProjectPlatform { iOS, Android };

inline std::string_view rawValue(ProjectPlatform platform)
{
    return platform == ProjectPlatform::iOS ? "iOS" : "Android";
}

// nullopt for any text other than the two raw values (compared exactly).
inline std::optional<ProjectPlatform> projectPlatformFromRaw(std::string_view raw)
{
    if (raw == "iOS") return ProjectPlatform::iOS;
    if (raw == "Android") return ProjectPlatform::Android;
    return std::nullopt;
}

template <>
struct jsonmap::Traits<ProjectPlatform> {
    // an unknown raw value keeps the field's default
    static void read(const boost::json::value& v, ProjectPlatform& out) noexcept
    {
        if (!v.is_string()) return;
        if (const auto p = projectPlatformFromRaw(std::string_view(v.get_string()))) out = *p;
    }
    static boost::json::value write(const ProjectPlatform& in)
    {
        const auto raw = rawValue(in);
        return boost::json::string(raw.data(), raw.size());
    }
};
