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

#include <QBuffer>
#include <QImageReader>

namespace {

std::vector<std::string> keysOf(const boost::json::object& object)
{
    std::vector<std::string> keys;
    for (const auto& member : object) keys.emplace_back(member.key());
    return keys;
}

using Keys = std::vector<std::string>;

TEST(UploadRecordsTest, BodiesCarryEveryFieldUnderItsOwnName)
{
    const struct {
        const char* record;
        boost::json::object written;
        Keys keys;
    } cases[] = {
        {"FrameInfo", jsonmap::toJsonObject(FrameInfo{}), {"height", "width", "x", "y"}},
        {"ArtboardExportInfo", jsonmap::toJsonObject(ArtboardExportInfo{}), {"oid", "name", "type", "frame", "jsonString"}},
        {"SymbolMasterExportInfo", jsonmap::toJsonObject(SymbolMasterExportInfo{}),
         {"oid", "_class", "name", "frame", "isVisible", "symbolID", "jsonString", "type"}},
        {"TextStylesExportInfo", jsonmap::toJsonObject(TextStylesExportInfo{}), {"jsonString"}},
        {"LayerStylesExportInfo", jsonmap::toJsonObject(LayerStylesExportInfo{}), {"jsonString"}},
        {"ImportAllFromPluginRequest", jsonmap::toJsonObject(ImportAllFromPluginRequest{}),
         {"lang", "version", "projectId", "platform", "artboards", "symbolMasters", "textStyles", "layerStyles", "appVersion"}},
        {"ResourceUploadRequest", jsonmap::toJsonObject(ResourceUploadRequest{}),
         {"lang", "version", "projectId", "artboardId", "oid", "appVersion", "imageData", "prefix", "imageName", "fileName",
          "scale", "format"}},
        {"ResourceDesignUploadRequest", jsonmap::toJsonObject(ResourceDesignUploadRequest{}),
         {"lang", "version", "projectId", "fileData", "fileName"}},
        {"ResourceDownloadRequest", jsonmap::toJsonObject(ResourceDownloadRequest{}), {"lang", "version", "projectId", "oid", "scale"}},
        {"ArtboardDisplayInfo", jsonmap::toJsonObject(ArtboardDisplayInfo{}),
         {"oid", "name", "type", "frame", "previewImageURI", "jsonString", "updateTime"}},
    };
    for (const auto& c : cases) EXPECT_EQ(keysOf(c.written), c.keys) << c.record;
}

TEST(UploadRecordsTest, FreshRecordsHoldTheirDefaults)
{
    const auto artboard = jsonmap::toJsonObject(ArtboardExportInfo{});
    EXPECT_EQ(artboard.at("type"), "sketch");
    EXPECT_TRUE(artboard.at("jsonString").is_null());
    EXPECT_EQ(artboard.at("frame"), (boost::json::object{{"height", 0.0}, {"width", 0.0}, {"x", 0.0}, {"y", 0.0}}));
    EXPECT_EQ(jsonmap::toJsonObject(SymbolMasterExportInfo{}).at("type"), "sketch");
    EXPECT_EQ(jsonmap::toJsonObject(ArtboardDisplayInfo{}).at("type"), "sketch");

    const auto upload = jsonmap::toJsonObject(ResourceUploadRequest{});
    EXPECT_EQ(upload.at("prefix"), "");
    EXPECT_EQ(upload.at("lang"), "en");
    EXPECT_TRUE(upload.at("appVersion").is_null());
}

TEST(UploadRecordsTest, ImportRequestNestsItsRecords)
{
    ImportAllFromPluginRequest request;
    request.projectId = "p1";
    request.platform = "iOS";
    request.appVersion = "-1";
    ArtboardExportInfo artboard;
    artboard.oid = "A";
    artboard.type = "adobeXd";
    artboard.frame.width = 375;
    artboard.jsonString = "{}";
    request.artboards.push_back(artboard);
    SymbolMasterExportInfo master;
    master.class_ = "symbolMaster";
    request.symbolMasters.push_back(master);
    request.textStyles.emplace_back();

    const auto text = platform::jsonText(jsonmap::write(request));
    ASSERT_TRUE(text.has_value());
    const auto back = jsonmap::fromJson<ImportAllFromPluginRequest>(*platform::parseJson(*text));
    ASSERT_EQ(back.artboards.size(), 1u);
    EXPECT_EQ(back.artboards[0].type, "adobeXd");
    EXPECT_EQ(back.artboards[0].frame.width, 375);
    EXPECT_EQ(back.artboards[0].jsonString, "{}");
    ASSERT_EQ(back.symbolMasters.size(), 1u);
    EXPECT_EQ(back.symbolMasters[0].class_, "symbolMaster");
    EXPECT_NE(text->find("\"_class\":\"symbolMaster\""), std::string::npos) << *text;
    EXPECT_EQ(back.textStyles.size(), 1u);
    EXPECT_EQ(back.appVersion, "-1");
}

TEST(UploadRecordsTest, DownloadResponsesReadTolerantly)
{
    const struct {
        const char* body;
        std::optional<std::string> imageData;
        std::string mediaLink;
    } cases[] = {
        {R"({"mediaLink":"m"})", std::string(), "m"},
        {R"({"imageData":"AAAA","fileName":"f","scale":"2"})", std::string("AAAA"), ""},
        {R"({"imageData":null})", std::nullopt, ""},
        {R"({"imageData":42,"mediaLink":7})", std::string(), ""},
    };
    for (const auto& c : cases) {
        const auto response = jsonmap::fromJson<ResourceDownloadResponse>(*platform::parseJson(c.body));
        EXPECT_EQ(response.imageData, c.imageData) << c.body;
        EXPECT_EQ(response.mediaLink, c.mediaLink) << c.body;
    }
    const auto pack = jsonmap::fromJson<ResourceDownloadPackResponse>(*platform::parseJson(
        R"({"resources":[{"fileName":"a","scale":"1"},{"fileName":"b"}],"errorModel":{"errorId":5,"errorMsg":"x"}})"));
    ASSERT_EQ(pack.resources.size(), 2u);
    EXPECT_EQ(pack.resources[1].fileName, "b");
    ASSERT_TRUE(pack.errorModel.has_value());
    EXPECT_EQ(pack.errorModel->errorId, 5);
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
        {"", "", ""},
        {"icon/back arrow", "iconbackarrow", "iconbackarrow"},
        {"a_b.c", "ab.c", "a_bc"},
        {"U\xCC\x88" "ber.png", "ber.png", "berpng"},      // U + combining diaeresis is one character
        {"x\r\ny.png", "xy.png", "xypng"},
        {"\xEF\xBC\xA1\xEF\xBC\x91.png", ".png", "png"}, // full-width letters are not ASCII
        {"logo@2x.png", "logo2x.png", "logo2xpng"},
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
        {"My Design (final).zip", "MyDesignfinal.zip"},
        {"\xE8\xA8\xAD\xE8\xA8\x88.zip", "design.zip"},
        {"\xE8\xA8\xAD\xE8\xA8\x88", "design.zip"},
        {"\xE8\xA8\xAD.sketch.zip", "design.sketch.zip"},
        {"...", "design.zip"},
        {"", "design.zip"},
        {"- -", "design.zip"},
        {"a.zip", "a.zip"},
        {"a..zip", "a..zip"},
    };
    for (const auto& c : cases) EXPECT_EQ(UploadTextRules::designArchiveUploadName(utf8(c.input)), utf8(c.uploadName)) << c.input;
}

TEST(UploadTextRulesTest, Base64PngOfAnImage)
{
    EXPECT_FALSE(UploadTextRules::base64String(QImage()).has_value());

    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(QColor(10, 20, 30, 128));
    image.setPixelColor(2, 1, QColor(255, 0, 0));
    const auto text = UploadTextRules::base64String(image);
    ASSERT_TRUE(text.has_value());
    EXPECT_FALSE(text->contains(QLatin1Char('\n')));
    const QByteArray png = QByteArray::fromBase64(text->toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    ASSERT_TRUE(png.startsWith("\x89PNG"));
    QBuffer buffer;
    buffer.setData(png);
    QImageReader reader(&buffer, "png");
    const QImage back = reader.read();
    ASSERT_EQ(back.size(), image.size());
    EXPECT_EQ(back.pixelColor(2, 1), QColor(255, 0, 0));
    EXPECT_EQ(back.pixelColor(0, 0).alpha(), 128);
}

} // namespace
