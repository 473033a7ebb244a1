#include "platform/ui/QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace folio {

namespace {

QtDialogs& qtDialogs()
{
    static QtDialogs instance;
    return instance;
}

Dialogs* g_installed = nullptr;

QWidget* dialogParent()
{
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    if (QWidget* w = QApplication::activeWindow())
        return w;
    return nullptr;
}

QList<MsgAnswer> buttonsOf(MsgButtons b)
{
    switch (b) {
    case MsgButtons::OkOnly: return {MsgAnswer::Ok};
    case MsgButtons::OkCancel: return {MsgAnswer::Ok, MsgAnswer::Cancel};
    case MsgButtons::AbortRetryIgnore: return {MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore};
    case MsgButtons::YesNoCancel: return {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel};
    case MsgButtons::YesNo: return {MsgAnswer::Yes, MsgAnswer::No};
    case MsgButtons::RetryCancel: return {MsgAnswer::Retry, MsgAnswer::Cancel};
    }
    return {MsgAnswer::Ok};
}

QString captionOf(MsgAnswer a)
{
    switch (a) {
    case MsgAnswer::Ok: return QStringLiteral("OK");
    case MsgAnswer::Cancel: return QStringLiteral("Cancel");
    case MsgAnswer::Abort: return QStringLiteral("&Abort");
    case MsgAnswer::Retry: return QStringLiteral("&Retry");
    case MsgAnswer::Ignore: return QStringLiteral("&Ignore");
    case MsgAnswer::Yes: return QStringLiteral("&Yes");
    case MsgAnswer::No: return QStringLiteral("&No");
    }
    return QString();
}

// What Esc and the close box answer: Cancel where there is one, else No, else Abort (which
// ends what the box asks about), else the only button. Never a choice the box does not show.
MsgAnswer escapeAnswerOf(const QList<MsgAnswer>& buttons)
{
    for (MsgAnswer a : {MsgAnswer::Cancel, MsgAnswer::No, MsgAnswer::Abort})
        if (buttons.contains(a))
            return a;
    return buttons.first();
}

QMessageBox::Icon iconOf(MsgIcon i)
{
    switch (i) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

Dialogs& Dialogs::current()
{
    return g_installed ? *g_installed : qtDialogs();
}

void Dialogs::install(Dialogs* dialogs)
{
    g_installed = dialogs;
}

MsgAnswer QtDialogs::msgBox(const MsgBoxRequest& request)
{
    QMessageBox box(dialogParent());
    box.setWindowTitle(request.title);
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(request.prompt));
    box.setIcon(iconOf(request.icon));
    // The buttons stand left to right in the order the program names them. Given one shared
    // role they keep that order; by their standard roles the desktop's convention would
    // reorder them (Abort, Retry, Ignore came out as Retry, Ignore, Abort).
    const QList<MsgAnswer> answers = buttonsOf(request.buttons);
    QList<QPushButton*> buttons;
    for (MsgAnswer a : answers)
        buttons << box.addButton(captionOf(a), QMessageBox::ActionRole);
    const int index = qBound(1, request.defaultButton, int(buttons.size())) - 1;
    box.setDefaultButton(buttons.at(index));
    const MsgAnswer onEscape = escapeAnswerOf(answers);
    box.setEscapeButton(buttons.at(answers.indexOf(onEscape)));
    box.exec();
    const qsizetype clicked = buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
    return clicked < 0 ? onEscape : answers.at(clicked);
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    QInputDialog dlg(dialogParent());
    dlg.setWindowTitle(title);
    dlg.setLabelText(displayText(prompt));
    dlg.setTextValue(defaultText);
    dlg.setInputMode(QInputDialog::TextInput);
    if (dlg.exec() != QDialog::Accepted)
        return QString();
    return dlg.textValue();
}

void MsgBox(const QString& prompt)
{
    Dialogs::current().msgBox(MsgBoxRequest{prompt});
}

MsgAnswer MsgBox(const QString& prompt, MsgButtons buttons, MsgIcon icon, int defaultButton, const QString& title)
{
    return Dialogs::current().msgBox(MsgBoxRequest{prompt, buttons, icon, defaultButton, title});
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    return Dialogs::current().inputBox(prompt, title, defaultText);
}

}  // namespace folio
