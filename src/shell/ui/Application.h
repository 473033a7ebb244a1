#pragma once
// Start-up of the program: what is set on the application before the first window.
#include <QStringList>

class QApplication;

namespace folio {

// Font substitution for the dialog font, the application icon, F1 help, the
// message-box service. Called by main() and by the window tests.
void prepareApplication(QApplication& app);

// Creates and shows the intro window; the rest follows from its events. `files` open after
// "&Proceed", each in a document window of its own.
void showIntroWindow(const QStringList& files = {});

}  // namespace folio
