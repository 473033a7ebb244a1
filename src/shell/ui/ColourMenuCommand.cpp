// "Colour &Picker": opens the RGB and ASCII tool window.
#include "shell/ui/frmMdimenuform.h"

#include "colour/ui/frmRgbAscii.h"
#include "platform/logic/RuntimeError.h"
#include "shell/ui/basModu001.h"

namespace folio {

void frmMdimenuform::mnuAC_Click()
{
    try {
        intOw = intOw + 1;
        openSingleInstance<frmRgbAscii>(colourToolWindow);
        mnuAC->setEnabled(false);
    } catch (const RuntimeError& e) {
        basModu001::ReportError(e);
    }
}

}  // namespace folio
