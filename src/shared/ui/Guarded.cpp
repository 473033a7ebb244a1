#include "shared/ui/Guarded.h"

#include "shared/ui/basModu001.h"

namespace folio {

bool dialogCancelled(const RuntimeError& error)
{
    return error.number() == err::CancelError;
}

bool anyFailure(const RuntimeError&)
{
    return true;
}

void commandFailed(const RuntimeError& error, const ExpectedError& expected)
{
    if (expected && expected(error))
        return;
    basModu001::ReportError(error);
}

}  // namespace folio
