#pragma once

#include <QString>
#include <QStringList>

// User-perceived characters (grapheme clusters). Name rules that keep, drop or re-case "a
// character" must treat a letter with a combining accent as one character, not as a plain
// letter followed by a mark.
class TextGraphemes {
public:
    static QStringList split(const QString& text);
};
