// Menu commands whose windows are still being built. Each moves to its own file as it is
// written; this file goes away when it is empty.
#include "shell/ui/frmMdimenuform.h"

namespace folio {


}  // namespace folio
