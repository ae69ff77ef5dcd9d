#include "PrintingDialogPresenter.h"

#include <QRegularExpression>

#include <utility>

PrintingDialogPresenter::PrintingDialogPresenter(std::function<void(const QString& line)> print)
    : m_print(std::move(print))
{
    // The recording presenter installed itself when it was made; this one takes its place.
    platform::Dialogs::setPresenter(this);
}

PrintingDialogPresenter::~PrintingDialogPresenter()
{
    if (&platform::Dialogs::presenter() == this) platform::Dialogs::setPresenter(nullptr);
}

QString PrintingDialogPresenter::line(const QString& title, const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QString printed = QStringLiteral("[dialog] ") + QString(title).replace(lineBreak, QStringLiteral(" / "));
    if (!text.isEmpty()) printed += QStringLiteral(": ") + QString(text).replace(lineBreak, QStringLiteral(" / "));
    return printed;
}

int PrintingDialogPresenter::confirmation(const QString& question, const QStringList& buttonTitles,
                                          const QString& informativeText)
{
    if (m_print) m_print(line(question, informativeText));
    return m_record.confirmation(question, buttonTitles, informativeText);
}

void PrintingDialogPresenter::alert(const QString& message, const QString& informativeText, const QString& buttonTitle)
{
    if (m_print) m_print(line(message, informativeText));
    m_record.alert(message, informativeText, buttonTitle);
}
