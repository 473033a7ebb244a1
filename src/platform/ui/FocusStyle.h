#pragma once
// The program's look: the platform's style, with the focus made visible where that style
// shows none: on a scroll bar that has the focus, and on the menu bar's current entry while
// the keyboard moves along the bar (after Alt, before a menu opens).
#include <QProxyStyle>

namespace folio {

class FocusStyle final : public QProxyStyle {
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace folio
