#include "shared/logic/ErrorReport.h"

namespace basModu001 {

QString errorReportText(const folio::RuntimeError& error)
{
    if (error.number() == folio::err::NotSupported || error.number() == folio::err::ObjectNotSet)
        return kNotAllowedText;
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Some error occurred !") + crlf + crlf + QStringLiteral("Error no. :  ")
        + QString::number(error.number()) + crlf + QStringLiteral("Error description :  ") + error.description() + crlf
        + QStringLiteral("Source of error :   ") + error.source();
}

}  // namespace basModu001
