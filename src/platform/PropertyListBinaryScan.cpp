#include "platform/PropertyListBinaryScan.h"

#include <cstdint>
#include <optional>

namespace platform {
namespace {

constexpr qsizetype kHeaderSize = 8;   // "bplist00"
constexpr qsizetype kTrailerSize = 32;

std::optional<std::uint64_t> bigEndian(const QByteArray& bytes, qsizetype at, qsizetype size)
{
    if (size < 1 || size > 8 || at < 0 || at > bytes.size() - size) return std::nullopt;
    std::uint64_t value = 0;
    for (qsizetype i = 0; i < size; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

} // namespace

bool binaryPropertyListHasNulInUnicodeString(const QByteArray& bytes)
{
    if (!bytes.startsWith("bplist00") || bytes.size() < kHeaderSize + kTrailerSize) return false;
    const qsizetype trailer = bytes.size() - kTrailerSize;
    const auto offsetSize = bigEndian(bytes, trailer + 6, 1);
    const auto objectCount = bigEndian(bytes, trailer + 8, 8);
    const auto tableOffset = bigEndian(bytes, trailer + 24, 8);
    if (!offsetSize || !objectCount || !tableOffset || *offsetSize < 1 || *offsetSize > 8) return false;
    // Every object takes at least one byte, so a count beyond the file's size is a lie.
    if (*objectCount > static_cast<std::uint64_t>(bytes.size()) || *tableOffset >= static_cast<std::uint64_t>(trailer))
        return false;
    const auto width = static_cast<qsizetype>(*offsetSize);
    for (std::uint64_t i = 0; i < *objectCount; ++i) {
        const auto offset = bigEndian(bytes, static_cast<qsizetype>(*tableOffset + i * *offsetSize), width);
        if (!offset || *offset >= static_cast<std::uint64_t>(trailer)) return false;
        auto at = static_cast<qsizetype>(*offset);
        const auto marker = static_cast<unsigned char>(bytes[at]);
        if ((marker & 0xF0) != 0x60) continue;
        std::uint64_t units = marker & 0x0F;
        ++at;
        if (units == 0x0F) {
            // The length follows as an integer object: marker 0x1n, then 2^n bytes.
            const auto lengthMarker = bigEndian(bytes, at, 1);
            if (!lengthMarker || (*lengthMarker & 0xF0) != 0x10 || (*lengthMarker & 0x0F) > 3) return false;
            const qsizetype lengthSize = qsizetype(1) << (*lengthMarker & 0x0F);
            const auto length = bigEndian(bytes, at + 1, lengthSize);
            if (!length) return false;
            units = *length;
            at += 1 + lengthSize;
        }
        if (units > static_cast<std::uint64_t>(trailer - at) / 2) return false;
        for (std::uint64_t u = 0; u < units; ++u) {
            const qsizetype unit = at + static_cast<qsizetype>(u) * 2;
            if (bytes[unit] == 0 && bytes[unit + 1] == 0) return true;
        }
    }
    return false;
}

} // namespace platform
