#include "platform/ui/WrapButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace folio {

void WrapButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);

    // The access key is drawn underlined, as the style does for a one-line caption.
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) / 2;
    const QRect area =
        style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(margin, 0, -margin, 0);
    int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextHideMnemonic;
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(area, flags, caption);
}

}  // namespace folio
