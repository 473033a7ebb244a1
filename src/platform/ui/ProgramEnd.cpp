#include "platform/ui/ProgramEnd.h"

#include <QCoreApplication>

namespace folio {

namespace {
std::function<void()>& handler()
{
    static std::function<void()> h;
    return h;
}
}  // namespace

void endProgram()
{
    if (handler())
        handler()();
    else
        QCoreApplication::quit();
}

void setEndProgramHandlerForTesting(std::function<void()> h)
{
    handler() = std::move(h);
}

}  // namespace folio
