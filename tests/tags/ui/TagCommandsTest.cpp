// The "&HTML Tags" commands and the Edit menu's text commands, run through the main window's
// menu entries against the focused control of the active child window.
#include "support/MainWindowTest.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"
#include "reading/ui/frmAbout.h"
#include "tags/logic/TagTable.h"
#include "tags/logic/TextCommands.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

using namespace folio;

namespace {

class TagCommandsTest : public test::MainWindowTest {
protected:
    // A new blank document, active, its text box focused and holding `content` with the
    // given selection, not yet counted as changed.
    frmTf* openDocument(const QString& content = {}, int selStart = 0, int selLength = 0)
    {
        main->mnuNewBlank->trigger();
        test::settle();
        auto* doc = qobject_cast<frmTf*>(main->ActiveForm());
        if (!doc)
            return nullptr;
        select(doc, content, selStart, selLength);
        doc->txtText01->setFocus();
        doc->TextChanged = false;
        return doc;
    }
    static void select(frmTf* doc, const QString& content, int selStart, int selLength)
    {
        doc->txtText01->setText(content);
        doc->txtText01->setSelStart(selStart);
        doc->txtText01->setSelLength(selLength);
    }
    // The text box holds `text` with the caret at `caret` and nothing selected.
    static void expectText(frmTf* doc, const QString& text, int caret)
    {
        EXPECT_EQ(doc->txtText01->Text(), text);
        EXPECT_EQ(doc->txtText01->SelStart(), caret);
        EXPECT_EQ(doc->txtText01->SelLength(), 0);
    }
    void run(const QString& control) { main->menuEntry(control)->trigger(); }
    void expectOneBox(const QString& prompt)
    {
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.last(), test::msgBox(prompt));
    }
    const QStringList kTextCommands = QStringLiteral("mnuHyperlink mnuImage mnuTabkey mnuDateTime mnuUppercase "
                                                     "mnuLowercase").split(QLatin1Char(' '));
    const QString kRefusal = QStringLiteral("This activity is not allowed for this instance !");
};

// Each entry's exact texts, in the menu's order: an entry with a closing text wraps the
// selection, one without replaces it.
const struct { const char* control; const char* opening; const char* closing; } kTagRows[] = {
    {"mnuLineBreak", "<br>", ""}, {"mnuBS", "&nbsp;", ""}, {"mnuBold", "<b> ", " </b>"},
    {"mnuUnderline", "<u> ", " </u>"}, {"mnuItalic", "<i> ", " </i>"},
    {"mnuFont", "<font face='arial' color=#000000 size=3> ", " </font>"},
    {"mnuAlignLeft", " align=left ", ""}, {"mnuAlignCenter", " align=center ", ""},
    {"mnuAlignRight", " align=right ", ""}, {"mnuAlignTop", " valign=top ", ""},
    {"mnuAlignMiddle", " valign=middle ", ""}, {"mnuAlignBottom", " valign=bottom ", ""},
    {"mnuAlignCenterPair", "<center> ", " </center>"}, {"mnuListOl", "<ol> ", " </ol>"},
    {"mnuListUl", "<ul> ", " </ul>"}, {"mnuListLi", "<li> ", " </li>"},
    {"mnuTableBody", "<table width='100%' border =2 cellpadding=10 cellspacing=0> ", " </table>"},
    {"mnuTableTr", "<tr> ", " </tr>"}, {"mnuTableTd", "<td> ", " </td>"},
    {"mnuParagraph", "<p> ", " </p>"}, {"mnuDivision", "<div> ", " </div>"},
};

const QString kWarning = QStringLiteral(
    "Wherever you read the words 'Your Text' on the menu, you can wrap the selected or highlighted text in "
    "your file by the concerned tags.\r\n\r\nWherever these words don't appear on the menu, the selected or "
    "highloghted text in your file will be replaced by the concerned tags.\r\n\r\nSo take care ! If you want "
    "to undo the changes, please right click on the text box and select 'Undo'.");

}  // namespace

TEST_F(TagCommandsTest, EveryEntryPutsItsTagInPlaceOfTheSelectionOrAtTheCaretAndLeavesTheCaretBehind)
{
    ASSERT_EQ(tags::tagTable().size(), std::size(kTagRows));
    frmTf* doc = openDocument();
    ASSERT_NE(doc, nullptr);
    for (const auto& row : kTagRows) {
        SCOPED_TRACE(row.control);
        const QString open = QString::fromLatin1(row.opening), close = QString::fromLatin1(row.closing);
        select(doc, QStringLiteral("alpha beta gamma"), 6, 4);
        run(QString::fromLatin1(row.control));
        const QString inserted = close.isEmpty() ? open : open + QStringLiteral("beta") + close;
        expectText(doc, QStringLiteral("alpha ") + inserted + QStringLiteral(" gamma"), 6 + int(inserted.size()));
        select(doc, QStringLiteral("ab"), 1, 0);
        run(QString::fromLatin1(row.control));
        expectText(doc, QStringLiteral("a") + open + close + QStringLiteral("b"), 1 + int(open.size() + close.size()));
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(main->ActiveControl(), doc->txtText01);
}

TEST_F(TagCommandsTest, AMultiLineSelectionIsWrappedWholeInOneUndoStep)
{
    const QString before = QStringLiteral("one\r\ntwo\r\nthree");
    frmTf* doc = openDocument(before, 5, 8);  // "two\r\nthr"
    ASSERT_NE(doc, nullptr);
    run(QStringLiteral("mnuListUl"));
    expectText(doc, QStringLiteral("one\r\n<ul> two\r\nthr </ul>ee"), 5 + 19);
    EXPECT_TRUE(doc->TextChanged);
    doc->txtText01->undo();
    EXPECT_EQ(doc->txtText01->Text(), before);
    EXPECT_FALSE(doc->txtText01->document()->isUndoAvailable());
}

TEST_F(TagCommandsTest, TheFocusedComboBoxOrReadOnlyReadingTextIsTheTarget)
{
    auto* about = qobject_cast<frmAbout*>(main->ActiveForm());
    ASSERT_NE(about, nullptr);
    about->txtText01->setFocus();
    const QString text = about->txtText01->Text();
    about->txtText01->setSelStart(2);
    about->txtText01->setSelLength(9);  // "Tagwright"
    run(QStringLiteral("mnuBold"));
    run(QStringLiteral("mnuTabkey"));
    EXPECT_EQ(about->txtText01->Text(), text.left(2) + QStringLiteral("<b> Tagwright </b>\t") + text.mid(11));

    frmTf* doc = openDocument(QStringLiteral("document"), 0, 8);
    ASSERT_NE(doc, nullptr);
    QComboBox* combo = doc->cboCombo01[0];
    combo->setEditText(QStringLiteral("find me"));
    combo->setFocus();
    combo->lineEdit()->setSelection(5, 2);
    run(QStringLiteral("mnuItalic"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("find <i> me </i>"));
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), 16);
    EXPECT_FALSE(combo->lineEdit()->hasSelectedText());
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("document"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(TagCommandsTest, AFocusedButtonOrNoChildIsRefusedWithNothingChangedButTheWarningAlwaysShows)
{
    frmTf* doc = openDocument(QStringLiteral("keep me"), 2, 3);
    ASSERT_NE(doc, nullptr);
    doc->cboCombo01[0]->setEditText(QStringLiteral("and me"));
    doc->cmdFindFirst->setFocus();
    for (const QString& c : kTextCommands + QStringList{QStringLiteral("mnuBold"), QStringLiteral("mnuLineBreak")}) {
        SCOPED_TRACE(c.toStdString());
        dialogs.clear();
        run(c);  // prompted tags refuse before any input box
        expectOneBox(kRefusal);
        EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("keep me"));
        EXPECT_EQ(doc->txtText01->SelStart(), 2);
        EXPECT_EQ(doc->txtText01->SelLength(), 3);
    }
    EXPECT_EQ(doc->cboCombo01[0]->currentText(), QStringLiteral("and me"));
    EXPECT_EQ(main->ActiveControl(), doc->cmdFindFirst);
    dialogs.clear();
    run(QStringLiteral("mnuWarning"));
    expectOneBox(kWarning);

    closeAllChildren();
    QStringList commands = kTextCommands;
    for (const auto& row : kTagRows)
        commands << QString::fromLatin1(row.control);
    for (const QString& c : commands) {
        SCOPED_TRACE(c.toStdString());
        dialogs.clear();
        run(c);
        expectOneBox(kRefusal);
    }
    dialogs.clear();
    run(QStringLiteral("mnuWarning"));
    expectOneBox(kWarning);
}

TEST_F(TagCommandsTest, PromptedTagsAskTwiceWithTheirDefaultsAndReplaceTheSelection)
{
    frmTf* doc = openDocument(QStringLiteral("see selected here"), 4, 8);
    ASSERT_NE(doc, nullptr);
    dialogs.input(QStringLiteral("mailto:info@example.com")).input(QStringLiteral("Mail us"));
    run(QStringLiteral("mnuHyperlink"));
    const QString anchor = QStringLiteral("<a href= 'mailto:info@example.com'> Mail us </a>");
    expectText(doc, QStringLiteral("see ") + anchor + QStringLiteral(" here"), 4 + anchor.size());
    dialogs.input(QStringLiteral("./img/a.png")).input(QStringLiteral("A cat"));
    run(QStringLiteral("mnuImage"));
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("see ") + anchor + QStringLiteral("<img src= './img/a.png' alt= 'A cat' width=10 height=10> here"));

    const struct { const char* title; const char* prompt; const char* defaultText; } boxes[] = {
        {"Insert Hyperlink", "Please type the URL\r\nhttp://www.example.com or mailto:info@example.com", "http://www.example.com"},
        {"Insert Hyperlink", "Please type the Display Text", "Display Text"},
        {"Insert Image Tag", "Please type the image file name with relative path", "./sub-folder/ImageName.jpg"},
        {"Insert Image Tag", "Please type the Search Keywords for the Image", "Search Keywords for the Image"},
    };
    ASSERT_EQ(dialogs.shown().size(), 4);
    for (int i = 0; i < 4; ++i) {
        const test::ShownBox& box = dialogs.shown()[i];
        EXPECT_TRUE(box.isInput);
        EXPECT_EQ(box.title, QLatin1String(boxes[i].title));
        EXPECT_EQ(box.prompt, QLatin1String(boxes[i].prompt));
        EXPECT_EQ(box.defaultText, QLatin1String(boxes[i].defaultText));
    }

    // A cancelled or blank answer inserts nothing, but both boxes are shown.
    select(doc, QStringLiteral("untouched"), 2, 3);
    dialogs.cancelInput().input(QStringLiteral("Keywords"));
    run(QStringLiteral("mnuImage"));
    dialogs.input(QStringLiteral("http://www.example.com")).input(QStringLiteral("   "));
    run(QStringLiteral("mnuHyperlink"));
    EXPECT_EQ(dialogs.shown().size(), 8);
    EXPECT_EQ(dialogs.pendingAnswers(), 0);
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("untouched"));
    EXPECT_EQ(doc->txtText01->SelStart(), 2);
    EXPECT_EQ(doc->txtText01->SelLength(), 3);
}

TEST_F(TagCommandsTest, TabAndCaseChangesWorkOnTheSelectionOnly)
{
    frmTf* doc = openDocument(QStringLiteral("abcdef"), 1, 3);
    ASSERT_NE(doc, nullptr);
    run(QStringLiteral("mnuTabkey"));
    expectText(doc, QStringLiteral("a\tef"), 2);

    // µ has no upper case in the code page, so it stays as it is.
    select(doc, QStringLiteral("keep Mixed \u00b5\u00ff\r\nQ! TAIL"), 5, 11);  // "Mixed µÿ\r\nQ"
    run(QStringLiteral("mnuUppercase"));
    expectText(doc, QStringLiteral("keep MIXED \u00b5\u0178\r\nQ! TAIL"), 16);
    select(doc, QStringLiteral("keep MIXED \u00b5\u0178\r\nQ! TAIL"), 5, 11);
    run(QStringLiteral("mnuLowercase"));
    expectText(doc, QStringLiteral("keep mixed \u00b5\u00ff\r\nq! TAIL"), 16);
    doc->txtText01->setSelStart(1);  // nothing selected: nothing changes
    run(QStringLiteral("mnuUppercase"));
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("keep mixed \u00b5\u00ff\r\nq! TAIL"));

    // A UTF-8 file can hold any character: there µ and ƒ take their upper case.
    QFile page(path(QStringLiteral("page.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly) && page.write("caf\xC3\xA9\r\n") > 0);
    page.close();
    files.choose(page.fileName());
    main->mnuOef->trigger();
    test::settle();
    auto* utf8 = qobject_cast<frmTf*>(main->ActiveForm());
    ASSERT_TRUE(utf8 && utf8 != doc);
    select(utf8, QStringLiteral("µƒÿ é"), 0, 5);
    utf8->txtText01->setFocus();
    run(QStringLiteral("mnuUppercase"));
    expectText(utf8, QStringLiteral("\u039c\u0191\u0178 \u00c9"), 5);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(TagCommandsTest, DateAndTimeTwiceGivesTwoTextsOneAfterTheOther)
{
    frmTf* doc = openDocument(QStringLiteral("<>"), 1, 0);
    ASSERT_NE(doc, nullptr);
    run(QStringLiteral("mnuDateTime"));
    run(QStringLiteral("mnuDateTime"));
    // Each text starts with the day in the system's short date form.
    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    const QString text = doc->txtText01->Text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("<") + today) && text.endsWith(u'>') && text.count(today) == 2)
        << text.toStdString();
    EXPECT_EQ(doc->txtText01->SelStart(), text.size() - 1);
}
