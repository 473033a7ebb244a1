// "&HTML Tags" and the text commands of "&Edit": each entry runs its command of tags/ on the
// focused text control of the active child window.
#include "shell/ui/frmMdimenuform.h"

#include "document/ui/frmTf.h"
#include "platform/ui/EditTarget.h"
#include "tags/ui/TagCommands.h"

namespace folio {

namespace {

// The target of the commands: looked up anew each time a command asks for it.
tags::TargetLookup targetOf(const frmMdimenuform& main)
{
    return [&main] { return main.editTarget(); };
}

// The characters the changed selection may hold: those the active document's file can hold
// (any character in a UTF-8 file). Its find boxes follow the same rule, so a search text
// changed there still finds the document text changed the same way; the reading windows and
// the colour tool, which have no file, follow Windows-1252 like a new document.
tags::CaseCodePage targetCodePage(const frmMdimenuform& main)
{
    const auto* doc = qobject_cast<const frmTf*>(main.ActiveForm());
    if (doc && doc->fileEncoding != docformat::Encoding::Windows1252)
        return tags::CaseCodePage::Unicode;
    return tags::CaseCodePage::Windows1252;
}

}  // namespace

void frmMdimenuform::mnuLineBreak_Click() { tags::runTagCommand(targetOf(*this), u"mnuLineBreak"); }
void frmMdimenuform::mnuBS_Click() { tags::runTagCommand(targetOf(*this), u"mnuBS"); }
void frmMdimenuform::mnuBold_Click() { tags::runTagCommand(targetOf(*this), u"mnuBold"); }
void frmMdimenuform::mnuUnderline_Click() { tags::runTagCommand(targetOf(*this), u"mnuUnderline"); }
void frmMdimenuform::mnuItalic_Click() { tags::runTagCommand(targetOf(*this), u"mnuItalic"); }
void frmMdimenuform::mnuFont_Click() { tags::runTagCommand(targetOf(*this), u"mnuFont"); }
void frmMdimenuform::mnuAlignLeft_Click() { tags::runTagCommand(targetOf(*this), u"mnuAlignLeft"); }
void frmMdimenuform::mnuAlignCenter_Click() { tags::runTagCommand(targetOf(*this), u"mnuAlignCenter"); }
void frmMdimenuform::mnuAlignRight_Click() { tags::runTagCommand(targetOf(*this), u"mnuAlignRight"); }
void frmMdimenuform::mnuAlignTop_Click() { tags::runTagCommand(targetOf(*this), u"mnuAlignTop"); }
void frmMdimenuform::mnuAlignMiddle_Click() { tags::runTagCommand(targetOf(*this), u"mnuAlignMiddle"); }
void frmMdimenuform::mnuAlignBottom_Click() { tags::runTagCommand(targetOf(*this), u"mnuAlignBottom"); }
void frmMdimenuform::mnuAlignCenterPair_Click() { tags::runTagCommand(targetOf(*this), u"mnuAlignCenterPair"); }
void frmMdimenuform::mnuListOl_Click() { tags::runTagCommand(targetOf(*this), u"mnuListOl"); }
void frmMdimenuform::mnuListUl_Click() { tags::runTagCommand(targetOf(*this), u"mnuListUl"); }
void frmMdimenuform::mnuListLi_Click() { tags::runTagCommand(targetOf(*this), u"mnuListLi"); }
void frmMdimenuform::mnuTableBody_Click() { tags::runTagCommand(targetOf(*this), u"mnuTableBody"); }
void frmMdimenuform::mnuTableTr_Click() { tags::runTagCommand(targetOf(*this), u"mnuTableTr"); }
void frmMdimenuform::mnuTableTd_Click() { tags::runTagCommand(targetOf(*this), u"mnuTableTd"); }
void frmMdimenuform::mnuParagraph_Click() { tags::runTagCommand(targetOf(*this), u"mnuParagraph"); }
void frmMdimenuform::mnuDivision_Click() { tags::runTagCommand(targetOf(*this), u"mnuDivision"); }

void frmMdimenuform::mnuHyperlink_Click() { tags::runHyperlinkCommand(targetOf(*this)); }
void frmMdimenuform::mnuImage_Click() { tags::runImageCommand(targetOf(*this)); }
void frmMdimenuform::mnuWarning_Click() { tags::showWarning(); }
void frmMdimenuform::mnuTabkey_Click() { tags::insertTab(targetOf(*this)); }
void frmMdimenuform::mnuDateTime_Click() { tags::insertDateTime(targetOf(*this)); }
void frmMdimenuform::mnuUppercase_Click() { tags::toUpperCase(targetOf(*this), targetCodePage(*this)); }
void frmMdimenuform::mnuLowercase_Click() { tags::toLowerCase(targetOf(*this), targetCodePage(*this)); }

}  // namespace folio
