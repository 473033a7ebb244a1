#pragma once
// The tag and text commands, as free functions over the edit target: the focused text
// control of the active child window. Each command first applies the active-document rule
// and refuses with "This activity is not allowed for this instance !" when it admits no
// target; the frame's menu handlers call them.
#include "platform/ui/EditTarget.h"
#include "tags/logic/CaseChange.h"

#include <QString>

#include <functional>
#include <memory>

namespace folio::tags {

enum class Tag;

// Finds the target whenever a command asks: the focused control of the active child, or
// nullptr when the active-document rule does not admit it. A command asks again before it
// writes, since a prompt may have moved the focus.
using TargetLookup = std::function<std::unique_ptr<EditTarget>()>;

// Whether the rule admits a target. When it does not, the refusal is shown and false comes
// back.
bool admitOrRefuse(const TargetLookup& target);

// Puts `text` in place of the selection of the target, looked up again for the write. Does
// nothing when there is no target any more.
void replaceSelection(const TargetLookup& target, const QString& text);

// One command of the tag table: the rule, then the opening text, the selection and the
// closing text (or the row's literal) in place of the selection.
void runTagCommand(const TargetLookup& target, Tag tag);

// "&Hyperlink" and "&Image": two prompts, then the built tag in place of the selection.
void runHyperlinkCommand(const TargetLookup& target);
void runImageCommand(const TargetLookup& target);
// "Warning": the message, whatever has the focus.
void showWarning();

// The text commands of "&Edit": a tab or the date and time in place of the selection, and
// the selection in upper or lower case, kept within the characters `codePage` holds.
void insertTab(const TargetLookup& target);
void insertDateTime(const TargetLookup& target);
void toUpperCase(const TargetLookup& target, CaseCodePage codePage);
void toLowerCase(const TargetLookup& target, CaseCodePage codePage);

}  // namespace folio::tags
