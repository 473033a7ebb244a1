// The program has no start routine of its own: it shows the intro window, and everything
// else follows from that window's events.
#include "shell/ui/Application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    folio::prepareApplication(app);
    folio::showIntroWindow();
    return app.exec();
}
