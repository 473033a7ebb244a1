// "&File": close the active child window, leave the program.
#include "shell/ui/frmMdimenuform.h"

#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "shared/ui/Guarded.h"
#include "shell/logic/MessageTexts.h"

namespace folio {

void frmMdimenuform::mnuClose_Click()
{
    // No child window to close is said in so many words.
    const auto noWindow = [](const RuntimeError& e) {
        if (e.number() != err::ObjectNotSet)
            return false;
        MsgBox(shell::kNoFileToCloseText);
        return true;
    };
    guarded(
        [&] {
            ChildForm* form = ActiveForm();
            if (!form)
                throw RuntimeError::noObject();
            form->Unload();
        },
        noWindow);
}

void frmMdimenuform::mnuExit_Click()
{
    close();
}

}  // namespace folio
