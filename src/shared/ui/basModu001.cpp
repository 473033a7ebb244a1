#include "shared/ui/basModu001.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/Frame.h"

namespace basModu001 {

void SetHtmlMenuState(folio::Frame& frame, const QString& extension)
{
    switch (htmlMenuEffect(extension)) {
    case HtmlMenuEffect::Enable: frame.setHtmlMenuEnabled(true); break;
    case HtmlMenuEffect::Disable: frame.setHtmlMenuEnabled(false); break;
    case HtmlMenuEffect::Unchanged: break;
    }
}

void ReportError(const folio::RuntimeError& error)
{
    folio::MsgBox(errorReportText(error));
}

}  // namespace basModu001
