#include "Base/TextGraphemes.h"

#include <QTextBoundaryFinder>

QStringList TextGraphemes::split(const QString& text)
{
    QStringList result;
    if (text.isEmpty()) return result;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        result.append(text.mid(start, end - start));
        start = end;
    }
    if (start < text.size()) result.append(text.mid(start));
    return result;
}
