// "&HTML Tags": the twenty-one fixed-markup commands. Each is a row of the tag table, which
// says what goes in place of the selection.
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

void runTagCommand(const TargetLookup& target, Tag tag)
{
    const auto t = target();
    if (!t) {
        MsgBox(basModu001::kNotAllowedText);
        return;
    }
    // A replace row ignores the selection; reading it anyway costs nothing and keeps one path.
    const QString text = applyTag(tagRow(tag), t->SelText());
    replaceSelection(target, text);
}

}  // namespace folio::tags
