// The "&HTML Tags" commands and the Edit menu's text commands, run through the main window's
// menu entries against the focused control of the active child window.
#include "document/ui/DocumentTest.h"

#include "reading/ui/frmAbout.h"

#include <QLocale>

using namespace folio;

namespace {

class TagCommandsTest : public test::DocumentTest {
protected:
    // `content` in the focused text box of `form`, with the given selection.
    static void select(frmTf* form, const QString& content, int selStart, int selLength)
    {
        form->txtText01->setText(content);
        form->txtText01->setSelStart(selStart);
        form->txtText01->setSelLength(selLength);
        form->txtText01->setFocus();
    }
    // The text, then the caret and the selection's length.
    static std::tuple<QString, int, int> state(frmTf* form)
    {
        return {form->txtText01->Text(), form->txtText01->SelStart(), form->txtText01->SelLength()};
    }
    void run(const QString& control) { main->menuEntry(control)->trigger(); }
};

// Each entry's exact texts, in the menu's order, then the Edit menu's tab: an entry with a
// closing text wraps the selection, one without replaces it.
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
    {"mnuParagraph", "<p> ", " </p>"}, {"mnuDivision", "<div> ", " </div>"}, {"mnuTabkey", "\t", ""},
};

const QStringList kTextCommands = {"mnuHyperlink", "mnuImage", "mnuDateTime", "mnuUppercase", "mnuLowercase"};
const QString kRefusal = QStringLiteral("This activity is not allowed for this instance !");

}  // namespace

// Every tag goes in place of the selection (or at the caret) and leaves the caret behind it;
// a selection over lines is wrapped whole. (That a change is one undo step is the text box's
// model test.)
TEST_F(TagCommandsTest, EveryEntryPutsItsTagInPlaceOfTheSelectionOrAtTheCaretAndLeavesTheCaretBehind)
{
    frmTf* form = doc(QString());
    ASSERT_NE(form, nullptr);
    for (const auto& row : kTagRows) {
        SCOPED_TRACE(row.control);
        const QString open = QString::fromLatin1(row.opening), close = QString::fromLatin1(row.closing);
        select(form, QStringLiteral("alpha beta gamma"), 6, 4);
        run(QString::fromLatin1(row.control));
        const QString inserted = close.isEmpty() ? open : open + QStringLiteral("beta") + close;
        EXPECT_EQ(state(form), std::tuple(QStringLiteral("alpha ") + inserted + QStringLiteral(" gamma"), 6 + int(inserted.size()), 0));
        select(form, QStringLiteral("ab"), 1, 0);
        run(QString::fromLatin1(row.control));
        EXPECT_EQ(state(form), std::tuple(QStringLiteral("a") + open + close + QStringLiteral("b"), 1 + int(open.size() + close.size()), 0));
    }
    select(form, QStringLiteral("one\r\ntwo\r\nthree"), 5, 8);  // "two\r\nthr"
    run(QStringLiteral("mnuListUl"));
    EXPECT_EQ(state(form), std::tuple(QStringLiteral("one\r\n<ul> two\r\nthr </ul>ee"), 5 + 19, 0));
    EXPECT_EQ(main->ActiveControl(), form->txtText01);
}

// With a button focused or no child open every text command is refused (the prompted ones
// before any input box) and nothing changes; "Warning" always shows its text.
TEST_F(TagCommandsTest, AFocusedButtonOrNoChildIsRefusedWithNothingChangedButTheWarningAlwaysShows)
{
    const QString warning = QStringLiteral(
        "Wherever you read the words 'Your Text' on the menu, you can wrap the selected or highlighted text in "
        "your file by the concerned tags.\r\n\r\nWherever these words don't appear on the menu, the selected or "
        "highloghted text in your file will be replaced by the concerned tags.\r\n\r\nSo take care ! If you want "
        "to undo the changes, please right click on the text box and select 'Undo'.");
    QStringList commands = kTextCommands;
    for (const auto& row : kTagRows)
        commands << QString::fromLatin1(row.control);
    frmTf* form = doc(QString());
    ASSERT_NE(form, nullptr);
    select(form, QStringLiteral("keep me"), 2, 3);
    form->cmdFindFirst->setFocus();
    for (int round = 0; round < 2; ++round) {
        dialogs.clear();
        for (const QString& c : commands + QStringList{QStringLiteral("mnuWarning")})
            run(c);
        QStringList expected(commands.size(), kRefusal);
        EXPECT_EQ(dialogs.prompts(), expected << warning);
        EXPECT_TRUE(round > 0 || state(form) == std::tuple(QStringLiteral("keep me"), 2, 3));
        closeAllChildren();
    }
}

// The hyperlink and image tags ask twice, with their texts and defaults, and replace the
// selection; a cancelled or blank answer inserts nothing, but both boxes are shown.
TEST_F(TagCommandsTest, PromptedTagsAskTwiceWithTheirDefaultsAndReplaceTheSelection)
{
    frmTf* form = doc(QString());
    ASSERT_NE(form, nullptr);
    select(form, QStringLiteral("see selected here"), 4, 8);
    dialogs.input(QStringLiteral("mailto:info@example.com")).input(QStringLiteral("Mail us"));
    run(QStringLiteral("mnuHyperlink"));
    const QString anchor = QStringLiteral("<a href= 'mailto:info@example.com'> Mail us </a>");
    EXPECT_EQ(state(form), std::tuple(QStringLiteral("see ") + anchor + QStringLiteral(" here"), 4 + int(anchor.size()), 0));
    dialogs.input(QStringLiteral("./img/a.png")).input(QStringLiteral("A cat"));
    run(QStringLiteral("mnuImage"));
    EXPECT_EQ(form->txtText01->Text(), QStringLiteral("see ") + anchor + QStringLiteral("<img src= './img/a.png' alt= 'A cat' width=10 height=10> here"));
    QStringList shown;
    for (const test::ShownBox& box : dialogs.shown())
        shown << (box.isInput ? QStringLiteral("input: ") : QString()) + box.title + '|' + box.prompt + '|' + box.defaultText;
    EXPECT_EQ(shown, QStringList({
        "input: Insert Hyperlink|Please type the URL\r\nhttp://www.example.com or mailto:info@example.com|http://www.example.com",
        "input: Insert Hyperlink|Please type the Display Text|Display Text",
        "input: Insert Image Tag|Please type the image file name with relative path|./sub-folder/ImageName.jpg",
        "input: Insert Image Tag|Please type the Search Keywords for the Image|Search Keywords for the Image"}));
    select(form, QStringLiteral("untouched"), 2, 3);
    dialogs.cancelInput().input(QStringLiteral("Keywords"));
    run(QStringLiteral("mnuImage"));
    dialogs.input(QStringLiteral("http://www.example.com")).input(QStringLiteral("   "));
    run(QStringLiteral("mnuHyperlink"));
    EXPECT_EQ(dialogs.shown().size(), 8);
    EXPECT_EQ(state(form), std::tuple(QStringLiteral("untouched"), 2, 3));
}

// The case changes work on the selection only, within the document's code page: µ has no
// upper case in Windows-1252, a UTF-8 file can hold any character and gets the full mapping. Date and time goes in
// starting with the day in the system's short form.
TEST_F(TagCommandsTest, CaseAndDateWorkOnTheSelectionOnly)
{
    frmTf* form = doc(QString());
    ASSERT_NE(form, nullptr);
    select(form, QStringLiteral("keep Mixed \u00b5\u00ff\r\nQ! TAIL"), 5, 11);  // "Mixed µÿ\r\nQ"
    run(QStringLiteral("mnuUppercase"));
    EXPECT_EQ(state(form), std::tuple(QStringLiteral("keep MIXED \u00b5\u0178\r\nQ! TAIL"), 16, 0));
    select(form, QStringLiteral("<>"), 1, 0);
    run(QStringLiteral("mnuDateTime"));
    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    const QString text = form->txtText01->Text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("<") + today) && text.endsWith(u'>')) << text.toStdString();

    frmTf* utf8 = open(put(QStringLiteral("page.html"), "caf\xC3\xA9\r\n"));
    ASSERT_TRUE(utf8 && utf8 != form);
    select(utf8, QStringLiteral("\u0391\u03a9 \u00c9 MIXED"), 0, 6);
    run(QStringLiteral("mnuLowercase"));
    EXPECT_EQ(state(utf8), std::tuple(QStringLiteral("\u03b1\u03c9 \u00e9 mIXED"), 6, 0));
    select(utf8, QStringLiteral("x stra\u00dfe \ufb01x"), 2, 8);  // grows by two: the caret behind it all
    run(QStringLiteral("mnuUppercase"));
    EXPECT_EQ(state(utf8), std::tuple(QStringLiteral("x STRASSE FIx"), 12, 0));
}
