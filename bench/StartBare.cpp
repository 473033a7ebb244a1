// A bare Qt window: what the start-up figure is compared with.
#include "StartProbe.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    folio::bench::StartProbe probe;
    QLabel window(QStringLiteral("Start up"));
    window.resize(527, 408);
    window.show();
    return app.exec();
}
