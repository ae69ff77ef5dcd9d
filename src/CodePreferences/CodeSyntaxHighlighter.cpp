#include "CodePreferences/CodeSyntaxHighlighter.h"

#include <QColor>
#include <QStringList>
#include <QTextDocument>

namespace {

const QStringList& swiftKeywords()
{
    static const QStringList words = {
        QStringLiteral("associatedtype"), QStringLiteral("class"), QStringLiteral("deinit"), QStringLiteral("enum"),
        QStringLiteral("extension"), QStringLiteral("fileprivate"), QStringLiteral("func"), QStringLiteral("import"),
        QStringLiteral("init"), QStringLiteral("inout"), QStringLiteral("internal"), QStringLiteral("let"),
        QStringLiteral("open"), QStringLiteral("operator"), QStringLiteral("private"), QStringLiteral("protocol"),
        QStringLiteral("public"), QStringLiteral("static"), QStringLiteral("struct"), QStringLiteral("subscript"),
        QStringLiteral("typealias"), QStringLiteral("var"), QStringLiteral("break"), QStringLiteral("case"),
        QStringLiteral("continue"), QStringLiteral("default"), QStringLiteral("defer"), QStringLiteral("do"),
        QStringLiteral("else"), QStringLiteral("fallthrough"), QStringLiteral("for"), QStringLiteral("guard"),
        QStringLiteral("if"), QStringLiteral("in"), QStringLiteral("repeat"), QStringLiteral("return"),
        QStringLiteral("switch"), QStringLiteral("where"), QStringLiteral("while"), QStringLiteral("as"),
        QStringLiteral("catch"), QStringLiteral("false"), QStringLiteral("is"), QStringLiteral("nil"),
        QStringLiteral("self"), QStringLiteral("Self"), QStringLiteral("super"), QStringLiteral("throw"),
        QStringLiteral("throws"), QStringLiteral("true"), QStringLiteral("try"), QStringLiteral("override"),
        QStringLiteral("final"), QStringLiteral("lazy"), QStringLiteral("weak"), QStringLiteral("mutating"),
        QStringLiteral("convenience"), QStringLiteral("required"), QStringLiteral("@IBOutlet"), QStringLiteral("@IBAction"),
        QStringLiteral("@objc")};
    return words;
}

const QStringList& kotlinKeywords()
{
    static const QStringList words = {
        QStringLiteral("as"), QStringLiteral("break"), QStringLiteral("class"), QStringLiteral("continue"),
        QStringLiteral("do"), QStringLiteral("else"), QStringLiteral("false"), QStringLiteral("for"),
        QStringLiteral("fun"), QStringLiteral("if"), QStringLiteral("in"), QStringLiteral("interface"),
        QStringLiteral("is"), QStringLiteral("null"), QStringLiteral("object"), QStringLiteral("package"),
        QStringLiteral("return"), QStringLiteral("super"), QStringLiteral("this"), QStringLiteral("throw"),
        QStringLiteral("true"), QStringLiteral("try"), QStringLiteral("typealias"), QStringLiteral("val"),
        QStringLiteral("var"), QStringLiteral("when"), QStringLiteral("while"), QStringLiteral("import"),
        QStringLiteral("private"), QStringLiteral("protected"), QStringLiteral("public"), QStringLiteral("internal"),
        QStringLiteral("override"), QStringLiteral("open"), QStringLiteral("abstract"), QStringLiteral("data"),
        QStringLiteral("companion"), QStringLiteral("lateinit"), QStringLiteral("init"), QStringLiteral("constructor"),
        QStringLiteral("enum"), QStringLiteral("sealed"), QStringLiteral("const")};
    return words;
}

QTextCharFormat coloured(const char* colour, bool bold = false, bool italic = false)
{
    QTextCharFormat format;
    format.setForeground(QColor(QLatin1String(colour)));
    if (bold) format.setFontWeight(QFont::Bold);
    format.setFontItalic(italic);
    return format;
}

// Block-comment state of a text block: inside a comment that goes on to the next line.
constexpr int kInBlockComment = 1;

} // namespace

CodeSyntaxHighlighter::CodeSyntaxHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document)
    , m_blockCommentStart(QStringLiteral("/\\*"))
    , m_blockCommentEnd(QStringLiteral("\\*/"))
{
}

CodeSyntaxHighlighter::Language CodeSyntaxHighlighter::languageForExtension(const QString& fileExtension)
{
    QString ext = fileExtension.toLower();
    if (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
    if (ext == QLatin1String("swift")) return Language::swift;
    if (ext == QLatin1String("kt") || ext == QLatin1String("kts") || ext == QLatin1String("kotlin")) return Language::kotlin;
    return Language::plain;
}

QTextCharFormat CodeSyntaxHighlighter::keywordFormat() { return coloured("#9b2393", true); }
QTextCharFormat CodeSyntaxHighlighter::stringFormat() { return coloured("#c41a16"); }
QTextCharFormat CodeSyntaxHighlighter::commentFormat() { return coloured("#5d6c79", false, true); }
QTextCharFormat CodeSyntaxHighlighter::numberFormat() { return coloured("#1c00cf"); }

void CodeSyntaxHighlighter::setLanguage(Language language)
{
    m_language = language;
    m_rules.clear();
    if (language != Language::plain) {
        const QStringList& words = language == Language::swift ? swiftKeywords() : kotlinKeywords();
        QStringList escaped;
        for (const QString& w : words) escaped << QRegularExpression::escape(w);
        // Keywords first; numbers, strings and line comments paint over them in that order.
        m_rules.push_back({QRegularExpression(QStringLiteral("(?<![\\w@])(?:") + escaped.join(QLatin1Char('|'))
                                              + QStringLiteral(")(?!\\w)")),
                           keywordFormat()});
        m_rules.push_back({QRegularExpression(QStringLiteral("\\b(?:0x[0-9A-Fa-f_]+|\\d[\\d_]*(?:\\.\\d+)?(?:[eE][+-]?\\d+)?[fFL]?)\\b")),
                           numberFormat()});
        m_rules.push_back({QRegularExpression(QStringLiteral("\"(?:[^\"\\\\]|\\\\.)*\"")), stringFormat()});
        m_rules.push_back({QRegularExpression(QStringLiteral("//[^\\n]*")), commentFormat()});
    }
    rehighlight();
}

void CodeSyntaxHighlighter::highlightBlock(const QString& text)
{
    setCurrentBlockState(0);
    if (m_language == Language::plain) return;
    for (const Rule& rule : m_rules) {
        auto matches = rule.pattern.globalMatch(text);
        while (matches.hasNext()) {
            const auto match = matches.next();
            setFormat(static_cast<int>(match.capturedStart()), static_cast<int>(match.capturedLength()), rule.format);
        }
    }
    // Block comments may span lines.
    qsizetype start = 0;
    if (previousBlockState() != kInBlockComment) {
        const auto open = m_blockCommentStart.match(text);
        start = open.hasMatch() ? open.capturedStart() : -1;
    }
    while (start >= 0) {
        const auto close = m_blockCommentEnd.match(text, start);
        qsizetype length = 0;
        if (!close.hasMatch()) {
            setCurrentBlockState(kInBlockComment);
            length = text.size() - start;
        } else {
            length = close.capturedEnd() - start;
        }
        setFormat(static_cast<int>(start), static_cast<int>(length), commentFormat());
        const auto next = m_blockCommentStart.match(text, start + length);
        start = next.hasMatch() ? next.capturedStart() : -1;
    }
}
