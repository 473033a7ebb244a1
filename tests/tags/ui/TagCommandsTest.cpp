// The "&HTML Tags" commands and the Edit menu's text commands, run through the main window's
// menu entries against the focused control of the active child window.
#include "support/MainWindowTest.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"
#include "reading/ui/frmAbout.h"
#include "tags/logic/TagTable.h"
#include "tags/logic/TextCommands.h"

#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTextDocument>

using namespace folio;

namespace {

const QString kRefusal = QStringLiteral("This activity is not allowed for this instance !");

class TagCommandsTest : public test::MainWindowTest {
protected:
    // A new blank document, active, its text box focused and holding `content` with the
    // given selection, not yet counted as changed.
    frmTf* openDocument(const QString& content = {}, int selStart = 0, int selLength = 0)
    {
        main->mnuNewBlank->trigger();
        test::settle();
        auto* doc = qobject_cast<frmTf*>(main->ActiveForm());
        if (!doc) {
            ADD_FAILURE() << "no document window";
            return nullptr;
        }
        doc->txtText01->setText(content);
        doc->txtText01->setSelStart(selStart);
        doc->txtText01->setSelLength(selLength);
        doc->txtText01->setFocus();
        doc->TextChanged = false;
        return doc;
    }
    void run(const char* control) { main->menuEntry(QString::fromLatin1(control))->trigger(); }
    void expectRefusedOnce()
    {
        ASSERT_EQ(dialogs.shown().size(), 1);
        const test::ShownBox& box = dialogs.last();
        EXPECT_FALSE(box.isInput);
        EXPECT_EQ(box.prompt, kRefusal);
        EXPECT_EQ(box.title, QStringLiteral("Tagwright Folio"));
        EXPECT_EQ(box.buttons, MsgButtons::OkOnly);
        EXPECT_EQ(box.icon, MsgIcon::None);
    }
};

// What each entry leaves in place of the selected word "beta", and at a caret with nothing
// selected, written out in full.
struct Expected {
    const char* control;
    const char* withSelection;
    const char* atCaret;
};
constexpr Expected kExpected[] = {
    {"mnuLineBreak", "<br>", "<br>"},
    {"mnuBS", "&nbsp;", "&nbsp;"},
    {"mnuBold", "<b> beta </b>", "<b>  </b>"},
    {"mnuUnderline", "<u> beta </u>", "<u>  </u>"},
    {"mnuItalic", "<i> beta </i>", "<i>  </i>"},
    {"mnuFont", "<font face='arial' color=#000000 size=3> beta </font>",
     "<font face='arial' color=#000000 size=3>  </font>"},
    {"mnuAlignLeft", " align=left ", " align=left "},
    {"mnuAlignCenter", " align=center ", " align=center "},
    {"mnuAlignRight", " align=right ", " align=right "},
    {"mnuAlignTop", " valign=top ", " valign=top "},
    {"mnuAlignMiddle", " valign=middle ", " valign=middle "},
    {"mnuAlignBottom", " valign=bottom ", " valign=bottom "},
    {"mnuAlignCenterPair", "<center> beta </center>", "<center>  </center>"},
    {"mnuListOl", "<ol> beta </ol>", "<ol>  </ol>"},
    {"mnuListUl", "<ul> beta </ul>", "<ul>  </ul>"},
    {"mnuListLi", "<li> beta </li>", "<li>  </li>"},
    {"mnuTableBody", "<table width='100%' border =2 cellpadding=10 cellspacing=0> beta </table>",
     "<table width='100%' border =2 cellpadding=10 cellspacing=0>  </table>"},
    {"mnuTableTr", "<tr> beta </tr>", "<tr>  </tr>"},
    {"mnuTableTd", "<td> beta </td>", "<td>  </td>"},
    {"mnuParagraph", "<p> beta </p>", "<p>  </p>"},
    {"mnuDivision", "<div> beta </div>", "<div>  </div>"},
};

}  // namespace

// ---- the table, entry by entry ----------------------------------------------------------

TEST_F(TagCommandsTest, EveryEntryWrapsOrReplacesTheSelectionAndLeavesTheCaretBehind)
{
    ASSERT_EQ(std::size(kExpected), tags::tagTable().size());
    frmTf* doc = openDocument();
    ASSERT_NE(doc, nullptr);
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.control);
        const QString inserted = QString::fromLatin1(e.withSelection);
        doc->txtText01->setText(QStringLiteral("alpha beta gamma"));
        doc->txtText01->setSelStart(6);
        doc->txtText01->setSelLength(4);
        run(e.control);
        EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("alpha ") + inserted + QStringLiteral(" gamma"));
        EXPECT_EQ(doc->txtText01->SelStart(), 6 + inserted.size());
        EXPECT_EQ(doc->txtText01->SelLength(), 0);

        // Nothing selected: a wrap entry puts its empty pair at the caret.
        const QString pair = QString::fromLatin1(e.atCaret);
        doc->txtText01->setText(QStringLiteral("ab"));
        doc->txtText01->setSelStart(1);
        run(e.control);
        EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("a") + pair + QStringLiteral("b"));
        EXPECT_EQ(doc->txtText01->SelStart(), 1 + pair.size());
        EXPECT_EQ(doc->txtText01->SelLength(), 0);
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(main->ActiveControl(), doc->txtText01);
}

TEST_F(TagCommandsTest, AMultiLineSelectionIsWrappedWholeWithItsBreaksInside)
{
    frmTf* doc = openDocument(QStringLiteral("one\r\ntwo\r\nthree"), 5, 8);  // "two\r\nthr"
    ASSERT_NE(doc, nullptr);
    run("mnuListUl");
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("one\r\n<ul> two\r\nthr </ul>ee"));
    EXPECT_EQ(doc->txtText01->SelStart(), 5 + 19);  // behind " </ul>"
    EXPECT_EQ(doc->txtText01->SelLength(), 0);

    // Choosing it again wraps nothing: the selection is gone, so the empty pair goes in.
    run("mnuListUl");
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("one\r\n<ul> two\r\nthr </ul><ul>  </ul>ee"));
}

TEST_F(TagCommandsTest, AWrapMarksTheDocumentChangedAndIsOneUndoStep)
{
    const QString before = QStringLiteral("first line\r\nsecond line");
    frmTf* doc = openDocument(before, 6, 11);  // "line\r\nsecon"
    ASSERT_NE(doc, nullptr);
    run("mnuTableBody");
    EXPECT_TRUE(doc->TextChanged);
    ASSERT_NE(doc->txtText01->Text(), before);
    doc->txtText01->undo();
    EXPECT_EQ(doc->txtText01->Text(), before);
    EXPECT_FALSE(doc->txtText01->document()->isUndoAvailable());
}

// ---- which control is the target --------------------------------------------------------

TEST_F(TagCommandsTest, TheFocusedComboBoxGetsTheMarkupNotTheTextBox)
{
    frmTf* doc = openDocument(QStringLiteral("document"), 0, 8);
    ASSERT_NE(doc, nullptr);
    doc->cboCombo01[0]->setEditText(QStringLiteral("find me"));
    doc->cboCombo01[0]->setFocus();
    doc->cboCombo01[0]->lineEdit()->setSelection(5, 2);
    run("mnuItalic");
    EXPECT_EQ(doc->cboCombo01[0]->currentText(), QStringLiteral("find <i> me </i>"));
    EXPECT_EQ(doc->cboCombo01[0]->lineEdit()->cursorPosition(), 16);
    EXPECT_FALSE(doc->cboCombo01[0]->lineEdit()->hasSelectedText());
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("document"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(TagCommandsTest, TheAboutWindowsReadOnlyTextTakesTheCommands)
{
    auto* about = qobject_cast<frmAbout*>(main->ActiveForm());
    ASSERT_NE(about, nullptr);
    about->txtText01->setFocus();
    const QString before = about->txtText01->Text();
    about->txtText01->setSelStart(2);
    about->txtText01->setSelLength(9);  // "Tagwright"
    run("mnuBold");
    EXPECT_EQ(about->txtText01->Text(), before.left(2) + QStringLiteral("<b> Tagwright </b>") + before.mid(11));
    run("mnuTabkey");
    EXPECT_EQ(about->txtText01->Text().mid(2, 19), QStringLiteral("<b> Tagwright </b>\t"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(TagCommandsTest, AFocusedButtonInAnActiveDocumentIsRefusedWithNothingChanged)
{
    const char* commands[] = {"mnuBold", "mnuLineBreak", "mnuParagraph", "mnuHyperlink", "mnuImage",
                              "mnuTabkey", "mnuDateTime", "mnuUppercase", "mnuLowercase"};
    frmTf* doc = openDocument(QStringLiteral("keep me"), 2, 3);
    ASSERT_NE(doc, nullptr);
    doc->cboCombo01[0]->setEditText(QStringLiteral("and me"));
    doc->cmdFindFirst->setFocus();
    for (const char* c : commands) {
        SCOPED_TRACE(c);
        dialogs.clear();
        run(c);  // prompted tags refuse before any input box
        expectRefusedOnce();
        EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("keep me"));
        EXPECT_EQ(doc->txtText01->SelStart(), 2);
        EXPECT_EQ(doc->txtText01->SelLength(), 3);
        EXPECT_EQ(doc->cboCombo01[0]->currentText(), QStringLiteral("and me"));
        EXPECT_EQ(main->ActiveControl(), doc->cmdFindFirst);
    }
}

TEST_F(TagCommandsTest, WithNoChildWindowEveryCommandButWarningIsRefused)
{
    closeAllChildren();
    QStringList commands;
    for (const tags::TagRow& row : tags::tagTable())
        commands << QString::fromLatin1(row.control);
    commands << QStringLiteral("mnuHyperlink") << QStringLiteral("mnuImage") << QStringLiteral("mnuTabkey")
             << QStringLiteral("mnuDateTime") << QStringLiteral("mnuUppercase") << QStringLiteral("mnuLowercase");
    for (const QString& c : commands) {
        SCOPED_TRACE(c.toStdString());
        dialogs.clear();
        main->menuEntry(c)->trigger();
        expectRefusedOnce();
    }
}

TEST_F(TagCommandsTest, WarningExplainsTheTwoKindsWithOrWithoutAChild)
{
    const QString warning = QStringLiteral(
        "Wherever you read the words 'Your Text' on the menu, you can wrap the selected or highlighted text in "
        "your file by the concerned tags.\r\n\r\nWherever these words don't appear on the menu, the selected or "
        "highloghted text in your file will be replaced by the concerned tags.\r\n\r\nSo take care ! If you want "
        "to undo the changes, please right click on the text box and select 'Undo'.");
    closeAllChildren();
    run("mnuWarning");
    frmTf* doc = openDocument(QStringLiteral("x"), 0, 1);
    ASSERT_NE(doc, nullptr);
    doc->cmdFindFirst->setFocus();
    run("mnuWarning");
    ASSERT_EQ(dialogs.shown().size(), 2);
    for (const test::ShownBox& box : dialogs.shown()) {
        EXPECT_EQ(box.prompt, warning);
        EXPECT_EQ(box.title, QStringLiteral("Tagwright Folio"));
        EXPECT_EQ(box.buttons, MsgButtons::OkOnly);
        EXPECT_EQ(box.icon, MsgIcon::None);
    }
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("x"));
}

// ---- prompted tags ----------------------------------------------------------------------

TEST_F(TagCommandsTest, HyperlinkAsksTwiceWithFreshDefaultsAndReplacesTheSelection)
{
    frmTf* doc = openDocument(QStringLiteral("see selected here"), 4, 8);
    ASSERT_NE(doc, nullptr);
    dialogs.input(QStringLiteral("http://www.example.com")).input(QStringLiteral("Display Text"));
    run("mnuHyperlink");
    const QString anchor = QStringLiteral("<a href= 'http://www.example.com'> Display Text </a>");
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("see ") + anchor + QStringLiteral(" here"));
    EXPECT_EQ(doc->txtText01->SelStart(), 4 + anchor.size());
    EXPECT_EQ(doc->txtText01->SelLength(), 0);

    // Other answers the second time; the boxes still offer the same defaults.
    dialogs.input(QStringLiteral("mailto:info@example.com")).input(QStringLiteral("Mail us"));
    run("mnuHyperlink");
    ASSERT_EQ(dialogs.shown().size(), 4);
    for (int use = 0; use < 2; ++use) {
        const test::ShownBox& first = dialogs.shown()[use * 2];
        const test::ShownBox& second = dialogs.shown()[use * 2 + 1];
        EXPECT_TRUE(first.isInput && second.isInput);
        EXPECT_EQ(first.title, QStringLiteral("Insert Hyperlink"));
        EXPECT_EQ(first.prompt,
                  QStringLiteral("Please type the URL\r\nhttp://www.example.com or mailto:info@example.com"));
        EXPECT_EQ(first.defaultText, QStringLiteral("http://www.example.com"));
        EXPECT_EQ(second.title, QStringLiteral("Insert Hyperlink"));
        EXPECT_EQ(second.prompt, QStringLiteral("Please type the Display Text"));
        EXPECT_EQ(second.defaultText, QStringLiteral("Display Text"));
    }
    EXPECT_TRUE(doc->txtText01->Text().endsWith(
        anchor + QStringLiteral("<a href= 'mailto:info@example.com'> Mail us </a> here")));
}

TEST_F(TagCommandsTest, ImageAsksTwiceAndBuildsTheTagFromBothAnswers)
{
    frmTf* doc = openDocument(QStringLiteral("[]"), 1, 0);
    ASSERT_NE(doc, nullptr);
    dialogs.input(QStringLiteral("./img/a.png")).input(QStringLiteral("A cat"));
    run("mnuImage");
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("[<img src= './img/a.png' alt= 'A cat' width=10 height=10>]"));
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(dialogs.shown()[0].title, QStringLiteral("Insert Image Tag"));
    EXPECT_EQ(dialogs.shown()[0].prompt, QStringLiteral("Please type the image file name with relative path"));
    EXPECT_EQ(dialogs.shown()[0].defaultText, QStringLiteral("./sub-folder/ImageName.jpg"));
    EXPECT_EQ(dialogs.shown()[1].title, QStringLiteral("Insert Image Tag"));
    EXPECT_EQ(dialogs.shown()[1].prompt, QStringLiteral("Please type the Search Keywords for the Image"));
    EXPECT_EQ(dialogs.shown()[1].defaultText, QStringLiteral("Search Keywords for the Image"));
}

TEST_F(TagCommandsTest, ACancelledOrBlankAnswerInsertsNothingButBothBoxesAreShown)
{
    frmTf* doc = openDocument(QStringLiteral("untouched"), 2, 3);
    ASSERT_NE(doc, nullptr);
    dialogs.cancelInput().input(QStringLiteral("Keywords"));
    run("mnuImage");
    EXPECT_EQ(dialogs.shown().size(), 2);

    dialogs.input(QStringLiteral("http://www.example.com")).input(QStringLiteral("   "));
    run("mnuHyperlink");
    dialogs.input(QStringLiteral("  ")).input(QStringLiteral("Display Text"));
    run("mnuHyperlink");
    EXPECT_EQ(dialogs.shown().size(), 6);
    EXPECT_EQ(dialogs.pendingAnswers(), 0);
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("untouched"));
    EXPECT_EQ(doc->txtText01->SelStart(), 2);
    EXPECT_EQ(doc->txtText01->SelLength(), 3);
}

TEST_F(TagCommandsTest, AnswersAreUsedAsTypedWithTheirBlanksInsideTheQuotes)
{
    frmTf* doc = openDocument();
    ASSERT_NE(doc, nullptr);
    dialogs.input(QStringLiteral("  http://a.example.org ")).input(QStringLiteral(" two  words "));
    run("mnuHyperlink");
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("<a href= '  http://a.example.org '>  two  words  </a>"));
    // Only the blank counts as blank: a tab is content.
    doc->txtText01->setText(QString());
    dialogs.input(QStringLiteral("\t")).input(QStringLiteral("x"));
    run("mnuImage");
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("<img src= '\t' alt= 'x' width=10 height=10>"));
}

// ---- Edit menu text commands ------------------------------------------------------------

TEST_F(TagCommandsTest, TabReplacesTheSelectedCharacters)
{
    frmTf* doc = openDocument(QStringLiteral("abcdef"), 1, 3);
    ASSERT_NE(doc, nullptr);
    run("mnuTabkey");
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("a\tef"));
    EXPECT_EQ(doc->txtText01->SelStart(), 2);
    EXPECT_EQ(doc->txtText01->SelLength(), 0);
}

TEST_F(TagCommandsTest, CaseChangesOnlyTheLettersOfTheSelection)
{
    const QString text = QStringLiteral("keep Mixed 12-ab;Ünï, z\r\nQ! TAIL");
    frmTf* doc = openDocument(text, 5, 21);  // "Mixed 12-ab;Ünï, z\r\nQ"
    ASSERT_NE(doc, nullptr);
    run("mnuUppercase");
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("keep MIXED 12-AB;ÜNÏ, Z\r\nQ! TAIL"));
    EXPECT_EQ(doc->txtText01->SelStart(), 26);
    EXPECT_EQ(doc->txtText01->SelLength(), 0);

    doc->txtText01->setSelStart(5);
    doc->txtText01->setSelLength(21);
    run("mnuLowercase");
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("keep mixed 12-ab;ünï, z\r\nq! TAIL"));
    EXPECT_EQ(doc->txtText01->SelStart(), 26);

    // Nothing selected: nothing changes, not even the letter at the caret.
    doc->txtText01->setSelStart(1);
    run("mnuUppercase");
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("keep mixed 12-ab;ünï, z\r\nq! TAIL"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(TagCommandsTest, DateAndTimeTwiceGivesTwoTextsOneAfterTheOther)
{
    frmTf* doc = openDocument(QStringLiteral("<>"), 1, 0);
    ASSERT_NE(doc, nullptr);
    const QDateTime from = QDateTime::currentDateTime();
    run("mnuDateTime");
    run("mnuDateTime");
    const QDateTime to = QDateTime::currentDateTime();

    // Every text the clock could have given between the two readings.
    QStringList possible;
    for (QDateTime t = from.addMSecs(-from.time().msec()); t <= to; t = t.addSecs(1))
        possible << tags::generalDateText(t, QLocale::system());
    ASSERT_FALSE(possible.isEmpty());
    const QString text = doc->txtText01->Text();
    bool matched = false;
    for (const QString& a : possible)
        for (const QString& b : possible)
            matched = matched || text == QStringLiteral("<") + a + b + QStringLiteral(">");
    EXPECT_TRUE(matched) << text.toStdString();
    EXPECT_EQ(doc->txtText01->SelStart(), text.size() - 1);
}
