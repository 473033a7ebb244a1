#pragma once
// Two small controls of the colour tool that no stock Qt widget offers as they are needed:
// a label whose value is a character but which draws characters without a glyph visibly,
// and a plain line between two points of its container.
#include "platform/logic/ColourValue.h"

#include <QLabel>
#include <QWidget>

class QAccessibleEvent;
class QLineEdit;

namespace folio {

// A label holding an answer of the ASCII tool. text() is the answer itself (a control
// character stays that character); what is drawn is its visible form, so codes 0-31 and 127
// appear as their control-picture symbols instead of nothing.
class AnswerLabel : public QLabel {
    Q_OBJECT
public:
    explicit AnswerLabel(const QString& text, QWidget* parent = nullptr);

    // The text as it is drawn.
    QString shownText() const;
    // The answer as a screen reader is to say it: "Answer: " and the text as drawn, or
    // "Answer: blank" for a character that draws as nothing.
    QString spokenText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A line drawn from (x1, y1) to (x2, y2), in twips of its parent's client area. The widget
// covers the line's bounding box and takes neither focus nor mouse input.
class LineControl : public QWidget {
    Q_OBJECT
public:
    LineControl(double x1, double y1, double x2, double y2, ColourValue borderColor, QWidget* parent);

    double X1() const { return m_x1; }
    double Y1() const { return m_y1; }
    double X2() const { return m_x2; }
    double Y2() const { return m_y2; }
    ColourValue BorderColor() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_x1, m_y1, m_x2, m_y2;
    ColourValue m_colour;
};

QColor toQColor(ColourValue value);

// Sets the widget's accessible description and tells screen readers that it changed; one
// speaks it when the widget has the focus.
void describe(QWidget* widget, const QString& description);
// For tests, where no screen reader is active and Qt sends nothing: while set, describe()
// hands `sink` the event a screen reader gets.
using DescriptionSink = void (*)(QAccessibleEvent* event);
void setDescriptionSinkForTesting(DescriptionSink sink);

// A colour as a screen reader says it: "red 255, green 224, blue 192, #FFE0C0".
QString spokenColour(ColourValue value);

// The background colour of a locked box that shows nothing but its colour; the box's
// accessible description says the colour, since its text is empty.
void setBackColor(QLineEdit* box, ColourValue value);
ColourValue backColor(const QLineEdit* box);

}  // namespace folio
