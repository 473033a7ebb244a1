#include "platform/ui/Help.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/HelpWindow.h"

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

QString& bookName()
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

void setHelpFile(const QString& path)
{
    fileName() = path;
}
QString helpFile()
{
    return fileName();
}
void setHelpBook(const QString& path)
{
    bookName() = path;
}
QString helpBook()
{
    return bookName();
}

QStringList helpFiles()
{
    QStringList names;
    const QString file = helpFile();
    if (!file.isEmpty()) {
        names << file;
        const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
        QString capital = file;
        if (slash + 1 < capital.size())
            capital[slash + 1] = capital[slash + 1].toUpper();
        if (capital != file)
            names << capital;
    }
    QStringList found;
    for (const QString& name : std::as_const(names))
        if (QFileInfo(name).isFile())
            found << name;
    return found;
}

QString missingHelpMessage(const QString& helpPath, const QString& bookPath)
{
    return QStringLiteral("The help file could not be found:\r\n") + helpPath
        + QStringLiteral("\r\n\r\nNor could the help book that comes with the program:\r\n") + bookPath
        + QStringLiteral("\r\n\r\nPlease save tutorial_01.chm in the folder of the program, or install the "
                         "program again.");
}

QString unopenableHelpMessage(const QString& path)
{
    return QStringLiteral("No program on this computer could open the help file:\r\n") + path;
}

void showHelp()
{
    const QStringList files = helpFiles();
    for (const QString& path : files)
        if (opener()(QUrl::fromLocalFile(path)))
            return;
    // The book is never handed to the desktop: its handler for HTML may well be this program.
    if (!helpBook().isEmpty() && QFileInfo(helpBook()).isFile()) {
        HelpWindow::showBook(helpBook());
        return;
    }
    MsgBox(files.isEmpty() ? missingHelpMessage(helpFile(), helpBook()) : unopenableHelpMessage(files.first()));
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
