#include "Editor/Pages/ui/ViewItemRowView.h"

#include "Editor/Pages/PageResources.h"
#include "Editor/Pages/ViewOutlineTreeModel.h"

#include <QApplication>
#include <QPainter>

namespace {

constexpr int kRowHeight = 28;
constexpr int kIconSize = 16;
constexpr int kGap = 6;

} // namespace

ViewItemRowView::ViewItemRowView(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

QIcon ViewItemRowView::getImage(const QString& componentType) const
{
    auto found = m_icons.constFind(componentType);
    if (found != m_icons.constEnd()) return *found;
    const QIcon icon(PageResources::iconPathForClassKey(componentType));
    m_icons.insert(componentType, icon);
    return icon;
}

void ViewItemRowView::paint(QPainter* painter, const QStyleOptionViewItem& rowOption, const QModelIndex& index) const
{
    // A row under the pointer looks like any other: hovering tints nothing (a selected row still
    // shows as selected).
    QStyleOptionViewItem option = rowOption;
    option.state &= ~QStyle::State_MouseOver;
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = QIcon();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect rect = option.rect.adjusted(2, 0, -2, 0);
    const QRect iconRect(rect.left() + kGap, rect.top() + (rect.height() - kIconSize) / 2, kIconSize, kIconSize);
    getImage(index.data(ViewOutlineTreeModel::AncestorClassKeyRole).toString()).paint(painter, iconRect);

    const bool selected = option.state & QStyle::State_Selected;
    const QColor textColor = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QString name = index.data(ViewOutlineTreeModel::NameRole).toString();
    const QString className = index.data(ViewOutlineTreeModel::ClassNameRole).toString();
    const int textLeft = iconRect.right() + 1 + kGap;
    const int available = rect.right() - textLeft - kGap;
    const QFontMetrics metrics(option.font);
    const QString shownName = metrics.elidedText(name, Qt::ElideRight, available * 2 / 3);
    painter->setFont(option.font);
    painter->setPen(textColor);
    const QRect nameRect(textLeft, rect.top(), metrics.horizontalAdvance(shownName), rect.height());
    painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, shownName);
    QColor classColor = textColor;
    classColor.setAlphaF(0.6f);
    painter->setPen(classColor);
    const QRect classRect(nameRect.right() + 1 + kGap, rect.top(), rect.right() - nameRect.right() - kGap, rect.height());
    painter->drawText(classRect, Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(className, Qt::ElideRight, classRect.width()));
    painter->restore();
}

QSize ViewItemRowView::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSize base = QStyledItemDelegate::sizeHint(option, index);
    return {base.width() + kIconSize + 3 * kGap, kRowHeight};
}
