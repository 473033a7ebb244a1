#pragma once
#include <QIcon>

namespace folio::icons {

// The program's own icon, the picture installed for the desktop, at every size it comes in:
// the main window's icon and the application's.
QIcon mainWindow();
// Drawn by the program itself: the document windows' icon (which the tutorials share).
QIcon document();

}  // namespace folio::icons
