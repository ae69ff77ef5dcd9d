#include "Import/Plugin/ArtboardDisplayInfo.h"
#include "Import/Plugin/ArtboardExportInfo.h"
#include "Import/Plugin/ImportAllFromPluginRequest.h"
#include "Import/Plugin/ResourceDesignUploadRequest.h"
#include "Import/Plugin/ResourceDownloadPackResponse.h"
#include "Import/Plugin/ResourceDownloadRequest.h"
#include "Import/Plugin/ResourceDownloadResponse.h"
#include "Import/Plugin/ResourceUploadRequest.h"
#include "Import/Plugin/UploadTextRules.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

namespace {

using Keys = std::vector<std::string>;

template <class Record>
Keys keysOf()
{
    Keys keys;
    for (const auto& member : jsonmap::toJsonObject(Record{})) keys.emplace_back(member.key());
    return keys;
}

TEST(UploadRecordsTest, BodiesCarryEveryFieldUnderItsOwnName)
{
    const struct {
        const char* record;
        Keys written;
        Keys keys;
    } cases[] = {
        {"FrameInfo", keysOf<FrameInfo>(), {"height", "width", "x", "y"}},
        {"ArtboardExportInfo", keysOf<ArtboardExportInfo>(), {"oid", "name", "type", "frame", "jsonString"}},
        {"SymbolMasterExportInfo", keysOf<SymbolMasterExportInfo>(),
         {"oid", "_class", "name", "frame", "isVisible", "symbolID", "jsonString", "type"}},
        {"TextStylesExportInfo", keysOf<TextStylesExportInfo>(), {"jsonString"}},
        {"LayerStylesExportInfo", keysOf<LayerStylesExportInfo>(), {"jsonString"}},
        {"ImportAllFromPluginRequest", keysOf<ImportAllFromPluginRequest>(),
         {"lang", "version", "projectId", "platform", "artboards", "symbolMasters", "textStyles", "layerStyles", "appVersion"}},
        {"ResourceUploadRequest", keysOf<ResourceUploadRequest>(),
         {"lang", "version", "projectId", "artboardId", "oid", "appVersion", "imageData", "prefix", "imageName", "fileName",
          "scale", "format"}},
        {"ResourceDesignUploadRequest", keysOf<ResourceDesignUploadRequest>(), {"lang", "version", "projectId", "fileData", "fileName"}},
        {"ResourceDownloadRequest", keysOf<ResourceDownloadRequest>(), {"lang", "version", "projectId", "oid", "scale"}},
        {"ArtboardDisplayInfo", keysOf<ArtboardDisplayInfo>(),
         {"oid", "name", "type", "frame", "previewImageURI", "jsonString", "updateTime"}},
        {"ResourceDownloadResponse", keysOf<ResourceDownloadResponse>(), {"errorModel", "imageData", "mediaLink", "fileName", "scale"}},
        {"ResourceDownloadPackResponse", keysOf<ResourceDownloadPackResponse>(), {"errorModel", "resources"}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.written, c.keys) << c.record;
}

TEST(UploadRecordsTest, DownloadedImageDataIsEmptyWhenOmittedAndAbsentWhenNull)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {R"({"mediaLink":"m"})", ""}, {R"({"imageData":"AAAA"})", "AAAA"}, {R"({"imageData":null})", std::nullopt},
        {R"({"imageData":42})", ""}};
    for (const auto& [body, imageData] : cases)
        EXPECT_EQ(jsonmap::fromJson<ResourceDownloadResponse>(*platform::parseJson(body)).imageData, imageData) << body;
}

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

TEST(UploadTextRulesTest, NameCleaning)
{
    const struct {
        const char* input;
        const char* alphaNumericAndDot;
        const char* imageName;
    } cases[] = {
        {"My Design (final).zip", "MyDesignfinal.zip", "MyDesignfinalzip"},
        {"\xC3\x9Cr\xC3\xBCn-1.zip", "rn1.zip", "rn1zip"},
        {"icon/back arrow", "iconbackarrow", "iconbackarrow"},
        {"U\xCC\x88" "ber.png", "ber.png", "berpng"},      // U + combining diaeresis is one character
        {"\xEF\xBC\xA1\xEF\xBC\x91.png", ".png", "png"}, // full-width letters are not ASCII
        {"\xF0\x9F\x98\x80_a", "a", "_a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UploadTextRules::strippedOnlyAlphaNumericAndDot(utf8(c.input)), utf8(c.alphaNumericAndDot)) << c.input;
        EXPECT_EQ(UploadTextRules::imageNameStripped(utf8(c.input)), utf8(c.imageName)) << c.input;
    }
}

TEST(UploadTextRulesTest, ArchiveNameThatCleansToNoStemGetsAFixedStem)
{
    const struct {
        const char* input;
        const char* uploadName;
    } cases[] = {
        {"\xE8\xA8\xAD\xE8\xA8\x88.zip", "design.zip"}, {"\xE8\xA8\xAD\xE8\xA8\x88", "design.zip"},
        {"\xE8\xA8\xAD.sketch.zip", "design.sketch.zip"}, {"...", "design.zip"}, {"", "design.zip"}, {"a..zip", "a..zip"},
    };
    for (const auto& c : cases) EXPECT_EQ(UploadTextRules::designArchiveUploadName(utf8(c.input)), utf8(c.uploadName)) << c.input;
}

} // namespace
