// "&HTML Tags": the twenty-one fixed-markup commands. Each names its menu control; the row of
// the tag table under that name says what goes in place of the selection.
#include "tags/ui/TagCommands.h"

#include "platform/ui/Dialogs.h"
#include "shared/logic/ErrorReport.h"
#include "tags/logic/TagTable.h"

namespace folio::tags {

bool admitOrRefuse(const TargetLookup& target)
{
    if (target())
        return true;
    MsgBox(basModu001::kNotAllowedText);
    return false;
}

void replaceSelection(const TargetLookup& target, const QString& text)
{
    if (const auto t = target())
        t->ReplaceSelection(text);
}

void runTagRow(const TargetLookup& target, const TagRow& row)
{
    const auto t = target();
    if (!t) {
        MsgBox(basModu001::kNotAllowedText);
        return;
    }
    // A replace row ignores the selection; reading it anyway costs nothing and keeps one path.
    const QString text = applyTag(row, t->SelText());
    replaceSelection(target, text);
}

void runTagCommand(const TargetLookup& target, QStringView control)
{
    const TagRow* row = findTagRow(control);
    Q_ASSERT_X(row, "runTagCommand", "menu control without a row in the tag table");
    if (row)
        runTagRow(target, *row);
}

}  // namespace folio::tags
