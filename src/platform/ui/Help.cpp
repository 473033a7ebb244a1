#include "platform/ui/Help.h"

#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>

namespace folio::help {

namespace {

QString& fileName()
{
    static QString name;
    return name;
}

std::function<bool(const QUrl&)>& opener()
{
    static std::function<bool(const QUrl&)> open = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return open;
}

class F1Filter final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The first widget to receive the key answers it; taking the event stops it there.
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1
            && watched->isWidgetType() && !helpFile().isEmpty()) {
            showHelp();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void setHelpFile(const QString& path) { fileName() = path; }
QString helpFile() { return fileName(); }

QString missingHelpMessage(const QString& path)
{
    return QStringLiteral("The help file could not be found:\r\n") + path
         + QStringLiteral("\r\n\r\nPlease save tutorial_01.chm in the folder of the program.");
}

QString unopenableHelpMessage(const QString& path)
{
    return QStringLiteral("No program on this computer could open the help file:\r\n") + path;
}

void showHelp()
{
    const QString path = helpFile();
    if (!QFileInfo(path).isFile()) {
        MsgBox(missingHelpMessage(path));
        return;
    }
    if (!opener()(QUrl::fromLocalFile(path)))
        MsgBox(unopenableHelpMessage(path));
}

void installF1Handler()
{
    static F1Filter* filter = nullptr;
    if (!filter) {
        filter = new F1Filter;
        qApp->installEventFilter(filter);
    }
}

void setUrlOpenerForTesting(std::function<bool(const QUrl&)> open)
{
    opener() = open ? std::move(open) : [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

}  // namespace folio::help
