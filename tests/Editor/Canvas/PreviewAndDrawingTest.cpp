#include "Editor/Canvas/ConstraintView.h"
#include "Editor/Canvas/CoordinateUtils.h"
#include "Editor/Canvas/HighlightView.h"
#include "Editor/Canvas/PreviewDecoder.h"
#include "Import/Sketch/ArtboardSumModel.h"
#include "platform/Archive.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <limits>

namespace {
QByteArray png(int width, int height)
{
    return pngOfSize(width, height);
}

TEST(PreviewDecoder, acceptsOnlyAbsoluteHttpLinks)
{
    const struct {
        const char* link;
        bool accepted;
    } cases[] = {{"http://127.0.0.1:8765/p/1.png", true}, {"https://cdn.example.com/a.png?x=1", true},
                 {"HTTPS://cdn.example.com/a.png", true},  {"", false},
                 {"/relative/path.png", false},            {"file:///etc/passwd", false},
                 {"ftp://host/a.png", false},              {"http://", false},
                 {"javascript:alert(1)", false},           {"http://exa mple.com/a", false}};
    for (const auto& c : cases) EXPECT_EQ(PreviewDecoder::mediaUrl(c.link).has_value(), c.accepted) << c.link;
}

TEST(PreviewDecoder, decodesPlainAndGzipImagesAndRefusesTheRest)
{
    const QByteArray image = png(30, 20);
    QByteArray fakeMagic = image;
    fakeMagic[0] = '\x1f';
    fakeMagic[1] = '\x8b'; // gzip magic in front of bytes that are no gzip stream
    const struct {
        const char* name;
        QByteArray bytes;
        QSize expected; // invalid: no image
    } cases[] = {
        {"plain png", image, {30, 20}},
        {"gzip png", *platform::gzipData(image), {30, 20}},
        {"truncated gzip", platform::gzipData(image)->chopped(8), {}},
        {"gzip magic without a stream", fakeMagic, {}},
        {"not an image", QByteArray("hello"), {}},
        {"empty", QByteArray(), {}},
        {"side beyond the limit", png(PreviewDecoder::kMaxImageSide + 1, 1), {}},
        {"gzip bomb", *platform::gzipData(QByteArray(PreviewDecoder::kMaxUnpackedBytes + 1, '\0')), {}},
    };
    for (const auto& c : cases) {
        const QImage decoded = PreviewDecoder::decode(c.bytes);
        EXPECT_EQ(decoded.isNull() ? QSize() : decoded.size(), c.expected) << c.name;
    }
}

TEST(CoordinateUtils, ratioAndNormalisedPreviewRefuseUnusableSizes)
{
    EXPECT_EQ(CoordinateUtils::screenRatio(750), std::optional<double>(0.5));
    for (double width : {0.0, -1.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::denorm_min()})
        EXPECT_FALSE(CoordinateUtils::screenRatio(width)) << width;

    QImage source(100, 200, QImage::Format_RGB32);
    source.fill(Qt::blue);
    ArtboardSumModel artboard;
    artboard.frame.width = 750;
    artboard.frame.height = 1334;
    EXPECT_EQ(CoordinateUtils::getNormalizedPreview(source, artboard, 0.5).size(), QSize(375, 667));
    artboard.frame.height = 1e12;
    EXPECT_TRUE(CoordinateUtils::getNormalizedPreview(source, artboard, 0.5).isNull());
    artboard.frame.height = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(CoordinateUtils::getNormalizedPreview(source, artboard, 0.5).isNull());
    EXPECT_EQ(CoordinateUtils::getScannedArea({110, 70}, {10, 20}), QRectF(10, 20, 100, 50));
}

TEST(HighlightView, smallFramesUseTheOnePixelSet)
{
    EXPECT_EQ(HighlightView::imageNames({100, 18}).corner, QStringLiteral("cornerOnePiximage"));
    EXPECT_EQ(HighlightView::imageNames({18, 100}).horizontal, QStringLiteral("horizontalStop"));
    EXPECT_EQ(HighlightView::imageNames({19, 19}).corner, QStringLiteral("cornerCircleimage"));
    EXPECT_EQ(HighlightView::imageNames({19, 19}).vertical, QStringLiteral("verticalBorderline"));
}

TEST(ConstraintView, capsAndDirectionFollowTheType)
{
    const struct {
        ConstraintAttributes type;
        bool before;
        const char* start;
        const char* end;
        bool vertical;
    } cases[] = {
        {ConstraintAttributes::leading, true, "horizontalStop", "horizontalStop", false},
        {ConstraintAttributes::trailing, true, "horizontalStop", "horizontalStop", false},
        {ConstraintAttributes::top, false, "verticalStop", "verticalStop", true},
        {ConstraintAttributes::bottom, false, "verticalStop", "verticalStop", true},
        {ConstraintAttributes::width, true, "circleAnchorTop", "horizontalStop", true},
        {ConstraintAttributes::centerY, false, "circleAnchorTop", "horizontalStop", false},
    };
    for (const auto& c : cases) {
        ConstraintView view;
        view.type = c.type;
        view.isVertical = c.before;
        const auto caps = view.prepareCaps();
        EXPECT_EQ(caps.start, QLatin1String(c.start));
        EXPECT_EQ(caps.end, QLatin1String(c.end));
        EXPECT_EQ(view.isVertical, c.vertical);
    }
}
} // namespace
