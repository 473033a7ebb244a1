// The text box model: text with remembered breaks, positions in which CR LF counts two,
// one-step replacements, Enter, clipboard and the change notification.
#include "platform/logic/CodePage.h"
#include "platform/ui/TextBox.h"
#include "support/WidgetTest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace folio {
namespace {

// Readable failure output: the first characters as UTF-8 in hex.
std::string show(const QString& s) { return s.left(40).toUtf8().toHex(' ').toStdString(); }

// Counts what the cached break index says against a recount of the blocks (a CR LF break
// adds a model character, a division takes one away), and checks that no division stands
// next to an empty block, where it would show as an empty line that the text does not have.
::testing::AssertionResult positionsAgree(const TextBox& box)
{
    const QString text = box.Text();
    if (box.TextLength() != text.size())
        return ::testing::AssertionFailure() << "TextLength " << box.TextLength() << " != " << text.size();
    int extra = 0;
    const QTextDocument* doc = box.document();
    int b = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next(), ++b) {
        const int kind = block.blockFormat().intProperty(textbox::BreakProperty);
        if (b > 0 && kind == int(textbox::Break::CrLf))
            ++extra;
        if (b > 0 && kind == int(textbox::Break::Division)) {
            --extra;
            if (block.length() == 1 || block.previous().length() == 1)
                return ::testing::AssertionFailure() << "division next to an empty block " << b;
        }
        if (block.length() - 1 > 2 * box.divisionLength())
            return ::testing::AssertionFailure() << "block " << b << " left undivided, " << block.length() - 1;
        if (box.widgetToModel(block.position()) != block.position() + extra)
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
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    const QString allBytes = cp1252::decode(bytes);
    QString longLine(100000, QChar(u'w'));
    longLine[50000] = QChar(0x00A0);
    const QString table[] = {
        QString(),
        QStringLiteral("a\r\nb\r\nc"),
        QStringLiteral("a\nb\nc"),
        QStringLiteral("a\rb\rc"),
        QStringLiteral("\r\na\nb\rc\r\n\n\r\rd\n\r"),   // mixed, LF CR is two breaks
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
    // Also filled into the widget a few characters at a time: a slice never ends inside a
    // CR LF pair, and a substituted character is marked wherever its slice lands.
    for (const qsizetype slice : {textbox::FillSliceLength, qsizetype(3)}) {
        box->setFillSliceLength(slice);
        for (const QString& s : table) {
            box->setText(s);
            if (s.size() > 100) {
                EXPECT_EQ(box->Filling(), slice == 3) << show(s);
            }
            EXPECT_EQ(box->Text(), s) << show(s);
            EXPECT_EQ(box->TextLength(), s.size()) << show(s);
            select(0, int(s.size()));
            EXPECT_EQ(box->SelText(), s) << show(s);  // substituted characters come back too
        }
    }
    box->setFillSliceLength(textbox::FillSliceLength);
    // Every break is a visible line; the separators the widget would break at are not.
    box->setText(QStringLiteral("a\r\nb\nc\rd"));
    EXPECT_EQ(box->document()->blockCount(), 4);
    box->setText(QString::fromUtf16(u"a\u2029b\u2028c"));
    EXPECT_EQ(box->document()->blockCount(), 1);
    // A long line is laid out in pieces of at most the division length; positions go on
    // counting the line's characters only.
    box->setText(longLine + QStringLiteral("\r\n") + longLine);
    EXPECT_GE(box->document()->blockCount(), 2 * (100000 / textbox::DivisionLength) + 1);
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
        ASSERT_LE(block.length() - 1, textbox::DivisionLength);
    EXPECT_TRUE(positionsAgree(*box));
}

TEST_F(TextBoxTest, ALongTextFillsInFromTheEventLoopAndWhatIsUsedMeanwhileSeesAllOfIt)
{
    showAndFocus();
    box->setDivisionLength(4);
    box->setFillSliceLength(8);
    const QString text = QStringLiteral("one two\r\nthree\nfour five six seven\rlast line");
    box->setText(text);
    ASSERT_TRUE(box->Filling());
    EXPECT_LT(box->document()->characterCount(), text.size());
    QSignalSpy filled(box.get(), &TextBox::Filled);
    ASSERT_TRUE(filled.wait(5000));
    EXPECT_FALSE(box->Filling());
    EXPECT_EQ(box->Text(), text);
    EXPECT_TRUE(positionsAgree(*box));
    EXPECT_FALSE(box->document()->isUndoAvailable());
    EXPECT_FALSE(box->document()->isModified());

    // Used while the text fills in: commands, keys and what saving reads act on all of it,
    // and the change is one undo step.
    struct Case {
        const char* what;
        std::function<void()> use;
        QString after;
    } cases[] = {
        {"what saving reads", [&] { EXPECT_EQ(box->TextPieces().text(), text); }, text},
        {"ReplaceSelection at the end", [&] { box->setSelStart(int(text.size())); box->ReplaceSelection(QStringLiteral("!")); },
         text + QStringLiteral("!")},
        {"Ctrl+End and a key", [&] {
             QTest::keyClick(box.get(), Qt::Key_End, Qt::ControlModifier);
             QTest::keyClicks(box.get(), QStringLiteral("!"));
         }, text + QStringLiteral("!")},
        {"Ctrl+A and Delete", [&] {
             QTest::keyClick(box.get(), Qt::Key_A, Qt::ControlModifier);
             QTest::keyClick(box.get(), Qt::Key_Delete);
         }, QString()},
        {"a new text", [&] { box->setText(QStringLiteral("new\n")); }, QStringLiteral("new\n")},
        // Moving through what is there already does not wait for the rest, and the caret
        // stays where it went when the rest comes in.
        {"caret keys", [&] {
             QTest::keyClick(box.get(), Qt::Key_Right);
             QTest::keyClick(box.get(), Qt::Key_Right, Qt::ShiftModifier);
             EXPECT_TRUE(box->Filling());
             box->finishFill();
             EXPECT_EQ(box->SelStart(), 1);
             EXPECT_EQ(box->SelLength(), 1);
         }, text},
    };
    // The same while only the top of a text still being prepared is shown.
    const auto pending = [&](std::function<bool()> ready) {
        box->setTextPending(text.left(5), std::move(ready), [&] { box->setText(text); });
    };
    for (const bool top : {false, true}) {
        for (const Case& c : cases) {
            if (top)
                pending([] { return false; });
            else
                box->setText(text);
            ASSERT_TRUE(box->Filling()) << c.what;
            c.use();
            EXPECT_EQ(box->Text(), c.after) << c.what << top;
            EXPECT_TRUE(positionsAgree(*box)) << c.what << top;
            if (box->document()->isUndoAvailable()) {
                box->undo();
                EXPECT_EQ(box->Text(), text) << c.what << top;
            }
        }
    }
    // Once ready, the whole comes in from the event loop.
    pending([] { return true; });
    EXPECT_EQ(box->document()->characterCount(), 5 + 1 + 1);   // the top, a division, the end
    ASSERT_TRUE(filled.wait(5000));
    EXPECT_FALSE(box->Filling());
    EXPECT_EQ(box->Text(), text);
    // Closed while it fills in.
    box->setText(text);
    box.reset();
    QCoreApplication::processEvents();
}

TEST_F(TextBoxTest, UndoWorksFromTheFirstChangeAndLoadingIsNoUndoStep)
{
    // A box that was never loaded: typing and a replacement are undone and redone.
    showAndFocus();
    QTest::keyClicks(box.get(), QStringLiteral("ab"));
    box->ReplaceSelection(QStringLiteral("<b>"));
    ASSERT_EQ(box->Text(), QStringLiteral("ab<b>"));
    box->undo();
    EXPECT_EQ(box->Text(), QStringLiteral("ab"));
    for (int i = 0; i < 2 && box->document()->isUndoAvailable(); ++i)
        box->undo();
    EXPECT_EQ(box->Text(), QString());
    while (box->document()->isRedoAvailable())
        box->redo();
    EXPECT_EQ(box->Text(), QStringLiteral("ab<b>"));

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
    // position stay what a plain string model of the same edits says; also with lines
    // divided every few characters.
    for (const int division : {int(textbox::DivisionLength), 3}) {
        box->setDivisionLength(division);
        QRandomGenerator rng(20240611);
        const QString pieces[] = {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r"),
                                  QStringLiteral("x"), QStringLiteral("yz\nw"), QStringLiteral("\r\nq\r"),
                                  QString::fromUtf16(u"\u2029"), QString(), QStringLiteral("some more words")};
        QString model = QStringLiteral("a\nb\r\nc\rd\ne\r\na line of a few words\nz");
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
}

TEST_F(TextBoxTest, RandomKeyEditingUndoAndRedoMatchAStringModel)
{
    // Backspace, Delete, Enter, typing, Left, Shift+Right and Cut at random places, with and
    // without a selection, on a text of every break kind, among empty lines; then everything
    // undone and redone. Also with lines divided every few characters: every key acts on
    // the text as if there were no divisions.
    for (const int division : {int(textbox::DivisionLength), 4}) {
        box->setDivisionLength(division);
        showAndFocus();
        QRandomGenerator rng(7);
        QString model = QStringLiteral("a\n\r\nb\r\r\n\nc\n\n\rd\r\n\re\nwords of a longer line\r\n");
        box->setText(model);
        const QString initial = model;
        auto breakBefore = [&](int p) { return p >= 2 && model.mid(p - 2, 2) == QStringLiteral("\r\n") ? 2 : 1; };
        auto breakAfter = [&](int p) { return model.mid(p, 2) == QStringLiteral("\r\n") ? 2 : 1; };
        for (int step = 0; step < 150; ++step) {
            const int key = int(rng.bounded(7));
            int start = int(rng.bounded(model.size() + 1));
            int length = rng.bounded(3) == 0 && (key < 4 || key == 6) ? int(rng.bounded(std::min(5, int(model.size()) - start) + 1)) : 0;
            select(start, length);
            start = box->SelStart();
            length = box->SelLength();
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
            case 3: QTest::keyClicks(box.get(), QStringLiteral("x")); break;
            case 4: QTest::keyClick(box.get(), Qt::Key_Left); break;
            case 5: QTest::keyClick(box.get(), Qt::Key_Right, Qt::ShiftModifier); break;
            default: box->cut(); break;   // Qt's own removal, as from the context menu
            }
            ASSERT_EQ(box->Text(), model) << "step " << step << " key " << key << " at " << start << "+" << length;
            if (key == 4) {
                ASSERT_EQ(box->SelStart(), start > 0 ? start - breakBefore(start) : 0) << "step " << step;
            }
            if (key == 5) {
                ASSERT_EQ(box->SelStart(), start) << "step " << step;
                ASSERT_EQ(box->SelLength(), start < model.size() ? breakAfter(start) : 0) << "step " << step;
            }
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
}

// --- Positions ---------------------------------------------------------------------------

TEST_F(TextBoxTest, CrLfCountsTwoAndLoneBreaksOneAtEveryPositionAndSelection)
{
    const QString text = QStringLiteral("ab\r\ncd\nef\rgh\r\nij");
    box->setText(text);
    const auto splitsPair = [&](int p) { return p > 0 && p < text.size() && text[p - 1] == u'\r' && text[p] == u'\n'; };
    int pairsBefore = 0;
    for (int start = 0; start <= text.size(); ++start) {
        if (start > 1 && splitsPair(start - 1))
            ++pairsBefore;
        if (splitsPair(start)) {  // between CR and LF: the caret goes to the next line's start
            box->setSelStart(start);
            EXPECT_EQ(box->SelStart(), start + 1);
            continue;
        }
        EXPECT_EQ(box->modelToWidget(start), start - pairsBefore) << start;
        EXPECT_EQ(box->widgetToModel(start - pairsBefore), start) << start;
        for (int length = 0; start + length <= text.size(); ++length) {
            if (splitsPair(start + length))
                continue;
            select(start, length);
            ASSERT_EQ(box->SelStart(), start);
            ASSERT_EQ(box->SelLength(), length);
            ASSERT_EQ(box->SelText(), text.mid(start, length)) << start << "+" << length;
        }
    }
    select(1, 2);  // "b" and the CR: the selection takes the whole break
    EXPECT_EQ(box->SelText(), QStringLiteral("b\r\n"));
    box->setSelStart(-5);  // out of range: clamped to the text
    EXPECT_EQ(box->SelStart(), 0);
    box->setSelStart(999);
    EXPECT_EQ(box->SelStart(), 16);
}

// --- Keys ------------------------------------------------------------------------------

// Every Enter makes a CR LF; a locked box takes no key (ReplaceSelection still works there);
// removing the break after an empty line keeps the empty line's own break, in one undo step
// (Qt drops the empty block and keeps the next block's format; the box puts the right kind
// back).
TEST_F(TextBoxTest, KeysEditTheModelTextInOneUndoStepAndALockedBoxTakesNone)
{
    showAndFocus();
    using Key = std::pair<Qt::Key, Qt::KeyboardModifiers>;
    const Key enter{Qt::Key_Return, {}}, shiftEnter{Qt::Key_Return, Qt::ShiftModifier},
        keypadEnter{Qt::Key_Enter, Qt::KeypadModifier}, del{Qt::Key_Delete, {}}, back{Qt::Key_Backspace, {}},
        x{Qt::Key_X, {}};
    const struct { const char* text; int start, length; bool locked; std::vector<Key> keys; const char* after; int caret; } rows[] = {
        {"x\ny", 3, 0, false, {enter, shiftEnter, keypadEnter}, "x\ny\r\n\r\n\r\n", 9},
        {"read\nonly", 4, 0, true, {x, enter, back}, "read\nonly", 4},
        {"a\n\r\nb", 2, 0, false, {del}, "a\nb", 2},    // Delete on the empty line
        {"a\n\r\nb", 4, 0, false, {back}, "a\nb", 2},   // Backspace at the start of "b"
        {"a\rb\nc\r\nd", 2, 3, false, {del}, "a\r\r\nd", 2},  // "b\nc": a line start to the next line's end
    };
    for (const auto& r : rows) {
        const QString text = QLatin1String(r.text), after = QLatin1String(r.after);
        box->setText(text);
        box->setLocked(r.locked);
        EXPECT_EQ(box->Locked(), r.locked);
        select(r.start, r.length);
        for (const auto& [key, modifiers] : r.keys)
            QTest::keyClick(box.get(), key, modifiers);
        EXPECT_EQ(box->Text(), after) << r.text;
        EXPECT_EQ(box->SelStart(), r.caret) << r.text;
        if (r.keys.size() == 1) {
            box->undo();
            EXPECT_EQ(box->Text(), text) << r.text;
            EXPECT_FALSE(box->document()->isUndoAvailable()) << r.text;
            box->redo();
            EXPECT_EQ(box->Text(), after) << r.text;
        }
    }
    box->setText(QStringLiteral("read\nonly"));
    box->setLocked(true);
    box->setSelStart(4);
    box->ReplaceSelection(QStringLiteral("!\r\n"));
    EXPECT_EQ(box->Text(), QStringLiteral("read!\r\n\nonly"));
    box->setLocked(false);
    QTest::keyClicks(box.get(), QStringLiteral("z"));
    EXPECT_EQ(box->Text(), QStringLiteral("read!\r\nz\nonly"));
}

TEST_F(TextBoxTest, EditsQtMakesOnItsOwnLeaveNoEmptyPieceAndNoOverlongOne)
{
    // Removals that do not pass through the box's own routines (the context menu's Cut, the
    // removal half of a drag-move, an input method replacing text before the caret) and
    // typing that makes a piece grow: the text is what a string says, no division is left
    // next to an empty block, no block grows far past the division length, and one undo
    // gives back the text as it was.
    showAndFocus();
    box->setDivisionLength(4);
    const QString text = QStringLiteral("abc def ghi jkl");   // pieces "abc ", "def ", "ghi ", "jkl"
    // Widget positions, as the mouse selects: the piece "def " is 5..9 without the division
    // behind it.
    const auto selectWidget = [&](int from, int to) {
        QTextCursor c = box->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        box->setTextCursor(c);
    };
    struct Case {
        const char* what;
        std::function<void()> edit;
        QString after;
    } cases[] = {
        {"context-menu Cut", [&] { selectWidget(5, 9); box->cut(); }, QStringLiteral("abc ghi jkl")},
        {"drag-move removal", [&] { selectWidget(0, 4); box->textCursor().removeSelectedText(); }, QStringLiteral("def ghi jkl")},
        {"input method", [&] {
             selectWidget(9, 9);   // the end of the piece "def "
             QInputMethodEvent event;
             event.setCommitString(QString(), -4, 4);
             QCoreApplication::sendEvent(box.get(), &event);
         }, QStringLiteral("abc ghi jkl")},
        {"typing", [&] { box->setSelStart(2); QTest::keyClicks(box.get(), QStringLiteral("0123456789")); },
         QStringLiteral("ab0123456789c def ghi jkl")},
    };
    for (const Case& c : cases) {
        box->setText(text);
        c.edit();
        EXPECT_EQ(box->Text(), c.after) << c.what;
        EXPECT_TRUE(positionsAgree(*box)) << c.what;
        while (box->document()->isUndoAvailable())
            box->undo();
        EXPECT_EQ(box->Text(), text) << c.what;
        EXPECT_TRUE(positionsAgree(*box)) << c.what;
        while (box->document()->isRedoAvailable())
            box->redo();
        EXPECT_EQ(box->Text(), c.after) << c.what;
        EXPECT_TRUE(positionsAgree(*box)) << c.what;
    }
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

    // Plain text only: an empty clipboard changes nothing, HTML beside the text is ignored.
    box->setLocked(false);
    clipboard->setMimeData(new QMimeData);
    box->paste();
    EXPECT_EQ(box->Text(), QStringLiteral("x1\n2z"));
    auto* both = new QMimeData;
    both->setHtml(QStringLiteral("<b>bold</b>"));
    both->setText(QStringLiteral("plain"));
    clipboard->setMimeData(both);
    box->paste();
    EXPECT_EQ(box->Text(), QStringLiteral("x1\n2plainz"));
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
