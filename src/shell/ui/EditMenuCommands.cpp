// "&Edit": the clipboard, the find-panel toggle, and the font and colour of the active
// child window's text box.
#include "shell/ui/frmMdimenuform.h"

#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/EditTarget.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/TextBox.h"
#include "shared/ui/Guarded.h"

#include <QClipboard>
#include <QGuiApplication>

namespace folio {

namespace {

// What the command needs of the active child, as the window offers it: no window at all
// gives error 91, a window without that part error 438.
template <class T>
T* activeChildPart(const frmMdimenuform& main, T* (ChildForm::*part)() const)
{
    const ChildForm* form = main.ActiveForm();
    if (!form)
        throw RuntimeError::noObject();
    T* control = (form->*part)();
    if (!control)
        throw RuntimeError::notSupported();
    return control;
}

}  // namespace

void frmMdimenuform::mnuCopy_Click()
{
    const auto target = editTarget();
    if (!target) {
        MsgBox(kClipboardRefusal);
        return;
    }
    // With nothing selected there is nothing to copy, and the clipboard keeps what it has.
    const QString selected = target->SelText();
    if (!selected.isEmpty())
        QGuiApplication::clipboard()->setText(selected);
}

void frmMdimenuform::mnuCut_Click()
{
    const auto target = editTarget();
    if (!target) {
        MsgBox(kClipboardRefusal);
        return;
    }
    const QString selected = target->SelText();
    if (selected.isEmpty())
        return;  // nothing to cut: the clipboard keeps what it has
    QGuiApplication::clipboard()->setText(selected);
    target->ReplaceSelection(QString());
}

void frmMdimenuform::mnuPaste_Click()
{
    const auto target = editTarget();
    if (!target) {
        MsgBox(kClipboardRefusal);
        return;
    }
    // With no text on the clipboard (nothing, or only a picture) there is nothing to paste,
    // and the selection stays.
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        target->ReplaceSelection(text);
}

void frmMdimenuform::mnuFindOnOff_Click()
{
    guarded([&] {
        // The caption changes only after the panel, so a failure leaves it as it was.
        const bool show = m_findToggleShows;
        activeChildPart(*this, &ChildForm::findPanel)->setVisible(show);
        showFindPanelState(!show);
    });
}

void frmMdimenuform::mnuSetFont_Click()
{
    // Any failure, Cancel included, ends the command silently.
    guarded(
        [&] {
            CommonDialog1.CancelError = true;
            CommonDialog1.Flags = 3;
            CommonDialog1.Min = 8;
            CommonDialog1.Max = 20;
            CommonDialog1.DialogTitle = QStringLiteral("Set Font for the Text");
            auto* text = activeChildPart(*this, &ChildForm::textBox);
            // The text box's font goes to the dialog and comes back, property by property.
            CommonDialog1.setFont(fonts::choiceOf(text->font()));
            CommonDialog1.ShowFont();
            text->setFont(fonts::withChoice(text->font(), CommonDialog1.font()));
        },
        anyFailure);
}

void frmMdimenuform::mnuColour_Click()
{
    // Any failure, Cancel included, ends the command silently.
    guarded(
        [&] {
            CommonDialog1.DialogTitle = QStringLiteral("Select a colour");
            CommonDialog1.CancelError = true;
            auto* text = activeChildPart(*this, &ChildForm::textBox);
            const QColor back = text->palette().color(QPalette::Base);
            CommonDialog1.Color = RGB(back.red(), back.green(), back.blue());
            CommonDialog1.ShowColor();
            QPalette pal = text->palette();
            const ColourValue c = CommonDialog1.Color;
            pal.setColor(QPalette::Base, QColor(redOf(c), greenOf(c), blueOf(c)));
            text->setPalette(pal);
        },
        anyFailure);
}

}  // namespace folio
