#include "shell/ui/basModu001.h"

#include "platform/ui/Dialogs.h"
#include "shell/ui/frmMdimenuform.h"

namespace basModu001 {

void SetHtmlMenuState(const QString& extension)
{
    auto* main = folio::frmMdimenuform::instance();
    if (!main) {
        ReportError(folio::RuntimeError::noObject());
        return;
    }
    switch (htmlMenuEffect(extension)) {
    case HtmlMenuEffect::Enable: main->mnuHtml->setEnabled(true); break;
    case HtmlMenuEffect::Disable: main->mnuHtml->setEnabled(false); break;
    case HtmlMenuEffect::Unchanged: break;
    }
}

void ReportError(const folio::RuntimeError& error)
{
    folio::MsgBox(errorReportText(error));
}

}  // namespace basModu001
