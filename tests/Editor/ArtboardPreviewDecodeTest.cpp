#include "Editor/ArtboardPreviewLoader.h"
#include "platform/Archive.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

namespace {

QByteArray pngOf(int width, int height)
{
    return pngOfSize(width, height);
}

TEST(ArtboardPreviewDecodeTest, GzipAndPlainBytesDecodeAndBrokenOnesGiveNoImage)
{
    const QByteArray png = pngOf(30, 60);
    const QByteArray gz = *platform::gzipData(png);
    struct Case {
        const char* name;
        QByteArray bytes;
        bool image;
    } cases[] = {
        {"plain png", png, true},
        {"gzip png", gz, true},
        {"truncated gzip", gz.left(gz.size() / 2), false},
        {"gzip of text", *platform::gzipData(QByteArrayLiteral("not an image")), false},
        {"text", QByteArrayLiteral("<html>"), false},
        {"empty", QByteArray(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = ArtboardPreviewLoader::decode(c.bytes);
        EXPECT_EQ(!image.isNull(), c.image);
        if (c.image) {
            EXPECT_EQ(image.size(), QSize(30, 60));
        }
    }
}

} // namespace
