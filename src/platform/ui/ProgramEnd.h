#pragma once
#include <functional>

namespace folio {

// Ends the program at once (the event loop returns). Tests watch it instead.
void endProgram();
void setEndProgramHandlerForTesting(std::function<void()> handler);

}  // namespace folio
