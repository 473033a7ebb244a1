#include "support/WidgetTest.h"

#include "shell/ui/Application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace folio::test {

void prepareApplication()
{
    folio::prepareApplication(*qApp);
}

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

namespace {
QStringList leftoverWindows()
{
    settle();
    QStringList names;
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget* w : widgets) {
        if (w->isVisible())
            names << QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), w->windowTitle());
    }
    return names;
}
}  // namespace

void WidgetTest::TearDown()
{
    const QStringList left = leftoverWindows();
    EXPECT_TRUE(left.isEmpty()) << "windows left open: " << left.join(QStringLiteral(", ")).toStdString();
    for (QWidget* w : QApplication::topLevelWidgets())
        w->deleteLater();
    settle();
}

void NoWindowLeftBehind::TearDown()
{
    const QStringList left = leftoverWindows();
    EXPECT_TRUE(left.isEmpty()) << "windows left open: " << left.join(QStringLiteral(", ")).toStdString();
}

}  // namespace folio::test
