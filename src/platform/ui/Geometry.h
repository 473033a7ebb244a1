#pragma once
// Controls are placed and measured in twips, relative to their container. A control
// reports its values back from its pixel geometry, so a value read after it was set is
// rounded to whole pixels.
class QWidget;

namespace folio::geometry {

double twipsPerPixel(const QWidget* w);

double left(const QWidget* w);
double top(const QWidget* w);
double width(const QWidget* w);
double height(const QWidget* w);

// Setting a negative width or height fails with error 380 (Invalid property value) and
// leaves the control as it was; positions may be negative.
void setLeft(QWidget* w, double twips);
void setTop(QWidget* w, double twips);
void setWidth(QWidget* w, double twips);
void setHeight(QWidget* w, double twips);
void place(QWidget* w, double left, double top, double width, double height);

}  // namespace folio::geometry
