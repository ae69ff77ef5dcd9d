#include "CodePreferences/ui/CodeTextViewer.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace {

// The space around the text and the distance between tab stops, as a plain text editor's
// document has them by default.
constexpr qreal kMargin = 4;
constexpr qreal kTabStopDistance = 80;

int toScrollValue(std::size_t value)
{
    return static_cast<int>(std::min<std::size_t>(value, INT_MAX));
}

} // namespace

CodeTextViewer::CodeTextViewer(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(2);
    updateMetrics();
}

void CodeTextViewer::setText(std::shared_ptr<const std::string> text)
{
    m_lines = CodeTextLines(std::move(text), m_lines.tabColumns());
    m_anchor = m_cursor = 0;
    updateScrollBars();
    scrollToStart();
    viewport()->update();
}

void CodeTextViewer::clear()
{
    setText(nullptr);
}

void CodeTextViewer::updateMetrics()
{
    const QFontMetricsF metrics(font());
    m_columnWidth = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char('0')));
    m_lineHeight = std::max<qreal>(1, metrics.lineSpacing());
    m_ascent = metrics.ascent();
    // tabs stop about where a plain text editor's do
    const auto tabColumns = static_cast<std::size_t>(std::max(1.0, std::round(kTabStopDistance / m_columnWidth)));
    if (tabColumns != m_lines.tabColumns()) m_lines = CodeTextLines(m_lines.sharedText(), tabColumns);
    updateScrollBars();
}

std::size_t CodeTextViewer::firstLine() const
{
    return static_cast<std::size_t>(verticalScrollBar()->value());
}

std::size_t CodeTextViewer::firstColumn() const
{
    return static_cast<std::size_t>(horizontalScrollBar()->value());
}

std::size_t CodeTextViewer::fullLines() const
{
    return static_cast<std::size_t>(std::max(1.0, std::floor((viewport()->height() - 2 * kMargin) / m_lineHeight)));
}

std::size_t CodeTextViewer::fullColumns() const
{
    return static_cast<std::size_t>(std::max(1.0, std::floor((viewport()->width() - 2 * kMargin) / m_columnWidth)));
}

void CodeTextViewer::updateScrollBars()
{
    const std::size_t lines = fullLines();
    const std::size_t columns = fullColumns();
    verticalScrollBar()->setRange(0, toScrollValue(m_lines.lineCount() - std::min(m_lines.lineCount(), lines)));
    verticalScrollBar()->setPageStep(toScrollValue(lines));
    // one column more than the widest line, where a selection shows its line break
    const std::size_t widest = m_lines.widestLineColumns() + 1;
    horizontalScrollBar()->setRange(0, toScrollValue(widest - std::min(widest, columns)));
    horizontalScrollBar()->setPageStep(toScrollValue(columns));
}

void CodeTextViewer::scrollToStart()
{
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void CodeTextViewer::scrollToEnd()
{
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    const CodeTextLines::Line last = m_lines.line(m_lines.lineCount() - 1);
    const std::size_t end = m_lines.columnOf(last, last.end) + 1;
    horizontalScrollBar()->setValue(toScrollValue(end - std::min(end, fullColumns())));
}

template <class Visit>
void CodeTextViewer::forEachShownLine(Visit&& visit) const
{
    // the last line in the window may show in part
    const std::size_t count = std::min(m_lines.lineCount() - firstLine(), fullLines() + 1);
    CodeTextLines::Line line = m_lines.line(firstLine());
    for (std::size_t row = 0; row < count; ++row, line = m_lines.lineAfter(line))
        visit(row, line, m_lines.shownText(line, firstColumn(), fullColumns() + 1));
}

QStringList CodeTextViewer::shownLines() const
{
    QStringList shown;
    forEachShownLine([&shown](std::size_t, const CodeTextLines::Line&, const QString& text) { shown << text; });
    return shown;
}

QString CodeTextViewer::selectedText() const
{
    return m_lines.textBetween(std::min(m_anchor, m_cursor), std::max(m_anchor, m_cursor));
}

void CodeTextViewer::select(std::size_t anchor, std::size_t cursor)
{
    if (anchor == m_anchor && cursor == m_cursor) return;
    m_anchor = anchor;
    m_cursor = cursor;
    viewport()->update();
}

void CodeTextViewer::selectAll()
{
    select(0, m_lines.text().size());
}

void CodeTextViewer::copy() const
{
    if (m_anchor != m_cursor) QApplication::clipboard()->setText(selectedText());
}

void CodeTextViewer::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setFont(font());
    const QPalette& colours = palette();
    const std::size_t selectionStart = std::min(m_anchor, m_cursor);
    const std::size_t selectionEnd = std::max(m_anchor, m_cursor);
    const std::size_t left = firstColumn();
    const std::size_t columns = fullColumns() + 1;
    forEachShownLine([&](std::size_t row, const CodeTextLines::Line& line, const QString& shown) {
        const qreal top = kMargin + static_cast<qreal>(row) * m_lineHeight;
        QRectF selected;
        if (selectionStart < selectionEnd && selectionStart <= line.end && selectionEnd > line.start) {
            const std::size_t from = std::max(m_lines.columnOf(line, selectionStart), left);
            // a selection that goes on to the next line shows the line break as one column
            const std::size_t to =
                std::min(m_lines.columnOf(line, selectionEnd) + (selectionEnd > line.end ? 1 : 0), left + columns);
            if (from < to)
                selected = QRectF(kMargin + static_cast<qreal>(from - left) * m_columnWidth, top,
                                  static_cast<qreal>(to - from) * m_columnWidth, m_lineHeight);
        }
        const QPointF baseline(kMargin, top + m_ascent);
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(baseline, shown);
        if (selected.isEmpty()) return;
        painter.fillRect(selected, colours.brush(QPalette::Highlight));
        painter.save();
        painter.setClipRect(selected);
        painter.setPen(colours.color(QPalette::HighlightedText));
        painter.drawText(baseline, shown);
        painter.restore();
    });
}

void CodeTextViewer::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CodeTextViewer::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateMetrics();
}

std::size_t CodeTextViewer::offsetAt(QPointF point) const
{
    const double row = std::floor((point.y() - kMargin) / m_lineHeight);
    const double lineIndex = std::clamp(static_cast<double>(firstLine()) + row, 0.0,
                                        static_cast<double>(m_lines.lineCount() - 1));
    const double column = std::max(0.0, static_cast<double>(firstColumn()) + std::round((point.x() - kMargin) / m_columnWidth));
    return m_lines.offsetNearestColumn(m_lines.line(static_cast<std::size_t>(lineIndex)), static_cast<std::size_t>(column));
}

void CodeTextViewer::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    const std::size_t at = offsetAt(event->position());
    select(event->modifiers().testFlag(Qt::ShiftModifier) ? m_anchor : at, at);
}

void CodeTextViewer::mouseMoveEvent(QMouseEvent* event)
{
    if (!event->buttons().testFlag(Qt::LeftButton)) return QAbstractScrollArea::mouseMoveEvent(event);
    // dragging past an edge scrolls toward it
    const QPointF at = event->position();
    const QRect inside = viewport()->rect();
    if (at.y() < inside.top()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    if (at.y() > inside.bottom()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (at.x() < inside.left()) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    if (at.x() > inside.right()) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    select(m_anchor, offsetAt(at));
}

void CodeTextViewer::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::SelectAll)) return selectAll();
    if (event->matches(QKeySequence::Copy)) return copy();
    const bool plainOrControl = (event->modifiers() | Qt::ControlModifier) == Qt::ControlModifier;
    if (plainOrControl && event->key() == Qt::Key_Home) return scrollToStart();
    if (plainOrControl && event->key() == Qt::Key_End) return scrollToEnd();
    QAbstractScrollArea::keyPressEvent(event);
}

void CodeTextViewer::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this); // deletes itself when closed
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copyAction = menu->addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"), this,
                                          &CodeTextViewer::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(m_anchor != m_cursor);
    menu->addSeparator();
    QAction* all = menu->addAction(QCoreApplication::translate("QWidgetTextControl", "Select All"), this,
                                   &CodeTextViewer::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    menu->popup(event->globalPos());
}
