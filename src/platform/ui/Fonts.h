#pragma once
#include "platform/logic/CommonDialog.h"

#include <QFont>
#include <QString>

namespace folio::fonts {

// The dialog font, the font every window is laid out for. It is mapped to the desktop's
// sans-serif font by one substitution rule, so every size and weight given stays as it is.
inline const QString kDialogFont = QStringLiteral("MS Sans Serif");
void installSubstitutions();

QFont font(const QString& family, double points, bool bold = false);

// The six properties the font dialog works with, read from a font and put back into one.
FontChoice choiceOf(const QFont& font);
QFont withChoice(QFont font, const FontChoice& choice);

}  // namespace folio::fonts
