// The program's own start (as src/main.cpp), ending once the intro window is shown.
#include "StartProbe.h"

#include "shell/ui/Application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    folio::bench::StartProbe probe;
    folio::prepareApplication(app);
    folio::showIntroWindow();
    return app.exec();
}
