// The prompted tags of "&HTML Tags" (hyperlink, image), its "Warning", and the text commands
// of "&Edit": tab, date and time, upper and lower case of the selection.
#include "tags/ui/TagCommandSteps.h"

#include "document/ui/frmTf.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/EditTarget.h"
#include "shell/ui/frmMdimenuform.h"
#include "tags/logic/CaseChange.h"
#include "tags/logic/TextCommands.h"

#include <QDateTime>
#include <QLocale>

namespace folio {

namespace {

// Both boxes are always shown, the second also after a cancelled first; the defaults are
// fresh for every use. Nothing is inserted when either answer is blank.
template <class Build>
void promptedTag(const frmMdimenuform& main, const QString& caption, const QString& firstPrompt,
                 const QString& firstDefault, const QString& secondPrompt, const QString& secondDefault,
                 Build build)
{
    if (!tags::admitOrRefuse(main))
        return;
    const QString first = InputBox(firstPrompt, caption, firstDefault);
    const QString second = InputBox(secondPrompt, caption, secondDefault);
    if (const std::optional<QString> tag = build(first, second))
        tags::replaceSelection(main, *tag);
}

// The selection changed character by character, the caret behind it.
template <class Map>
void mapSelection(const frmMdimenuform& main, Map map)
{
    if (!tags::admitOrRefuse(main))
        return;
    const auto target = main.editTarget();
    tags::replaceSelection(main, map(target->SelText()));
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

void frmMdimenuform::mnuHyperlink_Click()
{
    promptedTag(*this, tags::kHyperlinkCaption, tags::kHyperlinkTargetPrompt, tags::kHyperlinkTargetDefault,
                tags::kHyperlinkDisplayPrompt, tags::kHyperlinkDisplayDefault, &tags::hyperlinkTag);
}

void frmMdimenuform::mnuImage_Click()
{
    promptedTag(*this, tags::kImageCaption, tags::kImageFilePrompt, tags::kImageFileDefault,
                tags::kImageAltPrompt, tags::kImageAltDefault, &tags::imageTag);
}

void frmMdimenuform::mnuWarning_Click()
{
    MsgBox(tags::warningText());
}

void frmMdimenuform::mnuTabkey_Click()
{
    if (tags::admitOrRefuse(*this))
        tags::replaceSelection(*this, tags::kTabText);
}

void frmMdimenuform::mnuDateTime_Click()
{
    if (tags::admitOrRefuse(*this))
        tags::replaceSelection(*this, tags::generalDateText(QDateTime::currentDateTime(), QLocale::system()));
}

void frmMdimenuform::mnuUppercase_Click()
{
    mapSelection(*this, [this](const QString& s) { return tags::upperCaseIn(s, targetCodePage(*this)); });
}

void frmMdimenuform::mnuLowercase_Click()
{
    mapSelection(*this, [this](const QString& s) { return tags::lowerCaseIn(s, targetCodePage(*this)); });
}

}  // namespace folio
