#pragma once
// The text control a menu command acts on: the focused control of the active child, seen
// through its selection. Text boxes (the program's TextBox, line edits) and combo boxes
// qualify; anything else (buttons, scroll bars, option buttons) does not.
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

namespace folio {

class EditTarget {
public:
    virtual ~EditTarget() = default;

    // The selection model of `control`, or nullptr when it is no text-entry control.
    static std::unique_ptr<EditTarget> of(QWidget* control);
    // Whether `control` is a text box, list box or combo box (tested in that order).
    static bool isTextEntry(const QWidget* control);

    virtual QWidget* widget() const = 0;
    virtual QString SelText() const = 0;
    // Puts `text` in place of the selection as one undo step of the control; the caret
    // ends behind it, nothing selected, the control's change notification fires.
    virtual void ReplaceSelection(const QString& text) = 0;
};

}  // namespace folio
