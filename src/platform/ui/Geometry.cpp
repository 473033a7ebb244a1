#include "platform/ui/Geometry.h"

#include "platform/logic/RuntimeError.h"
#include "platform/logic/Twips.h"

#include <QWidget>

namespace folio::geometry {

namespace {
double dpi(const QWidget* w)
{
    return w->logicalDpiX();
}
int px(const QWidget* w, double twipsValue)
{
    return twips::toPixels(twipsValue, dpi(w));
}
double tw(const QWidget* w, int pixels)
{
    return twips::fromPixels(pixels, dpi(w));
}

void requireNonNegative(double twipsValue)
{
    if (twipsValue < 0)
        throw RuntimeError(380, QStringLiteral("Invalid property value"));
}
}  // namespace

double twipsPerPixel(const QWidget* w)
{
    return twips::perPixel(dpi(w));
}

double left(const QWidget* w)
{
    return tw(w, w->x());
}
double top(const QWidget* w)
{
    return tw(w, w->y());
}
double width(const QWidget* w)
{
    return tw(w, w->width());
}
double height(const QWidget* w)
{
    return tw(w, w->height());
}

void setLeft(QWidget* w, double t)
{
    w->move(px(w, t), w->y());
}
void setTop(QWidget* w, double t)
{
    w->move(w->x(), px(w, t));
}

void setWidth(QWidget* w, double t)
{
    requireNonNegative(t);
    w->resize(px(w, t), w->height());
}

void setHeight(QWidget* w, double t)
{
    requireNonNegative(t);
    w->resize(w->width(), px(w, t));
}

void place(QWidget* w, double left, double top, double width, double height)
{
    requireNonNegative(width);
    requireNonNegative(height);
    w->setGeometry(px(w, left), px(w, top), px(w, width), px(w, height));
}

}  // namespace folio::geometry
