#pragma once
// A window needs a display. Without one the toolkit ends the program with an abort; the
// program says why in one line instead and ends with kNoDisplayExitCode.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace folio::display {

inline constexpr int kNoDisplayExitCode = 1;

// Why no window can open with these arguments (the program's name first) and this
// environment, judged before the toolkit starts: "DISPLAY is not set" when the X11 platform
// is the only one to try and no display is named. The empty text when a window may open;
// platforms that cannot be judged beforehand are left to the toolkit.
QString missingDisplay(const QStringList& arguments, const QProcessEnvironment& environment);

// The one line printed: "tagwright-folio: cannot connect to a display: <reason>".
QString noDisplayLine(const QString& reason);

// For the lifetime of the guard (around the construction of the application object), the
// toolkit's messages are held back. Should the toolkit give up, the program prints
// noDisplayLine() with the toolkit's reason and ends at once with kNoDisplayExitCode; else
// the held messages are passed on when the guard ends.
class StartupGuard {
public:
    StartupGuard();
    ~StartupGuard();
    StartupGuard(const StartupGuard&) = delete;
    StartupGuard& operator=(const StartupGuard&) = delete;
};

}  // namespace folio::display
