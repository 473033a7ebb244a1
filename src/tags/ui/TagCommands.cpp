// "&HTML Tags": the twenty-one fixed-markup commands. Each handler names its menu control;
// the row of the tag table under that name says what goes in place of the selection.
#include "tags/ui/TagCommandSteps.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/EditTarget.h"
#include "shell/logic/ErrorReport.h"
#include "shell/ui/frmMdimenuform.h"
#include "tags/logic/TagTable.h"

namespace folio {

namespace tags {

bool admitOrRefuse(const frmMdimenuform& main)
{
    if (main.editTarget())
        return true;
    MsgBox(basModu001::kNotAllowedText);
    return false;
}

void replaceSelection(const frmMdimenuform& main, const QString& text)
{
    if (const auto target = main.editTarget())
        target->ReplaceSelection(text);
}

void runTagRow(const frmMdimenuform& main, const TagRow& row)
{
    const auto target = main.editTarget();
    if (!target) {
        MsgBox(basModu001::kNotAllowedText);
        return;
    }
    // A replace row ignores the selection; reading it anyway costs nothing and keeps one path.
    const QString text = applyTag(row, target->SelText());
    replaceSelection(main, text);
}

void runTagCommand(const frmMdimenuform& main, QStringView control)
{
    const TagRow* row = findTagRow(control);
    Q_ASSERT_X(row, "runTagCommand", "menu control without a row in the tag table");
    if (row)
        runTagRow(main, *row);
}

}  // namespace tags

void frmMdimenuform::mnuLineBreak_Click() { tags::runTagCommand(*this, u"mnuLineBreak"); }
void frmMdimenuform::mnuBS_Click() { tags::runTagCommand(*this, u"mnuBS"); }
void frmMdimenuform::mnuBold_Click() { tags::runTagCommand(*this, u"mnuBold"); }
void frmMdimenuform::mnuUnderline_Click() { tags::runTagCommand(*this, u"mnuUnderline"); }
void frmMdimenuform::mnuItalic_Click() { tags::runTagCommand(*this, u"mnuItalic"); }
void frmMdimenuform::mnuFont_Click() { tags::runTagCommand(*this, u"mnuFont"); }
void frmMdimenuform::mnuAlignLeft_Click() { tags::runTagCommand(*this, u"mnuAlignLeft"); }
void frmMdimenuform::mnuAlignCenter_Click() { tags::runTagCommand(*this, u"mnuAlignCenter"); }
void frmMdimenuform::mnuAlignRight_Click() { tags::runTagCommand(*this, u"mnuAlignRight"); }
void frmMdimenuform::mnuAlignTop_Click() { tags::runTagCommand(*this, u"mnuAlignTop"); }
void frmMdimenuform::mnuAlignMiddle_Click() { tags::runTagCommand(*this, u"mnuAlignMiddle"); }
void frmMdimenuform::mnuAlignBottom_Click() { tags::runTagCommand(*this, u"mnuAlignBottom"); }
void frmMdimenuform::mnuAlignCenterPair_Click() { tags::runTagCommand(*this, u"mnuAlignCenterPair"); }
void frmMdimenuform::mnuListOl_Click() { tags::runTagCommand(*this, u"mnuListOl"); }
void frmMdimenuform::mnuListUl_Click() { tags::runTagCommand(*this, u"mnuListUl"); }
void frmMdimenuform::mnuListLi_Click() { tags::runTagCommand(*this, u"mnuListLi"); }
void frmMdimenuform::mnuTableBody_Click() { tags::runTagCommand(*this, u"mnuTableBody"); }
void frmMdimenuform::mnuTableTr_Click() { tags::runTagCommand(*this, u"mnuTableTr"); }
void frmMdimenuform::mnuTableTd_Click() { tags::runTagCommand(*this, u"mnuTableTd"); }
void frmMdimenuform::mnuParagraph_Click() { tags::runTagCommand(*this, u"mnuParagraph"); }
void frmMdimenuform::mnuDivision_Click() { tags::runTagCommand(*this, u"mnuDivision"); }

}  // namespace folio
