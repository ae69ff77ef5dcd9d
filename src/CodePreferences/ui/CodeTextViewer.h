#pragma once

#include "CodePreferences/CodeTextLines.h"

#include <QAbstractScrollArea>
#include <QStringList>

#include <memory>
#include <string>

// A read-only view of a large text that lays out and paints only the lines and columns in its
// window, in its (fixed-pitch) font and without wrapping. Scrolling goes by lines and columns.
// The mouse selects, Control+A selects everything, Control+C and the context menu copy the
// selection exactly as the text has it; Home and End go to the text's start and end.
class CodeTextViewer : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CodeTextViewer(QWidget* parent = nullptr);

    // `text` must not change while it is shown.
    void setText(std::shared_ptr<const std::string> text);
    void clear();
    const CodeTextLines& lines() const { return m_lines; }

    // The text of each line in the window as it is painted now, from the first column shown.
    QStringList shownLines() const;
    QString selectedText() const;
    void selectAll();
    void copy() const;
    void scrollToStart();
    // Shows the last line with its end in view.
    void scrollToEnd();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void updateMetrics();
    void updateScrollBars();
    std::size_t firstLine() const;
    std::size_t firstColumn() const;
    // Lines and columns that fit in the window whole (at least one).
    std::size_t fullLines() const;
    std::size_t fullColumns() const;
    // Calls `visit(row, line, text shown)` for each line in the window, top down.
    template <class Visit>
    void forEachShownLine(Visit&& visit) const;
    // The character boundary nearest to a point of the viewport.
    std::size_t offsetAt(QPointF point) const;
    void select(std::size_t anchor, std::size_t cursor);

    CodeTextLines m_lines;
    std::size_t m_anchor = 0; // where the selection started, a byte offset
    std::size_t m_cursor = 0; // where it ends now
    qreal m_columnWidth = 1;
    qreal m_lineHeight = 1;
    qreal m_ascent = 0;
};
