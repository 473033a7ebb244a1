#pragma once
// The shared module's routines that touch windows. Its pure routines (GetExtension, the
// HTML-menu decision, the report text) are in shared/logic.
#include "platform/logic/RuntimeError.h"
#include "shared/logic/ErrorReport.h"
#include "shared/logic/FileKind.h"

namespace folio {
class Frame;
}

namespace basModu001 {

// Enables or disables the frame's "&HTML Tags" menu for a document's extension.
void SetHtmlMenuState(folio::Frame& frame, const QString& extension);

// Tells the user about a runtime failure inside a command.
void ReportError(const folio::RuntimeError& error);

}  // namespace basModu001
