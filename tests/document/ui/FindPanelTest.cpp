// The find and replace panel of a document window: the search state machine of "F&ind First"
// and "Find &Next", "&Replace", the case switch and "C&lear List", driven through the panel's
// buttons on real document windows.
#include "support/MainWindowTest.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

using namespace folio;
using test::MainWindowTest;

namespace {

const QString kNoFindText = QStringLiteral("Please type valid text to find.");
const QString kFirstNotFound = QStringLiteral("Finding completed. Matching text is not found.");
const QString kNextNotFound = QStringLiteral("Find completed. Matching text is not found.");
const QString kStartAgain = QStringLiteral(
    "Finding is already completed till the end of file. Do you want to do it again from the beginning of file ?");
const QString kNoReplacement = QStringLiteral("Please type valid text to replace.");

class FindPanelTest : public MainWindowTest {
protected:
    // A new blank document holding `text`, with the find text typed in; nothing marked
    // changed yet.
    frmTf* openDocument(const QString& text, const QString& find = QString())
    {
        main->mnuNewBlank->trigger();
        test::settle();
        auto* doc = qobject_cast<frmTf*>(main->ActiveForm());
        if (!doc)
            return nullptr;
        doc->txtText01->setText(text);
        doc->TextChanged = false;
        doc->cboCombo01[0]->setEditText(find);
        return doc;
    }

    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // The selection as (0-based start, length).
    static std::pair<int, int> selection(const frmTf* doc)
    {
        return {doc->txtText01->SelStart(), doc->txtText01->SelLength()};
    }
};

using Sel = std::pair<int, int>;

}  // namespace

TEST_F(FindPanelTest, FirstThenNextWalksTheMatchesThenSaysNotFoundThenAsksToStartAgain)
{
    frmTf* doc = openDocument(QStringLiteral("one two one"), QStringLiteral("one"));
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->FindPos, 0);

    click(doc->cmdFindFirst);
    EXPECT_EQ(selection(doc), Sel(0, 3));
    EXPECT_EQ(doc->FindLen, 3);
    EXPECT_EQ(doc->FindPos, 4);
    EXPECT_EQ(doc->focusWidget(), doc->txtText01);

    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(8, 3));
    EXPECT_EQ(doc->FindPos, 12);
    EXPECT_TRUE(dialogs.shown().isEmpty());

    click(doc->cmdFindNext);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, kNextNotFound);
    EXPECT_EQ(dialogs.last().title, kAppTitle);
    EXPECT_EQ(dialogs.last().buttons, MsgButtons::OkOnly);
    EXPECT_EQ(dialogs.last().icon, MsgIcon::None);
    EXPECT_EQ(doc->FindPos, 0);
    EXPECT_EQ(doc->focusWidget(), doc->cboCombo01[0]);
    EXPECT_EQ(selection(doc), Sel(8, 3)) << "a failed search leaves the selection";

    // Idle: the question, No does nothing.
    dialogs.answer(MsgAnswer::No);
    click(doc->cmdFindNext);
    ASSERT_EQ(dialogs.shown().size(), 2);
    const auto& question = dialogs.last();
    EXPECT_EQ(question.prompt, kStartAgain);
    EXPECT_EQ(question.title, QStringLiteral("Please Confirm"));
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.defaultButton, 2);
    EXPECT_EQ(doc->FindPos, 0);
    EXPECT_EQ(selection(doc), Sel(8, 3));
    EXPECT_EQ(doc->focusWidget(), doc->cmdFindNext) << "No moves no focus";

    // Yes runs "F&ind First".
    dialogs.answer(MsgAnswer::Yes);
    click(doc->cmdFindNext);
    EXPECT_EQ(dialogs.shown().size(), 3);
    EXPECT_EQ(selection(doc), Sel(0, 3));
    EXPECT_EQ(doc->FindPos, 4);
    EXPECT_EQ(doc->focusWidget(), doc->txtText01);
    EXPECT_EQ(dialogs.pendingAnswers(), 0);
}

TEST_F(FindPanelTest, FreshWindowAsksBeforeTheFirstNextAndFirstAlwaysRestarts)
{
    frmTf* doc = openDocument(QStringLiteral("xx one yy one"), QStringLiteral("one"));
    ASSERT_TRUE(doc);

    dialogs.answer(MsgAnswer::Yes);
    click(doc->cmdFindNext);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, kStartAgain);
    EXPECT_EQ(selection(doc), Sel(3, 3));
    EXPECT_EQ(doc->FindPos, 7);

    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(10, 3));

    // In the state "match current", "F&ind First" still starts from the top.
    click(doc->cmdFindFirst);
    EXPECT_EQ(selection(doc), Sel(3, 3));
    EXPECT_EQ(doc->FindPos, 7);
    EXPECT_EQ(dialogs.shown().size(), 1);
}

TEST_F(FindPanelTest, FirstThatFindsNothingSaysSoAndGoesIdle)
{
    frmTf* doc = openDocument(QStringLiteral("short"), QStringLiteral("one"));
    ASSERT_TRUE(doc);
    click(doc->cmdFindFirst);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, kFirstNotFound);
    EXPECT_EQ(dialogs.last().title, kAppTitle);
    EXPECT_EQ(doc->FindPos, 0);
    EXPECT_EQ(doc->focusWidget(), doc->cboCombo01[0]);

    // A find text longer than the whole document.
    doc->cboCombo01[0]->setEditText(QStringLiteral("shorter than this"));
    click(doc->cmdFindFirst);
    EXPECT_EQ(dialogs.last().prompt, kFirstNotFound);
    EXPECT_EQ(doc->FindLen, 17);

    // And from a match current, a First that finds nothing resets the state.
    doc->cboCombo01[0]->setEditText(QStringLiteral("or"));
    click(doc->cmdFindFirst);
    EXPECT_EQ(doc->FindPos, 5);
    doc->cboCombo01[0]->setEditText(QStringLiteral("zz"));
    click(doc->cmdFindFirst);
    EXPECT_EQ(doc->FindPos, 0);
    EXPECT_EQ(dialogs.shown().size(), 3);
}

TEST_F(FindPanelTest, MatchesNeverOverlapAndTheFindTextIsReadOnEveryPress)
{
    frmTf* doc = openDocument(QStringLiteral("aaaa"), QStringLiteral("aa"));
    ASSERT_TRUE(doc);
    click(doc->cmdFindFirst);
    EXPECT_EQ(selection(doc), Sel(0, 2));
    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(2, 2));
    click(doc->cmdFindNext);
    EXPECT_EQ(dialogs.last().prompt, kNextNotFound);

    // Changing the find text between presses continues from FindPos with the new text.
    doc->txtText01->setText(QStringLiteral("abcabcab"));
    doc->cboCombo01[0]->setEditText(QStringLiteral("abc"));
    click(doc->cmdFindFirst);
    EXPECT_EQ(doc->FindPos, 4);
    doc->cboCombo01[0]->setEditText(QStringLiteral("ab"));
    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(3, 2));
    EXPECT_EQ(doc->FindLen, 2);
    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(6, 2));
}

TEST_F(FindPanelTest, PositionsOfALoadedFileCountItsEmptyFirstLine)
{
    const QString file = path(QStringLiteral("page.txt"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("alpha beta\r\ngamma beta\r\n");
    }
    files.choose(file);
    main->mnuOef->trigger();
    test::settle();
    auto* doc = qobject_cast<frmTf*>(main->ActiveForm());
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->txtText01->Text().startsWith(QStringLiteral("\r\nalpha")));

    doc->cboCombo01[0]->setEditText(QStringLiteral("alpha"));
    click(doc->cmdFindFirst);
    EXPECT_EQ(selection(doc), Sel(2, 5));
    EXPECT_EQ(doc->txtText01->SelText(), QStringLiteral("alpha"));
    EXPECT_EQ(doc->FindPos, 8);

    // Past a CR LF inside the text: both characters count.
    doc->cboCombo01[0]->setEditText(QStringLiteral("beta"));
    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(8, 4));
    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(20, 4));
    EXPECT_EQ(doc->txtText01->SelText(), QStringLiteral("beta"));
    EXPECT_EQ(doc->FindPos, 25);

    // A find text that spans a line break.
    doc->cboCombo01[0]->setEditText(QStringLiteral("beta\r\ngam"));
    click(doc->cmdFindFirst);
    EXPECT_EQ(selection(doc), Sel(8, 9));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(FindPanelTest, CaseModesAndSwitchingBetweenFirstAndNext)
{
    frmTf* doc = openDocument(QStringLiteral("apple APPLE"), QStringLiteral("Apple"));
    ASSERT_TRUE(doc);
    EXPECT_TRUE(doc->CaseSensitive);
    EXPECT_EQ(doc->cmdCS->text(), QStringLiteral("Case Sens&itive"));

    click(doc->cmdFindFirst);
    EXPECT_EQ(dialogs.last().prompt, kFirstNotFound);

    click(doc->cmdCS);
    EXPECT_FALSE(doc->CaseSensitive);
    EXPECT_EQ(doc->cmdCS->text(), QStringLiteral("Case In-Sens&itive"));
    click(doc->cmdFindFirst);
    EXPECT_EQ(selection(doc), Sel(0, 5));
    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(6, 5));

    // The switch between First and Next keeps FindPos and the selection; the rest of the
    // search uses the new mode.
    doc->txtText01->setText(QStringLiteral("abc ABC abc"));
    doc->cboCombo01[0]->setEditText(QStringLiteral("abc"));
    click(doc->cmdFindFirst);
    EXPECT_EQ(doc->FindPos, 4);
    click(doc->cmdCS);
    EXPECT_TRUE(doc->CaseSensitive);
    EXPECT_EQ(doc->cmdCS->text(), QStringLiteral("Case Sens&itive"));
    EXPECT_EQ(doc->FindPos, 4);
    EXPECT_EQ(selection(doc), Sel(0, 3));
    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(8, 3));

    click(doc->cmdCS);
    doc->cboCombo01[0]->setEditText(QStringLiteral("ABC"));
    click(doc->cmdFindFirst);
    EXPECT_EQ(selection(doc), Sel(0, 3)) << "insensitive: the first abc";
    click(doc->cmdCS);
    click(doc->cmdFindFirst);
    EXPECT_EQ(selection(doc), Sel(4, 3)) << "sensitive: only ABC";
}

TEST_F(FindPanelTest, CaseSwitchGoesByTheExactCaption)
{
    frmTf* doc = openDocument(QStringLiteral("x"));
    ASSERT_TRUE(doc);
    // A caption that is neither of the two, if only by its access key: nothing happens.
    doc->CaseSensitive = false;
    doc->cmdCS->setText(QStringLiteral("Case Sensitive"));
    click(doc->cmdCS);
    EXPECT_FALSE(doc->CaseSensitive);
    EXPECT_EQ(doc->cmdCS->text(), QStringLiteral("Case Sensitive"));

    doc->cmdCS->setText(QStringLiteral("Case In-Sens&itive"));
    doc->CaseSensitive = false;
    doc->cmdCS_Click();
    doc->cmdCS_Click();
    EXPECT_FALSE(doc->CaseSensitive);
    EXPECT_EQ(doc->cmdCS->text(), QStringLiteral("Case In-Sens&itive"));
}

TEST_F(FindPanelTest, ReplaceKeepsFindPosSoNextFindsInsideTheReplacement)
{
    frmTf* doc = openDocument(QStringLiteral("bcdea a"), QStringLiteral("a"));
    ASSERT_TRUE(doc);
    doc->cboCombo01[1]->setEditText(QStringLiteral("aa"));

    click(doc->cmdFindFirst);
    EXPECT_EQ(selection(doc), Sel(4, 1));
    EXPECT_EQ(doc->FindPos, 6);

    click(doc->cmdReplace);
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("bcdeaa a"));
    EXPECT_EQ(selection(doc), Sel(6, 0));
    EXPECT_EQ(doc->FindPos, 6);
    EXPECT_TRUE(doc->TextChanged);
    EXPECT_TRUE(dialogs.shown().isEmpty());

    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(5, 1));
    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(7, 1));
    click(doc->cmdFindNext);
    EXPECT_EQ(dialogs.last().prompt, kNextNotFound);
}

TEST_F(FindPanelTest, SearchesSeeEveryEditMadeBetweenPresses)
{
    frmTf* doc = openDocument(QStringLiteral("one two one"), QStringLiteral("one"));
    ASSERT_TRUE(doc);
    click(doc->cmdFindFirst);
    EXPECT_EQ(doc->FindPos, 4);

    // Typed by the user: "one " goes in at the caret behind the first match.
    doc->txtText01->setSelStart(4);
    QTest::keyClicks(doc->txtText01, QStringLiteral("one "));
    ASSERT_EQ(doc->txtText01->Text(), QStringLiteral("one one two one"));
    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(4, 3));

    // Undone again: the next search reads the old text.
    doc->txtText01->undo();
    ASSERT_EQ(doc->txtText01->Text(), QStringLiteral("one two one"));
    click(doc->cmdFindFirst);
    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(8, 3));

    // A new line typed with Enter adds two characters before the match.
    doc->txtText01->setSelStart(0);
    QTest::keyClick(doc->txtText01, Qt::Key_Return);
    click(doc->cmdFindFirst);
    click(doc->cmdFindNext);
    EXPECT_EQ(selection(doc), Sel(10, 3));
    EXPECT_EQ(doc->txtText01->SelText(), QStringLiteral("one"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(FindPanelTest, EmptyFindOrReplacementTextIsRefusedWithTheFocusBackInItsBox)
{
    frmTf* doc = openDocument(QStringLiteral("one two one"), QStringLiteral("one"));
    ASSERT_TRUE(doc);
    click(doc->cmdFindFirst);
    ASSERT_EQ(doc->FindPos, 4);

    doc->cboCombo01[0]->setEditText(QString());
    for (QPushButton* button : {doc->cmdFindFirst, doc->cmdFindNext}) {
        doc->txtText01->setFocus();
        dialogs.clear();
        click(button);
        ASSERT_EQ(dialogs.shown().size(), 1) << button->objectName().toStdString();
        EXPECT_EQ(dialogs.last().prompt, kNoFindText);
        EXPECT_EQ(dialogs.last().buttons, MsgButtons::OkOnly);
        EXPECT_EQ(doc->focusWidget(), doc->cboCombo01[0]);
        EXPECT_EQ(doc->FindPos, 4);
        EXPECT_EQ(selection(doc), Sel(0, 3));
    }

    // Even when idle, an empty find text is refused before the question.
    doc->FindPos = 0;
    dialogs.clear();
    click(doc->cmdFindNext);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, kNoFindText);

    dialogs.clear();
    doc->txtText01->setFocus();
    click(doc->cmdReplace);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, kNoReplacement);
    EXPECT_EQ(dialogs.last().title, kAppTitle);
    EXPECT_EQ(doc->focusWidget(), doc->cboCombo01[1]);
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("one two one"));
    EXPECT_EQ(selection(doc), Sel(0, 3));
    EXPECT_FALSE(doc->TextChanged);
}

TEST_F(FindPanelTest, ReplaceWithNothingSelectedInsertsAtTheCaretAndLeavesTheFocus)
{
    frmTf* doc = openDocument(QStringLiteral("abcd"));
    ASSERT_TRUE(doc);
    doc->cboCombo01[1]->setEditText(QStringLiteral("XY"));
    doc->txtText01->setSelStart(2);
    doc->cboCombo01[1]->setFocus();

    doc->cmdReplace_Click();
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("abXYcd"));
    EXPECT_EQ(selection(doc), Sel(4, 0));
    EXPECT_TRUE(doc->TextChanged);
    EXPECT_EQ(doc->focusWidget(), doc->cboCombo01[1]);
    EXPECT_EQ(doc->FindPos, 0);

    // Whatever is selected gives way, whether it was found or not.
    doc->txtText01->setSelStart(0);
    doc->txtText01->setSelLength(3);
    doc->cboCombo01[1]->setEditText(QStringLiteral("\r\n"));
    doc->cmdReplace_Click();
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("\r\nYcd"));
    EXPECT_EQ(selection(doc), Sel(2, 0));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(FindPanelTest, EachWindowKeepsItsOwnSearchState)
{
    frmTf* first = openDocument(QStringLiteral("one two one"), QStringLiteral("one"));
    frmTf* second = openDocument(QStringLiteral("two one two"), QStringLiteral("two"));
    ASSERT_TRUE(first && second && first != second);

    main->mdiArea()->setActiveSubWindow(first);
    click(first->cmdFindFirst);
    EXPECT_EQ(first->FindPos, 4);

    main->mdiArea()->setActiveSubWindow(second);
    click(second->cmdCS);
    dialogs.answer(MsgAnswer::No);
    click(second->cmdFindNext);
    EXPECT_EQ(dialogs.last().prompt, kStartAgain) << "the second window has not searched yet";
    second->cboCombo01[0]->setEditText(QStringLiteral("TWO"));
    click(second->cmdFindFirst);
    EXPECT_EQ(second->FindPos, 4);
    click(second->cmdFindNext);
    EXPECT_EQ(second->FindPos, 12);

    main->mdiArea()->setActiveSubWindow(first);
    EXPECT_TRUE(first->CaseSensitive);
    EXPECT_EQ(first->cmdCS->text(), QStringLiteral("Case Sens&itive"));
    EXPECT_EQ(first->FindPos, 4);
    click(first->cmdFindNext);
    EXPECT_EQ(selection(first), Sel(8, 3));
    EXPECT_EQ(first->txtText01->SelText(), QStringLiteral("one"));
}

TEST_F(FindPanelTest, ClearListEmptiesBothBoxesWhichNeverCollectTypedTexts)
{
    frmTf* doc = openDocument(QStringLiteral("one two one"));
    ASSERT_TRUE(doc);
    EXPECT_TRUE(doc->cmdClear->isHidden());

    // Typed and confirmed with Enter, a text stays in the edit field only.
    QTest::keyClicks(doc->cboCombo01[0], QStringLiteral("one"));
    QTest::keyClick(doc->cboCombo01[0], Qt::Key_Return);
    QTest::keyClicks(doc->cboCombo01[1], QStringLiteral("two"));
    QTest::keyClick(doc->cboCombo01[1], Qt::Key_Return);
    click(doc->cmdFindFirst);
    click(doc->cmdReplace);
    EXPECT_EQ(doc->cboCombo01[0]->count(), 0);
    EXPECT_EQ(doc->cboCombo01[1]->count(), 0);
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("two two one"));

    doc->cboCombo01[0]->addItems({QStringLiteral("a"), QStringLiteral("b")});
    doc->cboCombo01[1]->addItem(QStringLiteral("c"));
    doc->cboCombo01[0]->setEditText(QStringLiteral("left"));
    doc->cboCombo01[1]->setEditText(QStringLiteral("over"));
    doc->cmdClear_Click();
    for (QComboBox* box : doc->cboCombo01) {
        EXPECT_EQ(box->count(), 0);
        EXPECT_EQ(box->currentText(), QString());
        EXPECT_EQ(box->lineEdit()->text(), QString());
    }
    EXPECT_EQ(doc->FindPos, 4) << "clearing the boxes is no search";
}

TEST_F(FindPanelTest, AControlThatCannotTakeTheFocusIsReportedAsAFailure)
{
    frmTf* doc = openDocument(QStringLiteral("one"), QString());
    ASSERT_TRUE(doc);
    doc->fraFrame01->setVisible(false);
    doc->cmdFindFirst_Click();
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(dialogs.shown().at(0).prompt, kNoFindText);
    EXPECT_TRUE(dialogs.last().prompt.contains(QStringLiteral("Invalid procedure call or argument")))
        << dialogs.last().prompt.toStdString();

    // A search ends where the failure struck: FindPos found, not yet moved behind the match.
    doc->cboCombo01[0]->setEditText(QStringLiteral("n"));
    doc->txtText01->setVisible(false);
    dialogs.clear();
    doc->cmdFindFirst_Click();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(doc->FindPos, 2);
    EXPECT_EQ(doc->FindLen, 1);
}
