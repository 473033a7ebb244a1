// Menu commands whose windows are still being built. Each moves to its own file as it is
// written; this file goes away when it is empty.
#include "shell/ui/frmMdimenuform.h"

namespace folio {

void frmMdimenuform::mnuOef_Click() {}
void frmMdimenuform::mnuNew_Click() {}
void frmMdimenuform::mnuNewBlank_Click() {}
void frmMdimenuform::mnuMyShades_Click() {}
void frmMdimenuform::mnuTabkey_Click() {}
void frmMdimenuform::mnuDateTime_Click() {}
void frmMdimenuform::mnuUppercase_Click() {}
void frmMdimenuform::mnuLowercase_Click() {}
void frmMdimenuform::mnuWarning_Click() {}
void frmMdimenuform::mnuLineBreak_Click() {}
void frmMdimenuform::mnuBS_Click() {}
void frmMdimenuform::mnuHyperlink_Click() {}
void frmMdimenuform::mnuImage_Click() {}
void frmMdimenuform::mnuBold_Click() {}
void frmMdimenuform::mnuUnderline_Click() {}
void frmMdimenuform::mnuItalic_Click() {}
void frmMdimenuform::mnuFont_Click() {}
void frmMdimenuform::mnuAlignLeft_Click() {}
void frmMdimenuform::mnuAlignCenter_Click() {}
void frmMdimenuform::mnuAlignRight_Click() {}
void frmMdimenuform::mnuAlignTop_Click() {}
void frmMdimenuform::mnuAlignMiddle_Click() {}
void frmMdimenuform::mnuAlignBottom_Click() {}
void frmMdimenuform::mnuAlignCenterPair_Click() {}
void frmMdimenuform::mnuListOl_Click() {}
void frmMdimenuform::mnuListUl_Click() {}
void frmMdimenuform::mnuListLi_Click() {}
void frmMdimenuform::mnuTableBody_Click() {}
void frmMdimenuform::mnuTableTr_Click() {}
void frmMdimenuform::mnuTableTd_Click() {}
void frmMdimenuform::mnuParagraph_Click() {}
void frmMdimenuform::mnuDivision_Click() {}

}  // namespace folio
