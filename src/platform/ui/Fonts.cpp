#include "platform/ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace folio::fonts {

void installSubstitutions()
{
    const QString desktopSans = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    QStringList substitutes;
    substitutes << desktopSans << QStringLiteral("DejaVu Sans") << QStringLiteral("Sans Serif");
    QFont::insertSubstitutions(kClassicSans, substitutes);
}

QFont font(const QString& family, double points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

}  // namespace folio::fonts
