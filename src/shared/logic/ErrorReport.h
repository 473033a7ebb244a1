#pragma once
// The text the user is shown for a runtime failure inside a command.
#include "platform/logic/RuntimeError.h"

#include <QString>

namespace basModu001 {

inline const QString kNotAllowedText = QStringLiteral("This activity is not allowed for this instance !");

// 91 and 438 (a command applied to a window or control that does not offer what it needs)
// give the one-line refusal; every other number gives the numbered five-line report.
QString errorReportText(const folio::RuntimeError& error);

}  // namespace basModu001
