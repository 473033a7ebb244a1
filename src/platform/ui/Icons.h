#pragma once
#include <QIcon>

namespace folio::icons {

// Drawn by the program itself: the main window's icon and the document windows' icon
// (which the tutorials share).
QIcon mainWindow();
QIcon document();

}  // namespace folio::icons
