// The prompted tags of "&HTML Tags" (hyperlink, image), its "Warning", and the text commands
// of "&Edit": tab, date and time, upper and lower case of the selection.
#include "tags/ui/TagCommands.h"

#include "platform/ui/Dialogs.h"
#include "tags/logic/CaseChange.h"
#include "tags/logic/TextCommands.h"

#include <QDateTime>
#include <QLocale>

namespace folio::tags {

namespace {

// Both boxes are always shown, the second also after a cancelled first; the defaults are
// fresh for every use. Nothing is inserted when either answer is blank.
template <class Build>
void promptedTag(const TargetLookup& target, const QString& caption, const QString& firstPrompt,
                 const QString& firstDefault, const QString& secondPrompt, const QString& secondDefault, Build build)
{
    if (!admitOrRefuse(target))
        return;
    const QString first = InputBox(firstPrompt, caption, firstDefault);
    const QString second = InputBox(secondPrompt, caption, secondDefault);
    if (const std::optional<QString> tag = build(first, second))
        replaceSelection(target, *tag);
}

// The selection changed character by character, the caret behind it.
template <class Map>
void mapSelection(const TargetLookup& target, Map map)
{
    if (!admitOrRefuse(target))
        return;
    const auto t = target();
    replaceSelection(target, map(t->SelText()));
}

}  // namespace

void runHyperlinkCommand(const TargetLookup& target)
{
    promptedTag(target, kHyperlinkCaption, kHyperlinkTargetPrompt, kHyperlinkTargetDefault, kHyperlinkDisplayPrompt,
                kHyperlinkDisplayDefault, &hyperlinkTag);
}

void runImageCommand(const TargetLookup& target)
{
    promptedTag(target, kImageCaption, kImageFilePrompt, kImageFileDefault, kImageAltPrompt, kImageAltDefault,
                &imageTag);
}

void showWarning()
{
    MsgBox(warningText());
}

void insertTab(const TargetLookup& target)
{
    if (admitOrRefuse(target))
        replaceSelection(target, kTabText);
}

void insertDateTime(const TargetLookup& target)
{
    if (admitOrRefuse(target))
        replaceSelection(target, generalDateText(QDateTime::currentDateTime(), QLocale::system()));
}

void toUpperCase(const TargetLookup& target, CaseCodePage codePage)
{
    mapSelection(target, [codePage](const QString& s) { return upperCaseIn(s, codePage); });
}

void toLowerCase(const TargetLookup& target, CaseCodePage codePage)
{
    mapSelection(target, [codePage](const QString& s) { return lowerCaseIn(s, codePage); });
}

}  // namespace folio::tags
