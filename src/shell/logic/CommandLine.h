#pragma once
// What the program is asked to do on its command line: tagwright-folio [OPTION...] [FILE...].
// Read before any window exists, so --help, --version and a mistake need no display.
#include <QString>
#include <QStringList>

namespace folio::cli {

enum class Action {
    Run,      // start as usual, then open `files` after the introduction's "&Proceed"
    Help,     // print usageText() and end
    Version,  // print versionText() and end
    Mistake,  // print `message` to the error stream and end with kMistakeExitCode
};

struct Request {
    Action action = Action::Run;
    QStringList files;  // absolute paths, in the order given
    QString message;
};

// `arguments` as the program received them, the program's own name first. The toolkit's
// own options (-platform, -style, ...) are accepted and left to it; "--" ends the options.
Request parse(const QStringList& arguments);

QString usageText();
QString versionText();

inline constexpr int kMistakeExitCode = 2;

}  // namespace folio::cli
