#pragma once
// The shared module's routines that touch windows. Its pure routines (GetExtension, the
// HTML-menu decision, the report text) are in shell/logic.
#include "platform/logic/RuntimeError.h"
#include "shell/logic/ErrorReport.h"
#include "shell/logic/FileKind.h"

namespace basModu001 {

// Enables or disables the main window's "&HTML Tags" menu for a document's extension.
void SetHtmlMenuState(const QString& extension);

// Tells the user about a runtime failure inside a command.
void ReportError(const folio::RuntimeError& error);

}  // namespace basModu001
