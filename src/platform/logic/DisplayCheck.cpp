#include "platform/logic/DisplayCheck.h"

#include <QList>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace folio::display {

namespace {

bool isOption(const QString& argument, QLatin1String name)
{
    // The toolkit takes its options with one dash or two.
    return argument == QLatin1Char('-') + name || argument == QLatin1String("--") + name;
}

struct HeldMessage {
    QtMsgType type;
    const char* category;  // the toolkit's category names are static texts
    QString text;
};

QList<HeldMessage>& held()
{
    static QList<HeldMessage> messages;
    return messages;
}

QtMessageHandler& previousHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        held().append({type, context.category, text});
        return;
    }
    // The platform's own words say best what went wrong; the final message only sums up.
    QString reason = text.section(QLatin1Char('\n'), 0, 0);
    for (const HeldMessage& m : std::as_const(held()))
        if (m.type != QtDebugMsg && m.type != QtInfoMsg && m.category
            && QLatin1String(m.category).startsWith(QLatin1String("qt.qpa"))) {
            reason = m.text.section(QLatin1Char('\n'), 0, 0);
            break;
        }
    const QByteArray line = noDisplayLine(reason).toLocal8Bit();
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
    std::fflush(stderr);
    std::_Exit(kNoDisplayExitCode);
}

}  // namespace

QString missingDisplay(const QStringList& arguments, const QProcessEnvironment& environment)
{
    QString platforms = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    bool displayNamed = !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (isOption(arguments[i], QLatin1String("platform")) && i + 1 < arguments.size())
            platforms = arguments[++i];
        else if (isOption(arguments[i], QLatin1String("display")) && i + 1 < arguments.size())
            displayNamed = displayNamed || !arguments[++i].isEmpty();
    }
    QString noDisplay = QStringLiteral("DISPLAY is not set");
    if (platforms.trimmed().isEmpty()) {
        // The toolkit's own choice: X11, or Wayland in a Wayland session.
        const bool wayland = !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
        return displayNamed || wayland ? QString() : noDisplay;
    }
    // A list of platforms is tried in order; one that may work is enough.
    for (const QString& entry : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
        if (name != QLatin1String("xcb") || displayNamed)
            return QString();
    }
    return noDisplay;
}

QString noDisplayLine(const QString& reason)
{
    return QStringLiteral("tagwright-folio: cannot connect to a display: ") + reason + QLatin1Char('\n');
}

StartupGuard::StartupGuard()
{
    held().clear();
    previousHandler() = qInstallMessageHandler(holdOrFail);
}

StartupGuard::~StartupGuard()
{
    qInstallMessageHandler(previousHandler());
    const QList<HeldMessage> messages = std::exchange(held(), {});
    for (const HeldMessage& m : messages) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category);
        if (previousHandler())
            previousHandler()(m.type, context, m.text);
        else
            qt_message_output(m.type, context, m.text);
    }
}

}  // namespace folio::display
