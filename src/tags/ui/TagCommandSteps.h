#pragma once
// The steps shared by the tag and text commands of the main window: the active-document
// rule with its refusal, and the tag table's rows applied to the focused control.
#include <QString>
#include <QStringView>

namespace folio {
class frmMdimenuform;
}

namespace folio::tags {

struct TagRow;

// Whether the active-document rule admits a target. When it does not, the refusal is shown
// ("This activity is not allowed for this instance !") and false comes back.
bool admitOrRefuse(const frmMdimenuform& main);

// Puts `text` in place of the selection of the focused control, looked up again for the
// write. Does nothing when there is no target any more.
void replaceSelection(const frmMdimenuform& main, const QString& text);

// One row of the tag table: the rule, then the opening text, the selection and the closing
// text (or the row's literal) in place of the selection.
void runTagRow(const frmMdimenuform& main, const TagRow& row);

// The row of the menu control `control`.
void runTagCommand(const frmMdimenuform& main, QStringView control);

}  // namespace folio::tags
