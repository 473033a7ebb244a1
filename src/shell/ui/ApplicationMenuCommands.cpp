// "&Application": help, the tutorials, the colour tool, the shades file, About.
#include "shell/ui/frmMdimenuform.h"

#include "platform/logic/ProgramFolder.h"
#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "reading/ui/TutorialForm.h"
#include "reading/ui/frmAbout.h"
#include "shared/ui/Guarded.h"
#include "shell/logic/MessageTexts.h"

namespace folio {

void frmMdimenuform::mnuHelp_Click()
{
    MsgBox(shell::helpMessageText(programFolder()));
    mnuTutorialHTML_Click();
    mnuHelp->setEnabled(false);
}

void frmMdimenuform::openFromMenu(QAction* entry, const std::function<void()>& open)
{
    guarded([&] {
        windowOpened();
        open();
        entry->setEnabled(false);
    });
}

void frmMdimenuform::mnuTutorialHTML_Click()
{
    openFromMenu(mnuTutorialHTML, [this] { openSingleInstance<frmTuto01>(m_htmlTutorialWindow); });
}

void frmMdimenuform::mnuTutorialAutorun_Click()
{
    openFromMenu(mnuTutorialAutorun, [this] { openSingleInstance<frmTuto02>(m_autorunTutorialWindow); });
}

void frmMdimenuform::mnuAbout_Click()
{
    openFromMenu(mnuAbout, [this] { openSingleInstance<frmAbout>(m_aboutWindow); });
}

}  // namespace folio
