#pragma once
// The selection model of a text control, as the menu commands see it: positions are
// 0-based and a line break counts as its two characters CR and LF.
#include <QString>

namespace folio {

class SelectionAccess {
public:
    virtual ~SelectionAccess() = default;
    virtual QString Text() const = 0;
    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    virtual QString SelText() const = 0;
    virtual void setSelStart(int start) = 0;    // collapses the selection at `start`
    virtual void setSelLength(int length) = 0;  // selects from SelStart on
    // Puts `text` in place of the selection as one undo step, raises the control's change
    // notification, and leaves the caret behind the new text with nothing selected.
    virtual void ReplaceSelection(const QString& text) = 0;
};

}  // namespace folio
