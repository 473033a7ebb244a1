#include "shell/logic/CommandLine.h"

#include "platform/logic/NativeFileName.h"

#include <folio_version.h>

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <climits>
#include <unistd.h>

namespace folio::cli {

namespace {

// Options QApplication reads itself; the parser must know them to leave their values alone.
constexpr const char* kToolkitOptionsWithValue[] = {
    "platform",        "platformpluginpath",
    "platformtheme",   "plugin",
    "qwindowgeometry", "qwindowtitle",
    "qwindowicon",     "geometry",
    "title",           "icon",
    "display",         "name",
    "session",         "style",
    "stylesheet",      "qmljsdebugger",
};
constexpr const char* kToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QString absolutePath(const QString& argument)
{
    // A file manager may hand over a file: URL; anything else is a path, relative to the
    // folder the program was started in.
    // Every byte of the name is kept (platform/logic/NativeFileName.h), the folder's too.
    if (argument.startsWith(QLatin1String("file://"))) {
        const QUrl url(argument);
        if (url.isLocalFile())
            return fileNameFromUrl(url);
    }
    if (argument.isEmpty() || argument.startsWith(QLatin1Char('/')))
        return argument.isEmpty() ? argument : QDir::cleanPath(argument);
    char folder[PATH_MAX];
    if (!::getcwd(folder, sizeof folder))
        return argument;
    return QDir::cleanPath(fileNameFromNative(folder) + QLatin1Char('/') + argument);
}

QString programName(const QStringList& arguments)
{
    return arguments.isEmpty() ? QStringLiteral("tagwright-folio") : QFileInfo(arguments.first()).fileName();
}

}  // namespace

Request parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    // The toolkit's options are single-dash words (-style fusion), not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : kToolkitOptionsWithValue)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char* name : kToolkitFlags)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    Request request;
    if (!parser.parse(arguments.isEmpty() ? QStringList{QStringLiteral("tagwright-folio")} : arguments)) {
        request.action = Action::Mistake;
        request.message = programName(arguments) + QStringLiteral(": ") + parser.errorText() + QStringLiteral("\nTry '")
            + programName(arguments) + QStringLiteral(" --help' for more information.\n");
        return request;
    }
    if (parser.isSet(help)) {
        request.action = Action::Help;
        return request;
    }
    if (parser.isSet(version)) {
        request.action = Action::Version;
        return request;
    }
    for (const QString& argument : parser.positionalArguments())
        request.files << absolutePath(argument);
    return request;
}

QString usageText()
{
    return QStringLiteral("Usage: tagwright-folio [OPTION...] [FILE...]\n"
                          "Edit text, HTML, INI and autorun.inf files, each in a window of its own.\n"
                          "\n"
                          "The program starts with its introduction; after Proceed each FILE opens in a\n"
                          "document window of its own, as if chosen with File > Open an Existing File.\n"
                          "A file that cannot be opened is reported and the others still open.\n"
                          "\n"
                          "Options:\n"
                          "  -h, --help     print this help and exit\n"
                          "  -v, --version  print the version and exit\n"
                          "  --             end of options: every later argument is a FILE\n"
                          "\n"
                          "The toolkit's own options (-platform, -style, ...) are passed on to it.\n");
}

QString versionText()
{
    return QStringLiteral("Tagwright Folio %1.%2.%3\n").arg(version::major).arg(version::minor).arg(version::revision);
}

}  // namespace folio::cli
