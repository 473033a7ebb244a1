// "Colour &Picker": opens the RGB and ASCII tool window.
#include "shell/ui/frmMdimenuform.h"

#include "colour/ui/frmRgbAscii.h"

namespace folio {

void frmMdimenuform::mnuAC_Click()
{
    openFromMenu(mnuAC, [this] { openSingleInstance<frmRgbAscii>(m_colourToolWindow); });
}

}  // namespace folio
