// "&Application": help, the tutorials, the colour tool, the shades file, About.
#include "shell/ui/frmMdimenuform.h"

#include "platform/logic/ProgramFolder.h"
#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "reading/ui/TutorialForm.h"
#include "reading/ui/frmAbout.h"
#include "shell/logic/MessageTexts.h"
#include "shell/ui/basModu001.h"

namespace folio {

void frmMdimenuform::mnuHelp_Click()
{
    MsgBox(shell::helpMessageText(programFolder()));
    mnuTutorialHTML_Click();
    mnuHelp->setEnabled(false);
}

void frmMdimenuform::mnuTutorialHTML_Click()
{
    try {
        intOw = intOw + 1;
        openSingleInstance<frmTuto01>(htmlTutorialWindow);
        mnuTutorialHTML->setEnabled(false);
    } catch (const RuntimeError& e) {
        basModu001::ReportError(e);
    }
}

void frmMdimenuform::mnuTutorialAutorun_Click()
{
    try {
        intOw = intOw + 1;
        openSingleInstance<frmTuto02>(autorunTutorialWindow);
        mnuTutorialAutorun->setEnabled(false);
    } catch (const RuntimeError& e) {
        basModu001::ReportError(e);
    }
}

void frmMdimenuform::mnuAbout_Click()
{
    try {
        intOw = intOw + 1;
        openSingleInstance<frmAbout>(aboutWindow);
        mnuAbout->setEnabled(false);
    } catch (const RuntimeError& e) {
        basModu001::ReportError(e);
    }
}

}  // namespace folio
