// The find and replace panel of a document window: the search state machine of "F&ind First"
// and "Find &Next", "&Replace" and the case switch, driven through the panel's buttons. The search function's own cases are in the logic suite.
#include "DocumentTest.h"

#include <QComboBox>
#include <QLineEdit>

using namespace folio;
using namespace folio::test;

namespace {

const QString kStartAgain = QStringLiteral(
    "Finding is already completed till the end of file. Do you want to do it again from the beginning of file ?");

class FindPanelTest : public DocumentTest {};

}  // namespace

// One press per row on "one two ONE": the find text typed before it (if any), the box it shows
// (the question answered as given), then the selection, FindPos, the focus and the case mode.
// Switched between First and Next, the case mode keeps FindPos and the selection and the rest
// of the search uses the new mode.
TEST_F(FindPanelTest, FirstNextAndTheCaseSwitchWalkTheMatchesAskAtTheEndAndRefuseAnEmptyText)
{
    frmTf* d = doc(QStringLiteral("one two ONE"), QStringLiteral("one"));
    ASSERT_TRUE(d);
    enum Focus { Text, FindBox, NextButton, CaseButton };
    const QString noFind = QStringLiteral("Please type valid text to find.");
    const QString nextNotFound = QStringLiteral("Find completed. Matching text is not found.");
    const auto first = &frmTf::cmdFindFirst, next = &frmTf::cmdFindNext, caseSwitch = &frmTf::cmdCS;
    const auto ok = MsgAnswer::Ok;
    const struct {
        QPushButton* frmTf::*button;
        const char* find;
        MsgAnswer answer;
        QString box;
        Sel sel;
        int findPos;
        Focus focus;
        bool caseSensitive;
    } steps[] = {
        // A fresh window asks before its first Next; No does nothing, not even move the focus.
        {next, nullptr, MsgAnswer::No, kStartAgain, {0, 0}, 0, NextButton, true},
        {first, nullptr, ok, {}, {0, 3}, 4, Text, true},
        {next, nullptr, ok, nextNotFound, {0, 3}, 0, FindBox, true},  // the selection stays, the search goes idle
        {caseSwitch, nullptr, ok, {}, {0, 3}, 0, CaseButton, false},
        {first, nullptr, ok, {}, {0, 3}, 4, Text, false},
        {next, nullptr, ok, {}, {8, 3}, 12, Text, false},
        {first, nullptr, ok, {}, {0, 3}, 4, Text, false},  // First starts from the top
        {caseSwitch, nullptr, ok, {}, {0, 3}, 4, CaseButton, true},
        {next, nullptr, ok, nextNotFound, {0, 3}, 0, FindBox, true},
        {next, "ONE", MsgAnswer::Yes, kStartAgain, {8, 3}, 12, Text, true},  // Yes runs "F&ind First"
        {first, "", ok, noFind, {8, 3}, 12, FindBox, true},
        {next, "", ok, noFind, {8, 3}, 12, FindBox, true},
        {first, "zz", ok, QStringLiteral("Finding completed. Matching text is not found."), {8, 3}, 0, FindBox, true},
        {next, "", ok, noFind, {8, 3}, 0, FindBox, true},  // idle: refused before the question
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(&s - steps);
        if (s.find)
            d->cboCombo01[0]->setEditText(QLatin1String(s.find));
        d->txtText01->setFocus();
        dialogs.clear();
        if (s.answer != ok)
            dialogs.answer(s.answer);
        click(d->*s.button);
        if (s.box.isEmpty())
            EXPECT_TRUE(dialogs.shown().isEmpty());
        else
            EXPECT_EQ(dialogs.shown().value(0), s.box == kStartAgain ? msgBox(kStartAgain, QStringLiteral("Please Confirm"),
                                                                          MsgButtons::YesNo, MsgIcon::Question, 2)
                                                                   : msgBox(s.box));
        EXPECT_EQ(std::pair(sel(d), d->FindPos), std::pair(s.sel, s.findPos));
        QWidget* const focus[] = {d->txtText01, d->cboCombo01[0], d->cmdFindNext, d->cmdCS};
        EXPECT_EQ(d->focusWidget(), focus[s.focus]);
        EXPECT_EQ(std::pair(d->CaseSensitive, d->cmdCS->text()),
                  std::pair(s.caseSensitive, QString::fromLatin1(s.caseSensitive ? "Case Sens&itive" : "Case In-Sens&itive")));
    }
    // A caption that is neither of the two, if only by its access key: the switch does nothing.
    d->cmdCS->setText(QStringLiteral("Case Sensitive"));
    click(d->cmdCS);
    EXPECT_EQ(std::pair(d->CaseSensitive, d->cmdCS->text()), std::pair(true, QStringLiteral("Case Sensitive")));
}

// "&Replace" puts the replacement over the selection or at the caret and the next search goes
// on from FindPos, inside the replacement; an empty replacement is refused.
TEST_F(FindPanelTest, ReplaceThenNextFindsInsideTheReplacement)
{
    frmTf* d = doc(QStringLiteral("bcdea a"), QStringLiteral("a"));
    ASSERT_TRUE(d);
    d->txtText01->setFocus();
    click(d->cmdReplace);
    EXPECT_EQ(dialogs.prompts(), QStringList{QStringLiteral("Please type valid text to replace.")});
    EXPECT_EQ(d->focusWidget(), d->cboCombo01[1]);
    EXPECT_FALSE(d->TextChanged);
    d->cboCombo01[1]->setEditText(QStringLiteral("aa"));
    click(d->cmdFindFirst);
    click(d->cmdReplace);
    EXPECT_EQ(d->txtText01->Text(), QStringLiteral("bcdeaa a"));
    EXPECT_EQ(std::pair(sel(d), d->FindPos), std::pair(Sel(6, 0), 6));
    EXPECT_TRUE(d->TextChanged);
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(5, 1));
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(7, 1));
    d->cboCombo01[1]->setEditText(QStringLiteral("\r\n"));
    d->txtText01->setSelStart(2);
    d->cboCombo01[1]->setFocus();
    d->cmdReplace_Click();
    EXPECT_EQ(d->txtText01->Text(), QStringLiteral("bc\r\ndeaa a"));
    EXPECT_EQ(std::pair(sel(d), d->FindPos), std::pair(Sel(4, 0), 9));
    EXPECT_EQ(d->focusWidget(), d->cboCombo01[1]);
    EXPECT_EQ(dialogs.shown().size(), 1);
}

// Typing, undo and Enter (a CR LF, two characters) between presses are all seen. The find
// box does not collect what was typed into it.
TEST_F(FindPanelTest, SearchesSeeEveryEditMadeBetweenPresses)
{
    frmTf* d = doc(QStringLiteral("one two one"));
    ASSERT_TRUE(d);
    QTest::keyClicks(d->cboCombo01[0], QStringLiteral("one"));
    QTest::keyClick(d->cboCombo01[0], Qt::Key_Return);
    EXPECT_EQ(d->cboCombo01[0]->count(), 0);
    click(d->cmdFindFirst);
    d->txtText01->setSelStart(4);
    QTest::keyClicks(d->txtText01, QStringLiteral("one "));
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(4, 3));
    d->txtText01->undo();
    d->txtText01->setSelStart(0);
    QTest::keyClick(d->txtText01, Qt::Key_Return);
    click(d->cmdFindFirst);
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(10, 3));
    EXPECT_EQ(d->txtText01->SelText(), QStringLiteral("one"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
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
