// The find and replace panel of a document window: the search state machine of "F&ind First"
// and "Find &Next", "&Replace", the case switch and "C&lear List", driven through the panel's
// buttons. The search function's own cases are in the logic suite.
#include "DocumentTest.h"

#include <QComboBox>
#include <QLineEdit>

using namespace folio;
using namespace folio::test;

namespace {

const QString kNoFindText = QStringLiteral("Please type valid text to find.");
const QString kFirstNotFound = QStringLiteral("Finding completed. Matching text is not found.");
const QString kNextNotFound = QStringLiteral("Find completed. Matching text is not found.");
const QString kStartAgain = QStringLiteral(
    "Finding is already completed till the end of file. Do you want to do it again from the beginning of file ?");

class FindPanelTest : public DocumentTest {};

}  // namespace

TEST_F(FindPanelTest, FirstNextNotFoundQuestionYesAndNo)
{
    frmTf* d = doc(QStringLiteral("one two one"), QStringLiteral("one"));
    ASSERT_TRUE(d);
    const Sel before = sel(d);
    // A fresh window asks before its first Next; No does nothing, not even move the focus.
    dialogs.answer(MsgAnswer::No);
    click(d->cmdFindNext);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last(), msgBox(kStartAgain, QStringLiteral("Please Confirm"), MsgButtons::YesNo, MsgIcon::Question, 2));
    EXPECT_EQ(d->FindPos, 0);
    EXPECT_EQ(sel(d), before);
    EXPECT_EQ(d->focusWidget(), d->cmdFindNext);

    click(d->cmdFindFirst);
    EXPECT_EQ(sel(d), Sel(0, 3));
    EXPECT_EQ(d->FindPos, 4);
    EXPECT_EQ(d->focusWidget(), d->txtText01);
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(8, 3));
    EXPECT_EQ(d->FindPos, 12);
    // With a match current, First still starts from the top.
    click(d->cmdFindFirst);
    EXPECT_EQ(sel(d), Sel(0, 3));
    click(d->cmdFindNext);
    EXPECT_EQ(dialogs.shown().size(), 1);

    click(d->cmdFindNext);
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(dialogs.last().prompt, kNextNotFound);
    EXPECT_EQ(d->FindPos, 0);
    EXPECT_EQ(d->focusWidget(), d->cboCombo01[0]);
    EXPECT_EQ(sel(d), Sel(8, 3)) << "a failed search leaves the selection";

    // Idle again: Yes runs "F&ind First".
    dialogs.answer(MsgAnswer::Yes);
    click(d->cmdFindNext);
    EXPECT_EQ(dialogs.last().prompt, kStartAgain);
    EXPECT_EQ(sel(d), Sel(0, 3));
    EXPECT_EQ(d->FindPos, 4);
    EXPECT_EQ(dialogs.pendingAnswers(), 0);

    // A First that finds nothing has its own text and goes idle from a match current.
    d->cboCombo01[0]->setEditText(QStringLiteral("zz"));
    click(d->cmdFindFirst);
    EXPECT_EQ(dialogs.last().prompt, kFirstNotFound);
    EXPECT_EQ(d->FindPos, 0);
    EXPECT_EQ(d->focusWidget(), d->cboCombo01[0]);
}

TEST_F(FindPanelTest, CaseSwitchBetweenFirstAndNextGoesByTheExactCaption)
{
    frmTf* d = doc(QStringLiteral("abc ABC abc"), QStringLiteral("ABC"));
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->CaseSensitive);
    click(d->cmdFindFirst);
    EXPECT_EQ(sel(d), Sel(4, 3));

    click(d->cmdCS);
    EXPECT_FALSE(d->CaseSensitive);
    EXPECT_EQ(d->cmdCS->text(), QStringLiteral("Case In-Sens&itive"));
    click(d->cmdFindFirst);
    EXPECT_EQ(sel(d), Sel(0, 3));
    // Switched back between First and Next: FindPos and the selection stay, the rest of the
    // search uses the new mode.
    click(d->cmdCS);
    EXPECT_TRUE(d->CaseSensitive);
    EXPECT_EQ(d->cmdCS->text(), QStringLiteral("Case Sens&itive"));
    EXPECT_EQ(d->FindPos, 4);
    EXPECT_EQ(sel(d), Sel(0, 3));
    d->cboCombo01[0]->setEditText(QStringLiteral("abc"));  // the find text is read on every press
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(8, 3));

    // A caption that is neither of the two, if only by its access key: nothing happens.
    d->cmdCS->setText(QStringLiteral("Case Sensitive"));
    click(d->cmdCS);
    EXPECT_TRUE(d->CaseSensitive);
    EXPECT_EQ(d->cmdCS->text(), QStringLiteral("Case Sensitive"));
}

TEST_F(FindPanelTest, ReplaceThenNextFindsInsideTheReplacement)
{
    frmTf* d = doc(QStringLiteral("bcdea a"), QStringLiteral("a"));
    ASSERT_TRUE(d);
    d->cboCombo01[1]->setEditText(QStringLiteral("aa"));
    click(d->cmdFindFirst);
    EXPECT_EQ(d->FindPos, 6);
    click(d->cmdReplace);
    EXPECT_EQ(d->txtText01->Text(), QStringLiteral("bcdeaa a"));
    EXPECT_EQ(sel(d), Sel(6, 0));
    EXPECT_EQ(d->FindPos, 6);
    EXPECT_TRUE(d->TextChanged);
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(5, 1));
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(7, 1));
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // With nothing selected it inserts at the caret; FindPos and the focus stay.
    d->cboCombo01[1]->setEditText(QStringLiteral("\r\n"));
    d->txtText01->setSelStart(2);
    d->cboCombo01[1]->setFocus();
    d->cmdReplace_Click();
    EXPECT_EQ(d->txtText01->Text(), QStringLiteral("bc\r\ndeaa a"));
    EXPECT_EQ(sel(d), Sel(4, 0));
    EXPECT_EQ(d->focusWidget(), d->cboCombo01[1]);
    EXPECT_EQ(d->FindPos, 9);
}

TEST_F(FindPanelTest, SearchesSeeEveryEditMadeBetweenPresses)
{
    frmTf* d = doc(QStringLiteral("one two one"), QStringLiteral("one"));
    ASSERT_TRUE(d);
    click(d->cmdFindFirst);
    d->txtText01->setSelStart(4);
    QTest::keyClicks(d->txtText01, QStringLiteral("one "));
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(4, 3));

    d->txtText01->undo();
    click(d->cmdFindFirst);
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(8, 3));

    // Enter adds a CR LF, two characters, before the matches.
    d->txtText01->setSelStart(0);
    QTest::keyClick(d->txtText01, Qt::Key_Return);
    click(d->cmdFindFirst);
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(10, 3));
    EXPECT_EQ(d->txtText01->SelText(), QStringLiteral("one"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(FindPanelTest, EmptyFindOrReplacementTextIsRefusedWithTheFocusBackInItsBox)
{
    frmTf* d = doc(QStringLiteral("one two one"), QStringLiteral("one"));
    ASSERT_TRUE(d);
    click(d->cmdFindFirst);
    d->cboCombo01[0]->setEditText(QString());
    for (QPushButton* button : {d->cmdFindFirst, d->cmdFindNext}) {
        d->txtText01->setFocus();
        dialogs.clear();
        click(button);
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.last().prompt, kNoFindText);
        EXPECT_EQ(d->focusWidget(), d->cboCombo01[0]);
        EXPECT_EQ(d->FindPos, 4);
    }
    d->FindPos = 0;  // even when idle, refused before the question
    dialogs.clear();
    click(d->cmdFindNext);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, kNoFindText);

    d->txtText01->setFocus();
    click(d->cmdReplace);
    EXPECT_EQ(dialogs.last().prompt, QStringLiteral("Please type valid text to replace."));
    EXPECT_EQ(d->focusWidget(), d->cboCombo01[1]);
    EXPECT_EQ(d->txtText01->Text(), QStringLiteral("one two one"));
    EXPECT_FALSE(d->TextChanged);
}

TEST_F(FindPanelTest, ClearListEmptiesBothBoxesWhichNeverCollectTypedTexts)
{
    frmTf* d = doc(QStringLiteral("one two one"));
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->cmdClear->isHidden());
    QTest::keyClicks(d->cboCombo01[0], QStringLiteral("one"));
    QTest::keyClick(d->cboCombo01[0], Qt::Key_Return);
    EXPECT_EQ(d->cboCombo01[0]->count(), 0);
    click(d->cmdFindFirst);

    d->cboCombo01[0]->addItems({QStringLiteral("a"), QStringLiteral("b")});
    d->cboCombo01[1]->addItem(QStringLiteral("c"));
    d->cboCombo01[1]->setEditText(QStringLiteral("over"));
    d->cmdClear_Click();
    for (QComboBox* box : d->cboCombo01) {
        EXPECT_EQ(box->count(), 0);
        EXPECT_EQ(box->lineEdit()->text(), QString());
    }
    EXPECT_EQ(d->FindPos, 4) << "clearing the boxes is no search";
}

TEST_F(FindPanelTest, AControlThatCannotTakeTheFocusIsReportedAsAFailure)
{
    frmTf* d = doc(QStringLiteral("one"), QStringLiteral("n"));
    ASSERT_TRUE(d);
    d->txtText01->setVisible(false);
    d->cmdFindFirst_Click();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.last().prompt.contains(QStringLiteral("Invalid procedure call or argument")));
    // The search ends where the failure struck: FindPos found, not yet moved behind the match.
    EXPECT_EQ(d->FindPos, 2);
}
