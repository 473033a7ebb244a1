// The commands that open document windows: "&Open an Existing File", "Create a &New File",
// "Open a New &Blank File" and "Open &MyShades.csv".
#include "shell/ui/frmMdimenuform.h"

#include "document/logic/DocumentFile.h"
#include "document/ui/frmTf.h"
#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "shell/logic/MessageTexts.h"
#include "shell/ui/basModu001.h"

#include <QAction>

namespace folio {

void frmMdimenuform::mnuOef_Click()
{
    intOw = intOw + 1;
    frmTf* form = ChildForm::load<frmTf>(mdiArea());
    form->Opentf();
    // An empty name: the open dialog was cancelled, so the new window goes again.
    if (CommonDialog1.FileName.isEmpty())
        mnuClose_Click();
}

void frmMdimenuform::mnuNew_Click()
{
    try {
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
    } catch (const RuntimeError& e) {
        if (e.number() == err::CancelError)
            return;
        basModu001::ReportError(e);
    }
}

void frmMdimenuform::mnuNewBlank_Click()
{
    frmTf* form = ChildForm::load<frmTf>(mdiArea());
    intOw = intOw + 1;
    form->setCaption(QStringLiteral("Untitled"));
}

void frmMdimenuform::mnuMyShades_Click()
{
    try {
        intOw = intOw + 1;
        mnuMyShades->setEnabled(false);
        frmTf* form = ChildForm::load<frmTf>(mdiArea());
        form->OpenMyShades();
    } catch (const RuntimeError& e) {
        basModu001::ReportError(e);
    }
}

}  // namespace folio
