#pragma once

#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <vector>

class QTextDocument;

// Plain colouring of generated Swift and Kotlin: keywords, strings, comments and numbers.
class CodeSyntaxHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    enum class Language { plain, swift, kotlin };

    explicit CodeSyntaxHighlighter(QTextDocument* document);

    // The language of a file extension ("swift", "kt", "kts"); plain for any other.
    static Language languageForExtension(const QString& fileExtension);
    void setLanguage(Language language);
    Language language() const { return m_language; }

    // Formats of the rule kinds, for those who show them.
    static QTextCharFormat keywordFormat();
    static QTextCharFormat stringFormat();
    static QTextCharFormat commentFormat();
    static QTextCharFormat numberFormat();

protected:
    void highlightBlock(const QString& text) override;

private:
    struct Rule {
        QRegularExpression pattern;
        QTextCharFormat format;
    };

    Language m_language = Language::plain;
    std::vector<Rule> m_rules;
    QRegularExpression m_blockCommentStart;
    QRegularExpression m_blockCommentEnd;
};
