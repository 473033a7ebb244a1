// The program has no start routine of its own: it shows the intro window, and everything
// else follows from that window's events.
#include "shell/ui/Application.h"

#include <QApplication>

#include <csignal>

int main(int argc, char** argv)
{
    // A file-size limit set for this process makes a write fail with its error, which the
    // program reports; the signal would end the program and lose every unsaved window.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    folio::prepareApplication(app);
    folio::showIntroWindow();
    return app.exec();
}
