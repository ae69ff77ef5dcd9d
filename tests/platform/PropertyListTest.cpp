#include "platform/PropertyList.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

using platform::PropertyListFormat;

namespace {

boost::json::value sample()
{
    boost::json::object o;
    o["sketchFilePath"] = "/Users/me/Design — ü.sketch";
    o["artboardIds"] = boost::json::array{"A1", "B2"};
    o["count"] = 42;
    o["negative"] = -7;
    o["ratio"] = 1.5;
    o["flag"] = true;
    o["off"] = false;
    o["nested"] = boost::json::object{{"list", boost::json::array{1, boost::json::array{}, boost::json::object{{"k", "v"}}}}};
    o["empty"] = boost::json::object{};
    return o;
}

const char* kXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
  <key>version</key><string>1.2</string>
  <key>artboardIds</key><array><string>x</string><string>y</string></array>
  <key>stamp</key><date>2020-01-02T03:04:05Z</date>
  <key>blob</key><data>AAEC</data>
  <key>scale</key><real>2</real>
  <key>n</key><integer>-3</integer>
</dict>
</plist>
)";

} // namespace

TEST(PropertyList, RoundTripsInBothFormats)
{
    for (auto format : {PropertyListFormat::Xml, PropertyListFormat::Binary}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.plist"));
        QString error;
        // nulls have no place in a property list: they are left out
        auto withNulls = sample();
        withNulls.as_object()["none"] = nullptr;
        withNulls.as_object()["nested"].as_object()["list"].as_array().push_back(nullptr);
        ASSERT_TRUE(platform::writePropertyList(path, withNulls, format, &error)) << error.toStdString();
        const QByteArray bytes = readFileBytes(path);
        EXPECT_EQ(bytes.startsWith("bplist00"), format == PropertyListFormat::Binary);
        const auto read = platform::readPropertyList(path, &error);
        ASSERT_TRUE(read) << error.toStdString();
        EXPECT_EQ(*read, sample()) << boost::json::serialize(*read);
        EXPECT_FALSE(platform::writePropertyList(path, boost::json::value(std::numeric_limits<double>::infinity()), format));
    }
}

TEST(PropertyList, ReadsEveryXmlValueKind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("export.zvusk"));
    writeFileBytes(path, kXml);
    const auto v = platform::readPropertyList(path);
    ASSERT_TRUE(v && v->is_object());
    EXPECT_EQ(*v, (boost::json::object{{"version", "1.2"}, {"artboardIds", boost::json::array{"x", "y"}},
                                       {"stamp", "2020-01-02T03:04:05Z"}, {"blob", "AAEC"}, {"scale", 2.0}, {"n", -3}}));
    // Key order is the file's order.
    std::string keys;
    for (const auto& kv : v->get_object()) keys += std::string(kv.key()) + " ";
    EXPECT_EQ(keys, "version artboardIds stamp blob scale n ");
}

namespace {

// A binary list of `count` arrays, array i holding `refsEach` references to array i + 1 (or to
// array 0 when `cycle`), the last one empty.
QByteArray chainedBinaryList(int count, int refsEach, bool cycle = false)
{
    QByteArray bytes("bplist00");
    std::vector<quint32> offsets;
    auto appendBigEndian = [&bytes](quint64 value, int size) {
        for (int i = size - 1; i >= 0; --i) bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    for (int i = 0; i < count; ++i) {
        offsets.push_back(static_cast<quint32>(bytes.size()));
        const bool last = i == count - 1;
        const int refs = last && !cycle ? 0 : refsEach;
        bytes.append(static_cast<char>(0xA0 | refs));
        for (int r = 0; r < refs; ++r) appendBigEndian(last ? 0 : static_cast<quint64>(i + 1), 4);
    }
    const auto tableOffset = static_cast<quint64>(bytes.size());
    for (quint32 offset : offsets) appendBigEndian(offset, 4);
    bytes.append(QByteArray(6, '\0'));
    bytes.append(static_cast<char>(4)); // offset size
    bytes.append(static_cast<char>(4)); // reference size
    appendBigEndian(static_cast<quint64>(count), 8);
    appendBigEndian(0, 8);
    appendBigEndian(tableOffset, 8);
    return bytes;
}

QByteArray nestedXmlList(int levels)
{
    return QByteArray("<?xml version=\"1.0\"?><plist version=\"1.0\">") + QByteArray("<array>").repeated(levels)
           + QByteArray("</array>").repeated(levels) + QByteArray("</plist>");
}

} // namespace

// Every file that is no usable property list is refused with its problem and a text naming it,
// without throwing. Regressions kept as rows: a list nested 100,000 levels deep overflowed the
// stack inside the property-list library; a fifo named as a property list blocked the reader for ever.
TEST(PropertyList, UnusableFilesAreRefusedWithTheirProblem)
{
    using Problem = platform::PropertyListProblem;
    QTemporaryDir dir;
    const QString binPath = dir.filePath(QStringLiteral("good.bplist"));
    ASSERT_TRUE(platform::writePropertyList(binPath, sample(), PropertyListFormat::Binary));
    const QByteArray bin = readFileBytes(binPath);
    const QByteArray xml(kXml);
    const QString notList = QStringLiteral(" is not a property list");
    const struct {
        const char* name;
        std::optional<QByteArray> content; // nullopt: something else than a file is at the path
        Problem problem;
        QString error; // after the path
    } cases[] = {
        {"empty", QByteArray(), Problem::notPropertyList, QStringLiteral(" is empty")},
        {"text", QByteArray("just some words"), Problem::notPropertyList, notList},
        {"json", QByteArray("{\"a\":1}"), Problem::notPropertyList, notList},
        {"magic only", QByteArray("bplist00"), Problem::notPropertyList, notList},
        {"truncated binary", bin.left(bin.size() / 2), Problem::notPropertyList, notList},
        {"binary without trailer", bin.left(bin.size() - 20), Problem::notPropertyList, notList},
        {"truncated xml", xml.left(xml.size() / 2), Problem::notPropertyList, notList},
        {"DeepOrSelfReferringListsAreRefusedBeforeTheLibraryParsesThem: binary 100000 deep",
         chainedBinaryList(100000, 1), Problem::tooDeep, QStringLiteral(" nests deeper than 64 levels")},
        {"DeepOrSelfReferringListsAreRefusedBeforeTheLibraryParsesThem: xml 100000 deep", nestedXmlList(100000),
         Problem::tooDeep, QStringLiteral(" nests deeper than 64 levels")},
        {"DeepOrSelfReferringListsAreRefusedBeforeTheLibraryParsesThem: binary cycle", chainedBinaryList(3, 1, true),
         Problem::notPropertyList, notList},
        // 60 levels of two references each expand to 2^60 values in the library.
        {"DeepOrSelfReferringListsAreRefusedBeforeTheLibraryParsesThem: binary shared doubling",
         chainedBinaryList(60, 2), Problem::tooLarge, QStringLiteral(" holds too many values")},
        {"OnlyRegularFilesAreOpened: fifo", std::nullopt, Problem::unreadable, QStringLiteral(" is not a regular file")},
        {"OnlyRegularFilesAreOpened: folder", std::nullopt, Problem::unreadable, QStringLiteral(" is not a regular file")},
        {"missing", std::nullopt, Problem::unreadable, QStringLiteral(" does not exist")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::number(&c - cases));
        if (c.content) writeFileBytes(path, *c.content);
        if (std::string(c.name).ends_with("fifo")) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }
        if (std::string(c.name).ends_with("folder")) {
            ASSERT_TRUE(QDir().mkdir(path));
        }
        Problem problem = Problem::none;
        QString error;
        EXPECT_FALSE(platform::readPropertyList(path, &error, &problem));
        EXPECT_EQ(problem, c.problem);
        EXPECT_EQ(error, path + c.error);
    }
    // Within the depth bound both formats still read.
    for (const QByteArray& content : {chainedBinaryList(40, 1), nestedXmlList(40)}) {
        const QString path = dir.filePath(QStringLiteral("within"));
        writeFileBytes(path, content);
        QString error;
        EXPECT_TRUE(platform::readPropertyList(path, &error)) << error.toStdString();
        EXPECT_EQ(platform::propertyListDepth(content, 64), 40);
    }
}

// The library aborts the process on a dictionary key in UTF-16 with a U+0000 in it (found by the
// export-file fuzzer); such lists are refused. The same character in a value, in UTF-16 or in
// ASCII, and other UTF-16 keys still read.
TEST(PropertyList, AUnicodeKeyWithANullCharacterIsRefusedInsteadOfAbortingTheProcess)
{
    // {"k\0é": 1, "sketchFilePath": "/a"} as a binary list; the key is the UTF-16 string 0x63 ...
    const QByteArray nulKey = QByteArray::fromHex(
        "62706c6973743030d2010203046300" "6b000000e95e736b6574636846696c65506174681001522f61080d1423250000000000000101"
        "000000000000000500000000000000000000000000000028");
    QTemporaryDir dir;
    const QString refused = dir.filePath(QStringLiteral("nul-key.zvusk"));
    writeFileBytes(refused, nulKey);
    QString error;
    EXPECT_FALSE(platform::readPropertyList(refused, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("null character"))) << error.toStdString();

    const struct {
        const char* name;
        boost::json::object value;
    } readable[] = {{"nul in an ASCII value", {{"sketchFilePath", std::string("/a\0b", 4)}}},
                    {"nul in a UTF-16 value", {{"sketchFilePath", std::string("/a\0\xc3\xa9", 5)}}},
                    {"UTF-16 key", {{"cl\xc3\xa9", 1}}}};
    for (const auto& c : readable) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(platform::writePropertyList(path, c.value, PropertyListFormat::Binary)) << c.name;
        EXPECT_TRUE(platform::readPropertyList(path)) << c.name;
    }
}
