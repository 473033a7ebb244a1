// The "Find and Replace" panel's commands: "F&ind First", "Find &Next", "&Replace", the case
// switch and the hidden "C&lear List".
//
// State lives in the window (CaseSensitive, FindLen, FindPos), so every document searches on
// its own. FindPos is 1-based: the position "Find &Next" starts from, 0 when no match is
// current.
#include "document/ui/frmTf.h"

#include "document/logic/FindText.h"
#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TextBox.h"
#include "shell/ui/basModu001.h"

#include <QComboBox>
#include <QPushButton>

namespace folio {

namespace {

const QString kNoFindText = QStringLiteral("Please type valid text to find.");
const QString kFirstNotFound = QStringLiteral("Finding completed. Matching text is not found.");
const QString kNextNotFound = QStringLiteral("Find completed. Matching text is not found.");
const QString kStartAgainQuestion = QStringLiteral(
    "Finding is already completed till the end of file. Do you want to do it again from the beginning of file ?");
const QString kStartAgainTitle = QStringLiteral("Please Confirm");
const QString kNoReplacement = QStringLiteral("Please type valid text to replace.");

const QString kCaseSensitiveCaption = QStringLiteral("Case Sens&itive");
const QString kCaseInsensitiveCaption = QStringLiteral("Case In-Sens&itive");

// Setting the focus on a control that cannot take it (hidden, disabled) is a failure of the
// command, not something to skip silently.
constexpr int kInvalidCall = 5;

void giveFocus(QWidget* control)
{
    if (!control)
        throw RuntimeError::noObject();
    if (!control->isVisible() || !control->isEnabled())
        throw RuntimeError(kInvalidCall, QStringLiteral("Invalid procedure call or argument"));
    control->setFocus(Qt::OtherFocusReason);
}

}  // namespace

void frmTf::cmdFindFirst_Click()
{
    try {
        const QString find = cboCombo01[0]->currentText();
        if (find.isEmpty()) {
            MsgBox(kNoFindText);
            giveFocus(cboCombo01[0]);
            return;
        }
        FindLen = qint32(find.size());
        // The text box keeps its whole text ready; the copy goes again right after the search,
        // so the next edit does not have to copy the text.
        FindPos = findText(txtText01->Text(), find, 1, CaseSensitive);
        if (FindPos != 0) {
            giveFocus(txtText01);
            txtText01->setSelStart(FindPos - 1);
            txtText01->setSelLength(FindLen);
            FindPos = FindPos + FindLen;
            return;
        }
        MsgBox(kFirstNotFound);
        giveFocus(cboCombo01[0]);
    } catch (const RuntimeError& e) {
        basModu001::ReportError(e);
    }
}

void frmTf::cmdFindNext_Click()
{
    try {
        const QString find = cboCombo01[0]->currentText();
        if (find.isEmpty()) {
            MsgBox(kNoFindText);
            giveFocus(cboCombo01[0]);
            return;
        }
        if (FindPos == 0) {
            if (MsgBox(kStartAgainQuestion, MsgButtons::YesNo, MsgIcon::Question, 2, kStartAgainTitle) ==
                MsgAnswer::Yes)
                cmdFindFirst_Click();
            return;
        }
        FindLen = qint32(find.size());
        FindPos = findText(txtText01->Text(), find, FindPos, CaseSensitive);
        if (FindPos != 0) {
            giveFocus(txtText01);
            txtText01->setSelStart(FindPos - 1);
            txtText01->setSelLength(FindLen);
            FindPos = FindPos + FindLen;
            return;
        }
        MsgBox(kNextNotFound);
        giveFocus(cboCombo01[0]);
    } catch (const RuntimeError& e) {
        basModu001::ReportError(e);
    }
}

void frmTf::cmdReplace_Click()
{
    try {
        const QString replacement = cboCombo01[1]->currentText();
        if (replacement.isEmpty()) {
            MsgBox(kNoReplacement);
            giveFocus(cboCombo01[1]);
            return;
        }
        // Whatever is selected gives way, match or not; with nothing selected this inserts at
        // the caret. FindPos stays where the last search left it.
        txtText01->ReplaceSelection(replacement);
    } catch (const RuntimeError& e) {
        basModu001::ReportError(e);
    }
}

void frmTf::cmdCS_Click()
{
    const QString caption = cmdCS->text();
    if (caption == kCaseSensitiveCaption) {
        CaseSensitive = false;
        cmdCS->setText(kCaseInsensitiveCaption);
    } else if (caption == kCaseInsensitiveCaption) {
        CaseSensitive = true;
        cmdCS->setText(kCaseSensitiveCaption);
    }
}

void frmTf::cmdClear_Click()
{
    for (QComboBox* combo : cboCombo01) {
        combo->clear();
        combo->clearEditText();
    }
}

}  // namespace folio
