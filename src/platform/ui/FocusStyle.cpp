#include "platform/ui/FocusStyle.h"

#include <QPainter>
#include <QStyleOption>

namespace folio {

namespace {
// A frame in the highlight colour, two pixels wide, just inside `rect`.
void drawFocusFrame(QPainter* painter, const QRect& rect, const QPalette& palette)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(palette.color(QPalette::Active, QPalette::Highlight), 2));
    painter->drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
    painter->restore();
}
}  // namespace

void FocusStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                    const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ScrollBar && (option->state & State_HasFocus))
        drawFocusFrame(painter, option->rect, option->palette);
}

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    // Sunken is the entry whose menu is open, which the base style already shows.
    if (element == CE_MenuBarItem && (option->state & State_Selected) && !(option->state & State_Sunken))
        drawFocusFrame(painter, option->rect, option->palette);
}

int FocusStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                          QStyleHintReturn* returnData) const
{
    // Alt pressed and released alone moves the keyboard to the menu bar.
    if (hint == SH_MenuBar_AltKeyNavigation)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace folio
