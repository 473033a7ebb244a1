#include "shared/logic/FileKind.h"

#include <QStringList>

namespace basModu001 {

QString GetExtension(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot == path.size() - 1)
        return path;
    return path.mid(dot + 1);
}

HtmlMenuEffect htmlMenuEffect(const QString& extension)
{
    static const QStringList webKinds = {QStringLiteral("html"), QStringLiteral("htm"),  QString(),
                                         QStringLiteral("asp"),  QStringLiteral("php"),  QStringLiteral("cgi"),
                                         QStringLiteral("xml"),  QStringLiteral("shtml")};
    const QString e = extension.toLower();
    if (webKinds.contains(e))
        return HtmlMenuEffect::Enable;
    if (e == QLatin1String("css"))
        return HtmlMenuEffect::Unchanged;
    return HtmlMenuEffect::Disable;
}

}  // namespace basModu001
