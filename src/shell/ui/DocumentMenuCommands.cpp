// The commands that open document windows: "&Open an Existing File", "Create a &New File",
// "Open a New &Blank File" and "Open &MyShades.csv".
#include "shell/ui/frmMdimenuform.h"

#include "document/logic/DocumentFile.h"
#include "document/ui/frmTf.h"
#include "platform/logic/NativeFileName.h"
#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "shared/ui/Guarded.h"
#include "shared/ui/basModu001.h"
#include "shell/logic/MessageTexts.h"

#include <QAction>
#include <QPointer>

namespace folio {

void frmMdimenuform::mnuOef_Click()
{
    windowOpened();
    frmTf* form = ChildForm::load<frmTf>(*this);
    // No file chosen: the open dialog was cancelled, so the new window goes again.
    if (!form->Opentf())
        mnuClose_Click();
}

void frmMdimenuform::openFiles(const QStringList& paths)
{
    QPointer<frmTf> lastOpened;
    for (const QString& path : paths) {
        // As the menu command does, with `path` for the dialog's choice. A file that cannot
        // be opened has been reported; its window goes again and the next file follows.
        windowOpened();
        frmTf* form = ChildForm::load<frmTf>(*this);
        // Several files may fail in turn: each report says which file it is about.
        const auto reportNamed = [&path](const RuntimeError& e) {
            basModu001::ReportError(RuntimeError(
                e.number(), e.description() + QStringLiteral(": \"") + displayFileName(path) + QLatin1Char('"'),
                e.source()));
            return true;
        };
        if (form->OpenFile(path, false, reportNamed))
            lastOpened = form;
        else
            form->Unload();
    }
    // The last file opened is the one in front, even when a later one failed.
    if (lastOpened && ActiveForm() != lastOpened)
        mdiArea()->setActiveSubWindow(lastOpened);
}

void frmMdimenuform::mnuNew_Click()
{
    guarded(
        [&] {
            CommonDialog1.DialogTitle = shell::kNewFileDialogTitle;
            CommonDialog1.DefaultExt = shell::kNewFileDefaultExt;
            CommonDialog1.Filter = shell::kNewFileFilter;
            CommonDialog1.CancelError = true;
            // The dialog starts without a name: an existing file gains a line only when the
            // user picks it on purpose, never because an earlier dialog left its name here.
            CommonDialog1.FileName.clear();
            CommonDialog1.ShowSave();
            if (CommonDialog1.FileName.isEmpty())
                return;
            // One empty line, added after whatever the file already holds.
            writeDocument(CommonDialog1.FileName, QString(), WriteMode::Append);
            MsgBox(shell::newFileCreatedText());
        },
        dialogCancelled);
}

void frmMdimenuform::mnuNewBlank_Click()
{
    frmTf* form = ChildForm::load<frmTf>(*this);
    windowOpened();
    form->setCaption(QStringLiteral("Untitled"));
}

void frmMdimenuform::mnuMyShades_Click()
{
    guarded([&] {
        windowOpened();
        mnuMyShades->setEnabled(false);
        frmTf* form = ChildForm::load<frmTf>(*this);
        m_shadesWindow = form;
        form->OpenMyShades();
    });
}

}  // namespace folio
