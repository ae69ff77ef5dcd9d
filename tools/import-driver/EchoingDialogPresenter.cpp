#include "EchoingDialogPresenter.h"

#include "platform/Dialogs.h"

#include <utility>

EchoingDialogPresenter::EchoingDialogPresenter(std::function<void(const QString& line)> print)
    : m_print(std::move(print))
{
    // The scripted presenter installed itself when it was made; this one takes its place and
    // hands it the questions.
    platform::Dialogs::setPresenter(this);
}

EchoingDialogPresenter::~EchoingDialogPresenter()
{
    if (&platform::Dialogs::presenter() == this) platform::Dialogs::setPresenter(nullptr);
}

QString EchoingDialogPresenter::oneLine(const QString& text)
{
    // Texts keep their blanks: an artboard's name may end in one.
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" / "));
    line.replace(QLatin1Char('\n'), QStringLiteral(" / "));
    line.replace(QLatin1Char('\r'), QStringLiteral(" / "));
    return line;
}

int EchoingDialogPresenter::confirmation(const QString& question, const QStringList& buttonTitles,
                                         const QString& informativeText)
{
    if (!m_answerTitle.isEmpty() && buttonTitles.contains(m_answerTitle)) m_script.queueButton(m_answerTitle);
    const int response = m_script.confirmation(question, buttonTitles, informativeText);
    const qsizetype index = response - platform::kAlertFirstButtonReturn;
    const QString pressed = index >= 0 && index < buttonTitles.size() ? buttonTitles[index] : QString();
    if (m_print)
        m_print(QStringLiteral("dialog ") + oneLine(question) + QStringLiteral(" | ") + oneLine(informativeText) +
                QStringLiteral(" -> ") + pressed);
    return response;
}

void EchoingDialogPresenter::alert(const QString& message, const QString& informativeText, const QString& buttonTitle)
{
    ++m_alerts;
    m_script.alert(message, informativeText, buttonTitle);
    if (m_print) m_print(QStringLiteral("dialog ") + oneLine(message) + QStringLiteral(" | ") + oneLine(informativeText));
}
