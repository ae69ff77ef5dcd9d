#pragma once

#include <QString>

#include <string_view>

// How the side pages hand a service text to painting. Names come from designs and can be of any
// length (a layer named by a pasted document of megabytes); a paint lays out the whole text it
// is given before eliding it, which took seconds and hundreds of megabytes per row. A row or a
// card shows a few dozen characters, so a bounded prefix, marked as cut, is all a paint or a
// tool tip gets.
class PageDisplayText {
public:
    // Characters handed on at most: many times what the widest row or card can show.
    static constexpr qsizetype kMaxLength = 500;

    // The UTF-8 `text` whole when it has at most kMaxLength characters; otherwise its first
    // kMaxLength characters followed by an ellipsis. Only the bytes of the prefix are read.
    static QString bounded(std::string_view text);
    static QString bounded(const QString& text);
};
