// The text box model: text with remembered breaks, positions in which CR LF counts two,
// one-step replacements, Enter, clipboard and the change notification.
#include "platform/ui/TextBox.h"
#include "support/WidgetTest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <memory>

namespace folio {
namespace {

// Readable failure output: control characters and everything outside ASCII as \uXXXX.
std::string show(const QString& s)
{
    std::string out;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F) {
            out += char(u);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", unsigned(u));
            out += buf;
        }
    }
    return out;
}

// The characters bytes 0..255 stand for in Windows-1252 (bytes the code page leaves
// undefined stand for the C1 control of the same value). Kept here so that the box is
// tested against the table itself, not against the decoder.
QString cp1252Characters()
{
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString s;
    for (int b = 0; b < 256; ++b)
        s += (b >= 0x80 && b < 0xA0) ? QChar(high[b - 0x80]) : QChar(char16_t(b));
    return s;
}

// Counts what the cached CR LF index says against a recount of the blocks.
::testing::AssertionResult positionsAgree(const TextBox& box)
{
    const QString text = box.Text();
    if (box.TextLength() != text.size())
        return ::testing::AssertionFailure() << "TextLength " << box.TextLength() << " != " << text.size();
    int crlf = 0;
    const QTextDocument* doc = box.document();
    int b = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next(), ++b) {
        if (b > 0 && block.blockFormat().intProperty(textbox::BreakProperty) == 0)
            ++crlf;
        if (box.widgetToModel(block.position()) != block.position() + crlf)
            return ::testing::AssertionFailure() << "block " << b << " maps wrong";
    }
    return ::testing::AssertionSuccess();
}

class TextBoxTest : public test::WidgetTest {
protected:
    void SetUp() override
    {
        box = std::make_unique<TextBox>();
        box->resize(400, 300);
    }
    void TearDown() override
    {
        box.reset();
        test::WidgetTest::TearDown();
    }
    void showAndFocus()
    {
        box->show();
        box->activateWindow();
        box->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    }
    void select(int start, int length)
    {
        box->setSelStart(start);
        box->setSelLength(length);
    }
    std::unique_ptr<TextBox> box;
};

// --- Text round trip ---------------------------------------------------------------------

TEST_F(TextBoxTest, TextComesBackExactlyAsSet)
{
    QString allBytes = cp1252Characters();
    QString longLine(100000, QChar(u'w'));
    longLine[50000] = QChar(0x00A0);
    const QString table[] = {
        QString(),
        QStringLiteral("one line"),
        QStringLiteral("a\r\nb\r\nc"),
        QStringLiteral("a\nb\nc"),
        QStringLiteral("a\rb\rc"),
        QStringLiteral("\r\na\nb\rc\r\n\n\r\rd\n\r"),   // mixed, LF CR is two breaks
        QStringLiteral("\r\n"),
        QStringLiteral("\n\n\n"),
        QStringLiteral("\r\r"),
        QStringLiteral("trailing\r\n\r\n"),
        QStringLiteral("\r\nleading"),
        QString::fromUtf16(u"no\u00A0break\u00A0space"),
        allBytes,
        allBytes + QStringLiteral("\r\n") + allBytes + QStringLiteral("\n") + allBytes,
        // Characters the widget document would otherwise turn into block breaks or treat
        // specially, inside a line and next to breaks.
        QString::fromUtf16(u"a\u2029b\u2028c\uFDD0d\uFDD1e\uFFFCf\uFFFDg"),
        QString::fromUtf16(u"\u2029\r\n\u2029\n\u2029"),
        QString(QChar(0)) + QStringLiteral("\r\n") + QChar(0),
        QString::fromUtf16(u"\x0B\x0C\x1C\x1D\x1E\x85\u0085\u2026"),
        QString(QChar(0xD800)) + QStringLiteral("lone") + QChar(0xDC00),
        longLine,
        longLine + QStringLiteral("\n") + longLine,
    };
    for (const QString& s : table) {
        box->setText(s);
        EXPECT_EQ(box->Text(), s) << show(s.left(60));
        EXPECT_EQ(box->TextLength(), s.size()) << show(s.left(60));
    }
}

TEST_F(TextBoxTest, EveryBreakIsAVisibleLine)
{
    box->setText(QStringLiteral("a\r\nb\nc\rd"));
    EXPECT_EQ(box->document()->blockCount(), 4);
    box->setText(QString::fromUtf16(u"a\u2029b\u2028c"));
    EXPECT_EQ(box->document()->blockCount(), 1);
}

TEST_F(TextBoxTest, LoadingIsNoUndoStepAndNotModified)
{
    box->ReplaceSelection(QStringLiteral("typed"));
    box->setText(QStringLiteral("a\nb"));
    EXPECT_FALSE(box->document()->isUndoAvailable());
    EXPECT_FALSE(box->document()->isModified());
    EXPECT_EQ(box->SelStart(), 0);
    box->undo();
    EXPECT_EQ(box->Text(), QStringLiteral("a\nb"));
}

TEST_F(TextBoxTest, RandomReplacementsUndoAndRedoMatchAStringModel)
{
    // Replacements of random selections, then all undone and all redone: the text and every
    // position stay what a plain string model of the same edits says.
    QRandomGenerator rng(20240611);
    const QString pieces[] = {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r"),
                              QStringLiteral("x"), QStringLiteral("yz\nw"), QStringLiteral("\r\nq\r"),
                              QString::fromUtf16(u"\u2029"), QString()};
    QString model = QStringLiteral("a\nb\r\nc\rd\ne");
    box->setText(model);
    std::vector<QString> history{model};
    for (int step = 0; step < 80; ++step) {
        const int start = int(rng.bounded(model.size() + 1));
        const int length = int(rng.bounded(std::min(6, int(model.size()) - start) + 1));
        select(start, length);
        // The box moves a position inside a CR LF pair behind the pair, nowhere else.
        const int s = box->SelStart();
        const int e = s + box->SelLength();
        ASSERT_TRUE(s == start || (s == start + 1 && model.mid(start - 1, 2) == QStringLiteral("\r\n")));
        int end = std::min(s + length, int(model.size()));
        if (end > 0 && model.mid(end - 1, 2) == QStringLiteral("\r\n"))
            ++end;
        ASSERT_EQ(e, end);
        ASSERT_EQ(box->SelText(), model.mid(s, e - s)) << "step " << step;

        const QString piece = pieces[rng.bounded(int(std::size(pieces)))];
        box->ReplaceSelection(piece);
        model = model.left(s) + piece + model.mid(e);
        ASSERT_EQ(box->Text(), model) << "step " << step;
        ASSERT_EQ(box->SelStart(), s + piece.size());
        ASSERT_EQ(box->SelLength(), 0);
        ASSERT_TRUE(positionsAgree(*box)) << "step " << step;
        if (!piece.isEmpty() || e > s)
            history.push_back(model);
    }
    for (int i = int(history.size()) - 2; i >= 0; --i) {
        box->undo();
        ASSERT_EQ(box->Text(), history[i]) << "undo to " << i;
        ASSERT_TRUE(positionsAgree(*box));
    }
    EXPECT_FALSE(box->document()->isUndoAvailable());
    for (size_t i = 1; i < history.size(); ++i) {
        box->redo();
        ASSERT_EQ(box->Text(), history[i]) << "redo to " << i;
        ASSERT_TRUE(positionsAgree(*box));
    }
}

TEST_F(TextBoxTest, RandomKeyEditingUndoAndRedoMatchAStringModel)
{
    // Backspace, Delete, Enter and typing at random places, with and without a selection,
    // on a text of every break kind, among empty lines; then everything undone and redone.
    showAndFocus();
    QRandomGenerator rng(7);
    QString model = QStringLiteral("a\n\r\nb\r\r\n\nc\n\n\rd\r\n\re");
    box->setText(model);
    const QString initial = model;
    auto breakBefore = [&](int p) { return p >= 2 && model.mid(p - 2, 2) == QStringLiteral("\r\n") ? 2 : 1; };
    auto breakAfter = [&](int p) { return model.mid(p, 2) == QStringLiteral("\r\n") ? 2 : 1; };
    for (int step = 0; step < 150; ++step) {
        int start = int(rng.bounded(model.size() + 1));
        int length = rng.bounded(3) == 0 ? int(rng.bounded(std::min(5, int(model.size()) - start) + 1)) : 0;
        select(start, length);
        start = box->SelStart();
        length = box->SelLength();
        const int key = int(rng.bounded(4));
        if (length > 0 && key != 2) {
            model.remove(start, length);
        } else if (key == 0 && start > 0) {
            model.remove(start - breakBefore(start), breakBefore(start));
        } else if (key == 1 && start < model.size()) {
            model.remove(start, breakAfter(start));
        } else if (key == 2) {
            model.replace(start, length, QStringLiteral("\r\n"));
        }
        if (key == 3)
            model.insert(start, u'x');
        switch (key) {
        case 0: QTest::keyClick(box.get(), Qt::Key_Backspace); break;
        case 1: QTest::keyClick(box.get(), Qt::Key_Delete); break;
        case 2: QTest::keyClick(box.get(), Qt::Key_Return); break;
        default: QTest::keyClicks(box.get(), QStringLiteral("x")); break;
        }
        ASSERT_EQ(box->Text(), model) << "step " << step << " key " << key << " at " << start << "+" << length;
        ASSERT_TRUE(positionsAgree(*box)) << "step " << step;
    }
    std::vector<QString> states{box->Text()};
    while (box->document()->isUndoAvailable()) {
        ASSERT_LT(states.size(), 400u) << "undo never ends";
        box->undo();
        states.push_back(box->Text());
        ASSERT_TRUE(positionsAgree(*box));
    }
    EXPECT_EQ(states.back(), initial);
    for (int i = int(states.size()) - 2; i >= 0; --i) {
        box->redo();
        ASSERT_EQ(box->Text(), states[i]) << "redo " << i;
        ASSERT_TRUE(positionsAgree(*box));
    }
    EXPECT_FALSE(box->document()->isRedoAvailable());
}

// --- Positions ---------------------------------------------------------------------------

TEST_F(TextBoxTest, CrLfCountsTwoAndLoneBreaksOne)
{
    box->setText(QStringLiteral("ab\r\ncd\nef\rgh\r\nij"));
    //                          0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15
    EXPECT_EQ(box->TextLength(), 16);
    const struct {
        int model;
        int widget;
    } cases[] = {{0, 0}, {2, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6}, {9, 8}, {10, 9},
                 {12, 11}, {14, 12}, {16, 14}};
    for (const auto& c : cases) {
        EXPECT_EQ(box->modelToWidget(c.model), c.widget) << c.model;
        EXPECT_EQ(box->widgetToModel(c.widget), c.model) << c.model;
        box->setSelStart(c.model);
        EXPECT_EQ(box->SelStart(), c.model);
        EXPECT_EQ(box->SelLength(), 0);
    }
    // Between CR and LF: the caret goes to the start of the next line.
    EXPECT_EQ(box->modelToWidget(3), 3);
    box->setSelStart(3);
    EXPECT_EQ(box->SelStart(), 4);
    box->setSelStart(13);
    EXPECT_EQ(box->SelStart(), 14);
    // Out of range: clamped to the text.
    box->setSelStart(-5);
    EXPECT_EQ(box->SelStart(), 0);
    box->setSelStart(999);
    EXPECT_EQ(box->SelStart(), 16);
}

TEST_F(TextBoxTest, SelTextAcrossEveryKindOfBreak)
{
    const QString text = QStringLiteral("ab\r\ncd\nef\rgh");
    box->setText(text);
    for (int start = 0; start <= text.size(); ++start) {
        for (int length = 0; start + length <= text.size(); ++length) {
            const bool startSplitsPair = start > 0 && text[start - 1] == u'\r' && text[start] == u'\n';
            const int end = start + length;
            const bool endSplitsPair = end > 0 && end < text.size() && text[end - 1] == u'\r' && text[end] == u'\n';
            if (startSplitsPair || endSplitsPair)
                continue;   // covered by the next test
            select(start, length);
            ASSERT_EQ(box->SelStart(), start);
            ASSERT_EQ(box->SelLength(), length);
            ASSERT_EQ(box->SelText(), text.mid(start, length)) << start << "+" << length;
        }
    }
}

TEST_F(TextBoxTest, SelectionEndingInsideCrLfTakesTheWholeBreak)
{
    box->setText(QStringLiteral("ab\r\ncd"));
    select(1, 2);   // "b" and the CR
    EXPECT_EQ(box->SelLength(), 3);
    EXPECT_EQ(box->SelText(), QStringLiteral("b\r\n"));
    select(0, 100);
    EXPECT_EQ(box->SelLength(), 6);
}

TEST_F(TextBoxTest, SelTextKeepsSubstitutedCharacters)
{
    const QString text = QString::fromUtf16(u"x\u2029y\r\n\uFDD0\uFFFDz");
    box->setText(text);
    select(1, 6);
    EXPECT_EQ(box->SelText(), text.mid(1, 6));
}

// --- ReplaceSelection --------------------------------------------------------------------

TEST_F(TextBoxTest, ReplaceSelectionInsertsBreaksOfEachKindAsOneUndoStep)
{
    const QString before = QStringLiteral("first\nsecond\nthird");
    box->setText(before);
    select(3, 7);   // "st\nseco"
    const QString piece = QStringLiteral("<b> A\r\nB\nC\rD </b>");
    box->ReplaceSelection(piece);
    const QString after = QStringLiteral("fir") + piece + QStringLiteral("nd\nthird");
    EXPECT_EQ(box->Text(), after);
    EXPECT_EQ(box->SelStart(), 3 + piece.size());
    EXPECT_EQ(box->SelLength(), 0);
    EXPECT_EQ(box->document()->blockCount(), 5);

    box->undo();
    EXPECT_EQ(box->Text(), before);
    EXPECT_FALSE(box->document()->isUndoAvailable());
    box->redo();
    EXPECT_EQ(box->Text(), after);
}

TEST_F(TextBoxTest, ReplaceSelectionWithoutSelectionInsertsAtCaret)
{
    box->setText(QStringLiteral("a\r\nb"));
    box->setSelStart(3);
    box->ReplaceSelection(QStringLiteral("<b>  </b>"));
    EXPECT_EQ(box->Text(), QStringLiteral("a\r\n<b>  </b>b"));
    EXPECT_EQ(box->SelStart(), 12);
    box->ReplaceSelection(QString());
    EXPECT_EQ(box->Text(), QStringLiteral("a\r\n<b>  </b>b"));
}

TEST_F(TextBoxTest, ReplaceSelectionWorksInALockedBoxThatRefusesTyping)
{
    showAndFocus();
    box->setText(QStringLiteral("read\nonly"));
    box->setLocked(true);
    EXPECT_TRUE(box->Locked());
    box->setSelStart(4);
    QTest::keyClicks(box.get(), QStringLiteral("xyz"));
    QTest::keyClick(box.get(), Qt::Key_Return);
    QTest::keyClick(box.get(), Qt::Key_Backspace);
    EXPECT_EQ(box->Text(), QStringLiteral("read\nonly"));

    box->setSelStart(4);
    box->ReplaceSelection(QStringLiteral("!\r\n"));
    EXPECT_EQ(box->Text(), QStringLiteral("read!\r\n\nonly"));

    box->setLocked(false);
    EXPECT_FALSE(box->Locked());
    QTest::keyClicks(box.get(), QStringLiteral("z"));
    EXPECT_EQ(box->Text(), QStringLiteral("read!\r\nz\nonly"));
}

// --- Typing ------------------------------------------------------------------------------

TEST_F(TextBoxTest, EnterInsertsCrLfAndKeepsUntouchedLfs)
{
    showAndFocus();
    box->setText(QStringLiteral("a\nb\nc"));
    box->moveCursor(QTextCursor::Start);
    QTest::keyClick(box.get(), Qt::Key_End);
    QTest::keyClick(box.get(), Qt::Key_Return);
    EXPECT_EQ(box->Text(), QStringLiteral("a\r\n\nb\nc"));
    EXPECT_EQ(box->SelStart(), 3);
    QTest::keyClicks(box.get(), QStringLiteral("new"));
    EXPECT_EQ(box->Text(), QStringLiteral("a\r\nnew\nb\nc"));

    box->undo();   // the typing
    box->undo();   // the Enter
    EXPECT_EQ(box->Text(), QStringLiteral("a\nb\nc"));
    box->redo();
    EXPECT_EQ(box->Text(), QStringLiteral("a\r\n\nb\nc"));

    // Shift+Enter and the keypad's Enter are the same CR LF, never a soft break.
    box->setText(QStringLiteral("x\ny"));
    box->moveCursor(QTextCursor::End);
    QTest::keyClick(box.get(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(box.get(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(box->Text(), QStringLiteral("x\ny\r\n\r\n"));
}

TEST_F(TextBoxTest, EnterInsideALineSplitsItAndTheTailKeepsItsOwnBreak)
{
    showAndFocus();
    box->setText(QStringLiteral("ab\rcd\nef"));
    box->setSelStart(4);   // between c and d
    QTest::keyClick(box.get(), Qt::Key_Return);
    EXPECT_EQ(box->Text(), QStringLiteral("ab\rc\r\nd\nef"));
    // Enter over a selection replaces it.
    select(1, 5);   // "b\rc\r\n"
    QTest::keyClick(box.get(), Qt::Key_Return);
    EXPECT_EQ(box->Text(), QStringLiteral("a\r\nd\nef"));
}

TEST_F(TextBoxTest, DeletingABreakMergesLinesAndKeepsTheOthers)
{
    showAndFocus();
    box->setText(QStringLiteral("a\nb\nc"));
    box->setSelStart(1);
    QTest::keyClick(box.get(), Qt::Key_Delete);
    EXPECT_EQ(box->Text(), QStringLiteral("ab\nc"));
    box->undo();
    EXPECT_EQ(box->Text(), QStringLiteral("a\nb\nc"));

    box->setText(QStringLiteral("a\rb\r\nc\nd"));
    box->setSelStart(5);   // start of "c"
    QTest::keyClick(box.get(), Qt::Key_Backspace);
    EXPECT_EQ(box->Text(), QStringLiteral("a\rbc\nd"));
    EXPECT_EQ(box->SelStart(), 3);
    QTest::keyClick(box.get(), Qt::Key_Backspace);
    QTest::keyClick(box.get(), Qt::Key_Backspace);
    EXPECT_EQ(box->Text(), QStringLiteral("ac\nd"));
    while (box->document()->isUndoAvailable())
        box->undo();
    EXPECT_EQ(box->Text(), QStringLiteral("a\rb\r\nc\nd"));
    EXPECT_TRUE(positionsAgree(*box));
}

TEST_F(TextBoxTest, RemovingTheBreakAfterAnEmptyLineKeepsTheEmptyLinesOwnBreak)
{
    // Qt drops the empty block in these cases and keeps the next block's format; the box
    // puts the right kind back within the same undo step.
    showAndFocus();
    const QString text = QStringLiteral("a\n\r\nb");
    box->setText(text);
    box->setSelStart(2);   // the empty line
    QTest::keyClick(box.get(), Qt::Key_Delete);
    EXPECT_EQ(box->Text(), QStringLiteral("a\nb"));
    box->undo();
    EXPECT_EQ(box->Text(), text);
    box->redo();
    EXPECT_EQ(box->Text(), QStringLiteral("a\nb"));

    box->setText(text);
    box->setSelStart(4);   // start of "b"
    QTest::keyClick(box.get(), Qt::Key_Backspace);
    EXPECT_EQ(box->Text(), QStringLiteral("a\nb"));
    box->undo();
    EXPECT_EQ(box->Text(), text);
    EXPECT_FALSE(box->document()->isUndoAvailable());

    box->setText(QStringLiteral("a\rb\nc\r\nd"));
    select(2, 3);   // "b\nc": from a line start to the end of the next line
    QTest::keyClick(box.get(), Qt::Key_Delete);
    EXPECT_EQ(box->Text(), QStringLiteral("a\r\r\nd"));
    box->undo();
    EXPECT_EQ(box->Text(), QStringLiteral("a\rb\nc\r\nd"));
}

TEST_F(TextBoxTest, TypingOverASelectionAcrossBreaks)
{
    showAndFocus();
    box->setText(QStringLiteral("one\ntwo\rthree\r\nfour"));
    select(2, 8);   // "e\ntwo\rth"
    QTest::keyClicks(box.get(), QStringLiteral("X"));
    EXPECT_EQ(box->Text(), QStringLiteral("onXree\r\nfour"));
    box->undo();
    EXPECT_EQ(box->Text(), QStringLiteral("one\ntwo\rthree\r\nfour"));
}

// --- Clipboard ---------------------------------------------------------------------------

TEST_F(TextBoxTest, PasteKeepsTheClipboardsBreaks)
{
    showAndFocus();
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString pasted[] = {QStringLiteral("a\r\nb"), QStringLiteral("a\nb"), QStringLiteral("a\rb")};
    for (const QString& text : pasted) {
        box->setText(QStringLiteral("[]\n"));
        box->setSelStart(1);
        clipboard->setText(text);
        box->paste();
        EXPECT_EQ(box->Text(), QStringLiteral("[") + text + QStringLiteral("]\n")) << show(text);
        EXPECT_EQ(box->SelStart(), 1 + text.size());
        box->undo();
        EXPECT_EQ(box->Text(), QStringLiteral("[]\n"));
    }
    // Keyboard paste replaces the selection; a locked box does not take it.
    box->setText(QStringLiteral("xyz"));
    select(1, 1);
    clipboard->setText(QStringLiteral("1\n2"));
    QTest::keyClick(box.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), QStringLiteral("x1\n2z"));
    box->setLocked(true);
    QTest::keyClick(box.get(), Qt::Key_V, Qt::ControlModifier);
    box->paste();
    EXPECT_EQ(box->Text(), QStringLiteral("x1\n2z"));
}

TEST_F(TextBoxTest, PasteTakesPlainTextOnly)
{
    QGuiApplication::clipboard()->setMimeData(new QMimeData);   // empty clipboard
    box->setText(QStringLiteral("x"));
    box->paste();
    EXPECT_EQ(box->Text(), QStringLiteral("x"));
    auto* both = new QMimeData;
    both->setHtml(QStringLiteral("<b>bold</b>"));
    both->setText(QStringLiteral("plain\nline"));
    QGuiApplication::clipboard()->setMimeData(both);
    box->moveCursor(QTextCursor::End);
    box->paste();
    EXPECT_EQ(box->Text(), QStringLiteral("xplain\nline"));
}

TEST_F(TextBoxTest, CopyAndCutPutTheModelTextOnTheClipboard)
{
    showAndFocus();
    QClipboard* clipboard = QGuiApplication::clipboard();
    box->setText(QString::fromUtf16(u"a\nb\r\nc\rd\u00A0e"));
    select(0, 9);
    box->copy();
    EXPECT_EQ(clipboard->text(), QString::fromUtf16(u"a\nb\r\nc\rd\u00A0"));
    select(2, 4);   // "b\r\nc"
    box->cut();
    EXPECT_EQ(clipboard->text(), QStringLiteral("b\r\nc"));
    EXPECT_EQ(box->Text(), QString::fromUtf16(u"a\n\rd\u00A0e"));

    // A locked box is still selected and copied from with the keyboard.
    box->setText(QStringLiteral("keep\nme"));
    box->setLocked(true);
    box->moveCursor(QTextCursor::Start);
    clipboard->clear();
    QTest::keyClick(box.get(), Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(box.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(box.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("keep\n"));
    QTest::keyClick(box.get(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), QStringLiteral("keep\nme"));
}

// --- Change ------------------------------------------------------------------------------

TEST_F(TextBoxTest, ChangeFiresAfterEveryKindOfChange)
{
    showAndFocus();
    QSignalSpy change(box.get(), &TextBox::Change);
    box->setText(QStringLiteral("a\nb"));
    EXPECT_EQ(change.count(), 1);
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box.get(), QStringLiteral("c"));
    EXPECT_EQ(change.count(), 2);
    QTest::keyClick(box.get(), Qt::Key_Return);
    EXPECT_EQ(change.count(), 3);
    box->ReplaceSelection(QStringLiteral("x\ny"));
    EXPECT_EQ(change.count(), 4);
    box->undo();
    EXPECT_EQ(change.count(), 5);
    box->redo();
    EXPECT_EQ(change.count(), 6);
    QGuiApplication::clipboard()->setText(QStringLiteral("p"));
    box->paste();
    EXPECT_EQ(change.count(), 7);
    // Moving the caret and selecting are no change.
    select(0, 2);
    box->SelText();
    box->copy();
    EXPECT_EQ(change.count(), 7);
}

}  // namespace
}  // namespace folio
