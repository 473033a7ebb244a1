// The program has no start routine of its own: it shows the intro window, and everything
// else follows from that window's events. The command line is read first, before any
// window exists, so that --help, --version and a mistake need no display.
#include "platform/logic/DisplayCheck.h"
#include "platform/logic/NativeFileName.h"
#include "shell/logic/CommandLine.h"
#include "shell/ui/Application.h"

#include <QApplication>

#include <csignal>
#include <cstdio>
#include <optional>

namespace {
void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}
}  // namespace

int main(int argc, char** argv)
{
    // A file-size limit set for this process makes a write fail with its error, which the
    // program reports; the signal would end the program and lose every unsaved window.
    std::signal(SIGXFSZ, SIG_IGN);

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << folio::fileNameFromNative(argv[i]);  // a file's name with every byte kept
    const folio::cli::Request request = folio::cli::parse(arguments);
    switch (request.action) {
    case folio::cli::Action::Help: print(stdout, folio::cli::usageText()); return 0;
    case folio::cli::Action::Version: print(stdout, folio::cli::versionText()); return 0;
    case folio::cli::Action::Mistake: print(stderr, request.message); return folio::cli::kMistakeExitCode;
    case folio::cli::Action::Run: break;
    }

    // Without a display: one line that says so, not the toolkit's abort.
    const QString noDisplay = folio::display::missingDisplay(arguments, QProcessEnvironment::systemEnvironment());
    if (!noDisplay.isEmpty()) {
        print(stderr, folio::display::noDisplayLine(noDisplay));
        return folio::display::kNoDisplayExitCode;
    }
    std::optional<folio::display::StartupGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    folio::prepareApplication(app);
    folio::showIntroWindow(request.files);
    return app.exec();
}
