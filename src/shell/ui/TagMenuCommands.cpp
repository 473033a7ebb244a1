// "&HTML Tags" and the text commands of "&Edit": each entry runs its command of tags/ on the
// focused text control of the active child window.
#include "shell/ui/frmMdimenuform.h"

#include "document/ui/frmTf.h"
#include "platform/ui/EditTarget.h"
#include "tags/logic/TagTable.h"
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
    // The whole file's encoding: bytes of a file still being read can change it.
    auto* doc = qobject_cast<frmTf*>(main.ActiveForm());
    if (doc && doc->finishLoading() && doc->fileEncoding != docformat::Encoding::Windows1252)
        return tags::CaseCodePage::Unicode;
    return tags::CaseCodePage::Windows1252;
}

}  // namespace

void frmMdimenuform::mnuLineBreak_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::LineBreak);
}
void frmMdimenuform::mnuBS_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::BlankSpace);
}
void frmMdimenuform::mnuBold_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::Bold);
}
void frmMdimenuform::mnuUnderline_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::Underline);
}
void frmMdimenuform::mnuItalic_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::Italic);
}
void frmMdimenuform::mnuFont_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::Font);
}
void frmMdimenuform::mnuAlignLeft_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::AlignLeft);
}
void frmMdimenuform::mnuAlignCenter_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::AlignCenter);
}
void frmMdimenuform::mnuAlignRight_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::AlignRight);
}
void frmMdimenuform::mnuAlignTop_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::AlignTop);
}
void frmMdimenuform::mnuAlignMiddle_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::AlignMiddle);
}
void frmMdimenuform::mnuAlignBottom_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::AlignBottom);
}
void frmMdimenuform::mnuAlignCenterPair_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::AlignCenterPair);
}
void frmMdimenuform::mnuListOl_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::ListOl);
}
void frmMdimenuform::mnuListUl_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::ListUl);
}
void frmMdimenuform::mnuListLi_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::ListLi);
}
void frmMdimenuform::mnuTableBody_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::TableBody);
}
void frmMdimenuform::mnuTableTr_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::TableTr);
}
void frmMdimenuform::mnuTableTd_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::TableTd);
}
void frmMdimenuform::mnuParagraph_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::Paragraph);
}
void frmMdimenuform::mnuDivision_Click()
{
    tags::runTagCommand(targetOf(*this), tags::Tag::Division);
}

void frmMdimenuform::mnuHyperlink_Click()
{
    tags::runHyperlinkCommand(targetOf(*this));
}
void frmMdimenuform::mnuImage_Click()
{
    tags::runImageCommand(targetOf(*this));
}
void frmMdimenuform::mnuWarning_Click()
{
    tags::showWarning();
}
void frmMdimenuform::mnuTabkey_Click()
{
    tags::insertTab(targetOf(*this));
}
void frmMdimenuform::mnuDateTime_Click()
{
    tags::insertDateTime(targetOf(*this));
}
void frmMdimenuform::mnuUppercase_Click()
{
    tags::toUpperCase(targetOf(*this), targetCodePage(*this));
}
void frmMdimenuform::mnuLowercase_Click()
{
    tags::toLowerCase(targetOf(*this), targetCodePage(*this));
}

}  // namespace folio
