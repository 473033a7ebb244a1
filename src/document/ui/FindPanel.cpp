// The "Find and Replace" panel's commands: "F&ind First", "Find &Next", "&Replace", the case
// switch and the hidden "C&lear List".
//
// State lives in the window (CaseSensitive, FindLen, FindPos), so every document searches on
// its own. FindPos is 1-based: the position "Find &Next" starts from, 0 when no match is
// current. The case switch's caption only shows CaseSensitive; it is never read back.
#include "document/ui/frmTf.h"

#include "document/logic/FindText.h"
#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TextBox.h"
#include "shared/ui/Guarded.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

#include <optional>

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

namespace {

// The find text, or nothing after telling the user that it is missing.
std::optional<QString> findTextOf(frmTf& w)
{
    const QString find = w.cboCombo01[0]->currentText();
    if (!find.isEmpty())
        return find;
    MsgBox(kNoFindText);
    giveFocus(w.cboCombo01[0]);
    return std::nullopt;
}

// Searches from the 1-based `start`: a match is selected in the text and FindPos moves
// behind it; no match leaves FindPos at 0 and shows `notFound`.
void searchFrom(frmTf& w, const QString& find, int start, const QString& notFound)
{
    if (!w.finishLoading())
        return;
    w.FindLen = qint32(find.size());
    // The text is searched in the parts the box keeps it in, so a search right after an
    // edit costs no copy of a big text.
    const PieceText pieces = w.txtText01->TextPieces();
    w.FindPos = findText(pieces.parts(), find, start, w.CaseSensitive);
    if (w.FindPos != 0) {
        giveFocus(w.txtText01);
        w.txtText01->setSelStart(w.FindPos - 1);
        w.txtText01->setSelLength(w.FindLen);
        w.FindPos = w.FindPos + w.FindLen;
        return;
    }
    MsgBox(notFound);
    giveFocus(w.cboCombo01[0]);
}

}  // namespace

void frmTf::cmdFindFirst_Click()
{
    guarded([&] {
        if (const auto find = findTextOf(*this))
            searchFrom(*this, *find, 1, kFirstNotFound);
    });
}

void frmTf::cmdFindNext_Click()
{
    guarded([&] {
        const auto find = findTextOf(*this);
        if (!find)
            return;
        if (FindPos == 0) {
            if (MsgBox(kStartAgainQuestion, MsgButtons::YesNo, MsgIcon::Question, 2, kStartAgainTitle)
                == MsgAnswer::Yes)
                cmdFindFirst_Click();
            return;
        }
        searchFrom(*this, *find, FindPos, kNextNotFound);
    });
}

void frmTf::cmdReplace_Click()
{
    guarded([&] {
        const QString replacement = cboCombo01[1]->currentText();
        if (replacement.isEmpty()) {
            MsgBox(kNoReplacement);
            giveFocus(cboCombo01[1]);
            return;
        }
        // Whatever is selected gives way, match or not; with nothing selected this inserts at
        // the caret. FindPos stays where the last search left it.
        if (finishLoading())
            txtText01->ReplaceSelection(replacement);
    });
}

void frmTf::cmdCS_Click()
{
    CaseSensitive = !CaseSensitive;
    showCaseMode();
}

void frmTf::showCaseMode()
{
    cmdCS->setText(CaseSensitive ? kCaseSensitiveCaption : kCaseInsensitiveCaption);
}

QWidget* frmTf::findPanel() const
{
    return fraFrame01;
}

void frmTf::cmdClear_Click()
{
    for (QComboBox* combo : cboCombo01) {
        combo->clear();
        combo->clearEditText();
    }
}

}  // namespace folio
