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

QList<QMessageBox::StandardButton> buttonsOf(MsgButtons b)
{
    switch (b) {
    case MsgButtons::OkOnly: return {QMessageBox::Ok};
    case MsgButtons::OkCancel: return {QMessageBox::Ok, QMessageBox::Cancel};
    case MsgButtons::AbortRetryIgnore: return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case MsgButtons::YesNoCancel: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case MsgButtons::YesNo: return {QMessageBox::Yes, QMessageBox::No};
    case MsgButtons::RetryCancel: return {QMessageBox::Retry, QMessageBox::Cancel};
    }
    return {QMessageBox::Ok};
}

MsgAnswer answerOf(QMessageBox::StandardButton b)
{
    switch (b) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Abort: return MsgAnswer::Abort;
    case QMessageBox::Retry: return MsgAnswer::Retry;
    case QMessageBox::Ignore: return MsgAnswer::Ignore;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return MsgAnswer::Cancel;
    }
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
    const auto buttons = buttonsOf(request.buttons);
    for (auto b : buttons)
        box.addButton(b);
    const int index = qBound(1, request.defaultButton, int(buttons.size())) - 1;
    box.setDefaultButton(buttons.at(index));
    // Esc answers like the box's close button: Cancel where there is one, else No, else OK.
    if (buttons.contains(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    else if (buttons.contains(QMessageBox::No))
        box.setEscapeButton(QMessageBox::No);
    else if (buttons.size() == 1)
        box.setEscapeButton(buttons.first());
    box.exec();
    auto* clicked = box.clickedButton();
    if (!clicked)
        return buttons.contains(QMessageBox::Cancel) ? MsgAnswer::Cancel : answerOf(buttons.last());
    return answerOf(box.standardButton(clicked));
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

MsgAnswer MsgBox(const QString& prompt, MsgButtons buttons, MsgIcon icon, int defaultButton,
                 const QString& title)
{
    return Dialogs::current().msgBox(MsgBoxRequest{prompt, buttons, icon, defaultButton, title});
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    return Dialogs::current().inputBox(prompt, title, defaultText);
}

}  // namespace folio
