#include "App/ui/MessageBoxDialogPresenter.h"

#include "platform/Localization.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {
const char* const kButtonIndexProperty = "quorvexButtonIndex";

// A long informative text (a sentence followed by the names of many artboards) would make the box
// taller than the screen. Its first line stays in the box's own label, whole and wrapped as
// before; the lines after it go into a read-only details area of bounded height below it, which
// scrolls. A first line that is itself too tall goes into the details area with the rest.
void boundInformativeText(QMessageBox* box)
{
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
    auto* grid = qobject_cast<QGridLayout*>(box->layout());
    const QScreen* screen = box->screen() ? box->screen() : QGuiApplication::primaryScreen();
    if (!label || !grid || !screen) return;
    const int maxHeight = static_cast<int>(screen->availableGeometry().height() * MessageBoxDialogPresenter::kMaxInformativeShare);
    // The box lays its labels out no wider than this, whatever the screen.
    constexpr int kLabelWidth = 500;
    if (label->heightForWidth(kLabelWidth) <= maxHeight) return;
    const int index = grid->indexOf(label);
    if (index < 0) return;
    int row = 0;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);

    const QString text = label->text();
    const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
    label->setText(lineEnd < 0 ? text : text.left(lineEnd));
    QString details = lineEnd < 0 ? QString() : text.mid(lineEnd + 1);
    if (label->heightForWidth(kLabelWidth) > maxHeight / 2) {
        label->clear();
        details = text;
    }
    // Blank lines before the list only set it apart from the sentence, which the area's frame does.
    while (details.startsWith(QLatin1Char('\n'))) details.remove(0, 1);
    label->setVisible(!label->text().isEmpty());

    grid->removeWidget(label);
    auto* holder = new QWidget(box);
    auto* stack = new QVBoxLayout(holder);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(label);
    auto* area = new QPlainTextEdit(holder);
    area->setObjectName(QStringLiteral("informativeDetails"));
    area->setReadOnly(true);
    area->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    area->setPlainText(details);
    area->setMinimumWidth(kLabelWidth);
    const int margins = 2 * (area->frameWidth() + static_cast<int>(area->document()->documentMargin()));
    const int textHeight = area->fontMetrics()
                               .boundingRect(QRect(0, 0, kLabelWidth - margins, std::numeric_limits<int>::max() / 2),
                                             Qt::TextWordWrap, details)
                               .height();
    area->setFixedHeight(std::min(maxHeight, textHeight + margins));
    stack->addWidget(area);
    grid->addWidget(holder, row, column, rowSpan, columnSpan);
}
} // namespace

QMessageBox* MessageBoxDialogPresenter::makeConfirmationBox(QWidget* parent, const QString& question,
                                                            const QStringList& buttonTitles,
                                                            const QString& informativeText)
{
    auto* box = new QMessageBox(parent);
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(QApplication::applicationDisplayName());
    box->setText(platform::shortenedForDisplay(question, kMaxTextChars));
    box->setInformativeText(platform::shortenedForDisplay(informativeText, kMaxTextChars));

    QStringList titles = buttonTitles;
    if (titles.isEmpty()) titles << platform::localized("common.ok");
    QPushButton* last = nullptr;
    for (int i = 0; i < titles.size(); ++i) {
        // ActionRole keeps the buttons in the order given.
        QPushButton* button = box->addButton(titles[i], QMessageBox::ActionRole);
        button->setProperty(kButtonIndexProperty, i);
        if (i == 0) box->setDefaultButton(button);
        last = button;
    }
    // Escape and the close button must never read as "go on": they answer the last button.
    box->setEscapeButton(last);
    boundInformativeText(box);
    return box;
}

int MessageBoxDialogPresenter::responseOf(const QMessageBox& box)
{
    const QList<QAbstractButton*> buttons = box.buttons();
    const int lastIndex = static_cast<int>(buttons.size()) - 1;
    const QAbstractButton* clicked = box.clickedButton();
    bool ok = false;
    const int index = clicked ? clicked->property(kButtonIndexProperty).toInt(&ok) : -1;
    if (!ok || index < 0 || index > lastIndex) return platform::kAlertFirstButtonReturn + std::max(lastIndex, 0);
    return platform::kAlertFirstButtonReturn + index;
}

int MessageBoxDialogPresenter::confirmation(const QString& question, const QStringList& buttonTitles,
                                            const QString& informativeText)
{
    // The parent window may close while the box is up (a sign-out from a service reply); the box
    // goes with it, and a question nobody answered counts as the last button.
    QPointer<QMessageBox> box = makeConfirmationBox(QApplication::activeWindow(), question, buttonTitles, informativeText);
    const int lastResponse = platform::kAlertFirstButtonReturn + std::max<int>(static_cast<int>(buttonTitles.size()) - 1, 0);
    box->exec();
    if (!box) return lastResponse;
    const int response = responseOf(*box);
    delete box.data();
    return response;
}

void MessageBoxDialogPresenter::alert(const QString& message, const QString& informativeText,
                                      const QString& buttonTitle)
{
    const QString title = buttonTitle.isEmpty() ? platform::localized("common.ok") : buttonTitle;
    QPointer<QMessageBox> box = makeConfirmationBox(QApplication::activeWindow(), message, {title}, informativeText);
    box->exec();
    delete box.data();
}
