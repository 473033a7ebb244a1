#include "colour/ui/ToolControls.h"

#include "colour/logic/AsciiRules.h"
#include "platform/ui/Geometry.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace folio {

AnswerLabel::AnswerLabel(const QString& text, QWidget* parent) : QLabel(parent)
{
    // "<" or "&" are answers like any other: never markup, never a mnemonic.
    setTextFormat(Qt::PlainText);
    setText(text);
}

QString AnswerLabel::shownText() const
{
    return ascii::visibleForm(text());
}

QString AnswerLabel::spokenText() const
{
    const QString shown = shownText();
    const bool drawsNothing = std::all_of(shown.begin(), shown.end(),
                                          [](QChar c) { return c.isSpace() || !c.isPrint(); });
    return QStringLiteral("Answer: ") + (drawsNothing ? QStringLiteral("blank") : shown);
}

void AnswerLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

LineControl::LineControl(double x1, double y1, double x2, double y2, ColourValue borderColor, QWidget* parent)
    : QWidget(parent), m_x1(x1), m_y1(y1), m_x2(x2), m_y2(y2), m_colour(borderColor)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // One pixel more than the span, so that a horizontal or vertical line has room to show.
    const double pixel = geometry::twipsPerPixel(parent);
    geometry::place(this, std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + pixel, std::abs(y2 - y1) + pixel);
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(toQColor(m_colour), 1));
    const QPoint from(m_x1 <= m_x2 ? 0 : width() - 1, m_y1 <= m_y2 ? 0 : height() - 1);
    const QPoint to(m_x1 <= m_x2 ? width() - 1 : 0, m_y1 <= m_y2 ? height() - 1 : 0);
    painter.drawLine(from, to);
}

QColor toQColor(ColourValue value)
{
    return QColor(redOf(value), greenOf(value), blueOf(value));
}

namespace {
DescriptionSink descriptionSink = nullptr;
}  // namespace

void describe(QWidget* widget, const QString& description)
{
    // Qt tells an active screen reader of each new description itself.
    widget->setAccessibleDescription(description);
    if (descriptionSink) {
        QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
        descriptionSink(&event);
    }
}

void setDescriptionSinkForTesting(DescriptionSink sink)
{
    descriptionSink = sink;
}

QString spokenColour(ColourValue value)
{
    const int r = redOf(value);
    const int g = greenOf(value);
    const int b = blueOf(value);
    return QString::asprintf("red %d, green %d, blue %d, #%02X%02X%02X", r, g, b, r, g, b);
}

void setBackColor(QLineEdit* box, ColourValue value)
{
    describe(box, spokenColour(value));
    QPalette pal = box->palette();
    const QColor colour = toQColor(value);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, colour);
        pal.setColor(group, QPalette::Window, colour);
    }
    box->setPalette(pal);
}

ColourValue backColor(const QLineEdit* box)
{
    const QColor c = box->palette().color(QPalette::Base);
    return RGB(c.red(), c.green(), c.blue());
}

}  // namespace folio
