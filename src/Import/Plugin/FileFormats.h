#pragma once

#include <optional>
#include <string_view>

// Asset file formats, by raw value.
enum class FileFormats { png, svg, pdf };

inline std::string_view fileFormatRawValue(FileFormats format)
{
    switch (format) {
    case FileFormats::png: return "png";
    case FileFormats::svg: return "svg";
    case FileFormats::pdf: return "pdf";
    }
    return "png";
}

inline std::optional<FileFormats> fileFormatFromRawValue(std::string_view raw)
{
    if (raw == "png") return FileFormats::png;
    if (raw == "svg") return FileFormats::svg;
    if (raw == "pdf") return FileFormats::pdf;
    return std::nullopt;
}
