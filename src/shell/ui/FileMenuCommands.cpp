// "&File": close the active child window, leave the program.
#include "shell/ui/frmMdimenuform.h"

#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "shell/logic/MessageTexts.h"
#include "shared/ui/basModu001.h"

namespace folio {

void frmMdimenuform::mnuClose_Click()
{
    try {
        ChildForm* form = ActiveForm();
        if (!form)
            throw RuntimeError::noObject();
        form->Unload();
    } catch (const RuntimeError& e) {
        if (e.number() == err::ObjectNotSet) {
            MsgBox(shell::kNoFileToCloseText);
            return;
        }
        basModu001::ReportError(e);
    }
}

void frmMdimenuform::mnuExit_Click()
{
    close();
}

}  // namespace folio
