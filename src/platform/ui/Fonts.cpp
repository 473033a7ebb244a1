#include "platform/ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace folio::fonts {

void installSubstitutions()
{
    // A sans-serif face with the dialog font's narrow widths comes first, so texts placed
    // for it still fit; the desktop's own sans-serif face serves where there is none.
    const QString desktopSans = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    QStringList substitutes;
    substitutes << QStringLiteral("Liberation Sans") << QStringLiteral("Arial") << desktopSans
                << QStringLiteral("DejaVu Sans") << QStringLiteral("Sans Serif");
    QFont::insertSubstitutions(kDialogFont, substitutes);
}

QFont font(const QString& family, double points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

FontChoice choiceOf(const QFont& f)
{
    return FontChoice{f.family(), float(f.pointSizeF()), f.bold(), f.italic(), f.strikeOut(), f.underline()};
}

QFont withChoice(QFont f, const FontChoice& choice)
{
    f.setFamily(choice.name);
    if (choice.size > 0)
        f.setPointSizeF(choice.size);
    f.setBold(choice.bold);
    f.setItalic(choice.italic);
    f.setStrikeOut(choice.strikethru);
    f.setUnderline(choice.underline);
    return f;
}

}  // namespace folio::fonts
