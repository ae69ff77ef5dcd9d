#include "platform/ScriptedDialogPresenter.h"

namespace platform {
namespace {
int lastButton(const QStringList& titles)
{
    return titles.isEmpty() ? kAlertFirstButtonReturn : kAlertFirstButtonReturn + static_cast<int>(titles.size()) - 1;
}
} // namespace

ScriptedDialogPresenter::ScriptedDialogPresenter()
{
    Dialogs::setPresenter(this);
}

ScriptedDialogPresenter::~ScriptedDialogPresenter()
{
    if (&Dialogs::presenter() == this) Dialogs::setPresenter(nullptr);
}

void ScriptedDialogPresenter::queueAnswer(int response)
{
    m_answers.push_back({response, {}});
}

void ScriptedDialogPresenter::queueButton(const QString& title)
{
    m_answers.push_back({0, title});
}

void ScriptedDialogPresenter::clear()
{
    m_answers.clear();
    m_shown.clear();
    m_unmatched.clear();
}

int ScriptedDialogPresenter::confirmation(const QString& question, const QStringList& buttonTitles,
                                          const QString& informativeText)
{
    int response = lastButton(buttonTitles);
    if (!m_answers.empty()) {
        const Answer a = m_answers.front();
        m_answers.pop_front();
        if (a.title.isEmpty()) {
            response = a.response;
        } else if (const auto i = buttonTitles.indexOf(a.title); i >= 0) {
            response = kAlertFirstButtonReturn + static_cast<int>(i);
        } else {
            m_unmatched.append(a.title);
        }
    }
    m_shown.push_back({Kind::Confirmation, question, informativeText, buttonTitles, response});
    return response;
}

void ScriptedDialogPresenter::alert(const QString& message, const QString& informativeText, const QString& buttonTitle)
{
    m_shown.push_back({Kind::Alert, message, informativeText, QStringList{buttonTitle}, kAlertFirstButtonReturn});
}

} // namespace platform
