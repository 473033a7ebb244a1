#pragma once
#include <QFont>
#include <QString>

namespace folio::fonts {

// The classic dialog font is mapped to the desktop's sans-serif font by one substitution
// rule, so every size and weight given stays as it is.
inline const QString kClassicSans = QStringLiteral("MS Sans Serif");
void installSubstitutions();

QFont font(const QString& family, double points, bool bold = false);

}  // namespace folio::fonts
