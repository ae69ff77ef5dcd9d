#include "App/ui/NoDataView.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NoDataView::NoDataView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("NoDataView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 24, 16, 24);
    layout->addStretch(1);
    m_image = new QLabel(this);
    m_image->setAlignment(Qt::AlignCenter);
    m_image->hide();
    layout->addWidget(m_image);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("noDataTitle"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setWordWrap(true);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    layout->addWidget(m_title);
    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("noDataInfo"));
    m_info->setAlignment(Qt::AlignCenter);
    m_info->setWordWrap(true);
    layout->addWidget(m_info);
    m_button = new QPushButton(this);
    m_button->setObjectName(QStringLiteral("noDataAction"));
    m_button->hide();
    layout->addWidget(m_button, 0, Qt::AlignHCenter);
    layout->addStretch(2);
    connect(m_button, &QPushButton::clicked, this, [this] {
        if (m_action) m_action();
    });
}

void NoDataView::set(const QString& title, const QString& info, const QIcon& image, std::function<void()> action,
                     const QString& actionButtonTitle)
{
    m_title->setText(title);
    m_info->setText(info);
    m_image->setVisible(!image.isNull());
    if (!image.isNull()) m_image->setPixmap(image.pixmap(64, 64));
    m_action = std::move(action);
    m_button->setText(actionButtonTitle);
    m_button->setVisible(static_cast<bool>(m_action));
}
