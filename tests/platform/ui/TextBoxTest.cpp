// The text box as a widget: text with remembered breaks, positions in which CR LF counts
// two, keys, Qt's own edits, the clipboard, the fill from the event loop, undo steps and the
// change notification.
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
#include <QTextLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace folio {
namespace {

using S = QString;
std::string show(const S& s) { return s.left(40).toUtf8().toHex(' ').toStdString(); }

// The cached break index against a recount of the blocks (a CR LF break adds a model
// character, a division takes one away); no division next to an empty block, where it would
// show as a line the text does not have; no block far past the division length.
::testing::AssertionResult positionsAgree(const TextBox& box)
{
    if (box.TextLength() != box.Text().size())
        return ::testing::AssertionFailure() << "TextLength " << box.TextLength();
    int extra = 0, b = 0;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next(), ++b) {
        const int kind = block.blockFormat().intProperty(textbox::BreakProperty);
        extra += b > 0 && kind == int(textbox::Break::CrLf);
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
    void TearDown() override
    {
        box.reset();
        test::WidgetTest::TearDown();
    }
    void showAndFocus()
    {
        box->resize(400, 300);
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
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(box.get(), k, m); }
    std::unique_ptr<TextBox> box = std::make_unique<TextBox>();
};

TEST_F(TextBoxTest, TextComesBackExactlyAsSetAlsoFilledInSlices)
{
    S longLine(100000, QChar(u'w'));
    longLine[50000] = QChar(0x00A0);
    const S table[] = {
        S(), S("\r\na\nb\rc\r\n\n\r\rd\n\r"), S("trailing\r\n\r\n"),
        // Characters the widget document would otherwise break at or treat specially.
        S::fromUtf16(u"a\u2029b\u2028c\uFDD0d\uFDD1e\uFFFCf\uFFFDg\u2029\r\n\u2029\x0B\x0C\x1C\x1D\x1E\x85\t"),
        S(QChar(0)) + S("\r\n") + QChar(0) + QChar(0xD800) + S("lone") + QChar(0xDC00),
        longLine + S("\n") + longLine,
    };
    // A slice never ends inside a CR LF pair; a substituted character is marked wherever its
    // slice lands.
    for (const qsizetype slice : {qsizetype(3), textbox::FillSliceLength}) {
        box->setFillSliceLength(slice);
        for (const S& s : table) {
            box->setText(s);
            EXPECT_TRUE(s.size() < 100 || box->Filling() == (slice == 3)) << show(s);
            EXPECT_EQ(box->Text(), s) << show(s);
        }
    }
    // A long line is laid out in pieces of at most the division length; every break is a
    // visible line, the separators the widget would break at are not.
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
        ASSERT_LE(block.length() - 1, textbox::DivisionLength);
    EXPECT_TRUE(positionsAgree(*box));
    box->setText(S::fromUtf16(u"a\r\nb\nc\rd\u2029e\u2028f"));
    EXPECT_EQ(box->document()->blockCount(), 4);
}

TEST_F(TextBoxTest, ALongTextFillsInFromTheEventLoopAndWhatIsUsedMeanwhileSeesAllOfIt)
{
    showAndFocus();
    box->setDivisionLength(4);
    box->setFillSliceLength(8);
    const S text("one two\r\nthree\nfour five six seven\rlast line");
    box->setText(text);
    ASSERT_TRUE(box->Filling());
    EXPECT_LT(box->document()->characterCount(), text.size());
    QSignalSpy filled(box.get(), &TextBox::Filled);
    ASSERT_TRUE(filled.wait(5000));
    // Loading is no undo step.
    EXPECT_EQ(std::tuple(box->Filling(), box->Text(), box->document()->isUndoAvailable()), std::tuple(false, text, false));

    // Used while the text fills in: commands, keys and what saving reads act on all of it,
    // and the change is one undo step. Moving through what is there already does not wait
    // for the rest, and the caret stays where it went when the rest comes in.
    const struct { const char* what; std::function<void()> use; S after; } cases[] = {
        {"what saving reads", [&] { EXPECT_EQ(box->TextPieces().text(), text); }, text},
        {"ReplaceSelection", [&] { box->setSelStart(int(text.size())); box->ReplaceSelection(S("!")); }, text + S("!")},
        {"Ctrl+End and a key", [&] { key(Qt::Key_End, Qt::ControlModifier); key(Qt::Key_Exclam); }, text + S("!")},
        {"Ctrl+A and Delete", [&] { key(Qt::Key_A, Qt::ControlModifier); key(Qt::Key_Delete); }, S()},
        {"a new text", [&] { box->setText(S("new\n")); }, S("new\n")},
        {"caret keys", [&] {
             key(Qt::Key_Right);
             key(Qt::Key_Right, Qt::ShiftModifier);
             EXPECT_TRUE(box->Filling());
             box->finishFill();
             EXPECT_EQ(std::pair(box->SelStart(), box->SelLength()), std::pair(1, 1));
         }, text},
    };
    // The same while only the top of a text still being prepared is shown.
    const auto pending = [&](std::function<bool()> ready) {
        box->setTextPending(text.left(5), std::move(ready), [&] { box->setText(text); });
    };
    for (const bool top : {false, true}) {
        for (const auto& c : cases) {
            top ? pending([] { return false; }) : box->setText(text);
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
    box->setText(text);   // closed while it fills in
    box.reset();
    QCoreApplication::processEvents();
}

TEST_F(TextBoxTest, RandomEditingUndoAndRedoMatchAStringModel)
{
    // Replacements, Backspace, Delete, Enter, typing, Left, Shift+Right and Qt's own Cut at
    // random places (some outside the text), with and without a selection, on a text of
    // every break kind among empty lines; now and then a new text still filling in when the
    // edit comes, the box locked or unlocked (keys and Cut refused, the program's own
    // replacement taken) or narrower; then everything undone and redone. Also with lines
    // divided every few characters: every edit acts as if there were no divisions.
    const S pieces[] = {S("\r\n"), S("\n"), S("\r"), S("x"), S("yz\nw"), S("\r\nq\r"),
                        S::fromUtf16(u"\u2029\uFDD0\u2028\uFFFC"), S(), S("some words")};
    const S start("a\n\r\nb\r\r\n\nc\n\n\rd\r\n\re\nwords of a longer line\r\n");
    box->setFillSliceLength(4);
    for (const int division : {int(textbox::DivisionLength), 3, 12}) {
        box->setDivisionLength(division);
        showAndFocus();
        QRandomGenerator rng(7);
        S model = start;
        box->setText(model);
        std::vector<S> history{model};
        bool fresh = false;
        // A CR LF of the text is one break unless the edits left it a lone CR and a lone LF,
        // where the position between the two is a line start of its own.
        const auto crlfAt = [&](int p) {
            return p >= 0 && model.mid(p, 2) == S("\r\n") &&
                   (fresh || box->modelToWidget(p + 2) == box->modelToWidget(p) + 1);
        };
        for (int step = 0; step < 300; ++step) {
            const int action = int(rng.bounded(9));
            const int from = int(rng.bounded(int(model.size()) + 5)) - 2;
            const int length = (action == 4 || action == 5 || rng.bounded(3)) ? 0 : int(rng.bounded(6));
            int s = 0, e = 0;
            fresh = rng.bounded(12) == 0;
            if (fresh) {   // the caret at the start of a text that fills in a few characters at a time
                model = start.mid(std::max(from, 0));
                box->setText(model);
                history = {model};
            } else {
                select(from, length);
                // Clamped to the text; a position inside a CR LF pair moves behind the pair.
                s = std::clamp(from, 0, int(model.size()));
                s += crlfAt(s - 1);
                e = std::min(s + length, int(model.size()));
                e += crlfAt(e - 1);
                ASSERT_EQ(std::tuple(box->SelStart(), box->SelLength(), box->SelText()), std::tuple(s, e - s, model.mid(s, e - s)))
                    << "step " << step;
            }
            if (rng.bounded(12) == 0) {
                box->setLocked(!box->Locked());
                box->resize(150 + int(rng.bounded(300)), 300);
            }
            const bool refused = box->Locked() && (action <= 3 || action == 6);
            const int before = crlfAt(s - 2) ? 2 : 1, after = crlfAt(s) ? 2 : 1;
            int rs = s, re = e;   // the model's change: [rs, re) becomes put
            S put;
            switch (action) {
            case 0: key(Qt::Key_Backspace); rs -= (e == s && s > 0) * before; break;
            case 1: key(Qt::Key_Delete); re += (e == s && s < model.size()) * after; break;
            case 2: key(Qt::Key_Return); put = S("\r\n"); break;
            case 3: key(Qt::Key_X); put = S("x"); break;
            case 4: key(Qt::Key_Left); rs = re = s > 0 ? s - before : 0; break;
            case 5: key(Qt::Key_Right, Qt::ShiftModifier); rs = re = s; break;
            case 6: box->cut(); break;   // Qt's own removal, as from the context menu
            default: put = pieces[rng.bounded(int(std::size(pieces)))]; box->ReplaceSelection(put); break;
            }
            box->viewport()->repaint();   // divisions on screen move to where rows start
            const bool edits = action != 4 && action != 5 && !refused;
            if (edits)
                model.replace(rs, re - rs, put);
            ASSERT_EQ(box->Text(), model) << "step " << step << " action " << action << " at " << s << "+" << e - s;
            ASSERT_EQ(box->SelStart(), refused ? s : rs + put.size()) << "step " << step << " action " << action;
            ASSERT_EQ(box->SelLength(), refused ? e - s : action == 5 && s < model.size() ? after : 0) << "step " << step;
            ASSERT_TRUE(positionsAgree(*box)) << "step " << step;
            if (edits && (re > rs || !put.isEmpty()))
                history.push_back(model);
        }
        // Undo walks back through the texts the edits made (typing may join steps) to the
        // text set last; redo comes forward through the same texts.
        box->setLocked(false);
        std::vector<S> states{box->Text()};
        size_t h = history.size() - 1;
        while (box->document()->isUndoAvailable()) {
            box->undo();
            box->viewport()->repaint();
            states.push_back(box->Text());
            while (h > 0 && history[--h] != states.back()) {}
            ASSERT_EQ(history[h], states.back()) << "undo " << states.size() << " to a text no edit made";
            ASSERT_TRUE(positionsAgree(*box));
        }
        EXPECT_EQ(h, 0u);
        for (int i = int(states.size()) - 2; i >= 0; --i) {
            box->redo();
            ASSERT_EQ(box->Text(), states[i]) << "redo " << i;
            ASSERT_TRUE(positionsAgree(*box));
        }
        EXPECT_FALSE(box->document()->isRedoAvailable());
    }
}

// Keys, Qt's own edits (the context menu's Cut, the removal half of a drag-move, an input
// method replacing text before the caret) and the clipboard each give the model text with its
// breaks, fire Change once and are one undo step; a locked box is still selected and copied
// from with the keyboard, but takes no typing, paste or cut. Lines are divided every four
// characters: "abc def ghi jkl" lies in the pieces "abc ", "def ", "ghi ", "jkl".
TEST_F(TextBoxTest, EachEditGivesTheModelTextFiresChangeOnceAndIsOneUndoStep)
{
    showAndFocus();
    box->setDivisionLength(4);
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Widget positions, as the mouse selects: the piece "def " is 5..9 without the division.
    const auto selectWidget = [&](int from, int to) {
        QTextCursor c = box->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        box->setTextCursor(c);
    };
    const auto paste = [&](const S& s) {
        clipboard->setText(s);
        box->paste();
    };
    const S spaced("abc def ghi jkl"), mixed = S::fromUtf16(u"a\nb\r\nc\rd\u00A0e");
    // clip: the clipboard afterwards, if it is checked.
    const struct { const char* what; S text; int start, length; std::function<void()> edit; S after; int caret;
                   int changes = 1; const char* clip = nullptr; } rows[] = {
        {"Shift+Enter", S("x\ny"), 1, 0, [&] { key(Qt::Key_Return, Qt::ShiftModifier); }, S("x\r\n\ny"), 3},
        {"keypad Enter", S("x\ny"), 3, 0, [&] { key(Qt::Key_Enter, Qt::KeypadModifier); }, S("x\ny\r\n"), 5},
        {"typing past a division", spaced, 2, 0, [&] { QTest::keyClicks(box.get(), S("0123456789")); },
         S("ab0123456789c def ghi jkl"), 12, 10},
        {"ReplaceSelection", spaced, 4, 4, [&] { box->ReplaceSelection(S("<\r\n>")); }, S("abc <\r\n>ghi jkl"), 8},
        {"context-menu Cut", spaced, 0, 0, [&] { selectWidget(5, 9); box->cut(); }, S("abc ghi jkl"), 4, 1, "def "},
        {"drag-move removal", spaced, 0, 0, [&] { selectWidget(0, 4); box->textCursor().removeSelectedText(); },
         S("def ghi jkl"), 0},
        {"the last piece removed", spaced, 0, 0, [&] { selectWidget(15, 18); box->textCursor().removeSelectedText(); },
         S("abc def ghi "), 12},
        {"input method", spaced, 0, 0, [&] {
             selectWidget(9, 9);   // the end of the piece "def "
             QInputMethodEvent event;
             event.setCommitString(S(), -4, 4);
             QCoreApplication::sendEvent(box.get(), &event);
         }, S("abc ghi jkl"), 4},
        {"paste with breaks", S("[]\n"), 1, 0, [&] { paste(S("a\r\nb\nc\rd")); }, S("[a\r\nb\nc\rd]\n"), 9},
        {"Ctrl+V takes plain text only", S("xyz"), 1, 1, [&] {
             auto* both = new QMimeData;
             both->setHtml(S("<b>bold</b>"));
             both->setText(S("1\n2"));
             clipboard->setMimeData(both);
             key(Qt::Key_V, Qt::ControlModifier);
         }, S("x1\n2z"), 4},
        {"an empty clipboard", S("xyz"), 1, 1, [&] {
             clipboard->setMimeData(new QMimeData);
             box->paste();
         }, S("xyz"), 1},
        {"copy keeps a substituted character", mixed, 2, 7, [&] { box->copy(); }, mixed, 2, 0, "b\r\nc\rd\u00A0"},
        {"cut", mixed, 2, 4, [&] { box->cut(); }, S::fromUtf16(u"a\n\rd\u00A0e"), 2, 1, "b\r\nc"},
        {"moving", mixed, 2, 4, [&] { box->SelText(); key(Qt::Key_Left); }, mixed, 2},
        {"locked", S("keep\nme"), 0, 0, [&] {
             box->setLocked(true);
             key(Qt::Key_End, Qt::ShiftModifier);
             key(Qt::Key_Right, Qt::ShiftModifier);
             key(Qt::Key_C, Qt::ControlModifier);
             for (const Qt::Key k : {Qt::Key_X, Qt::Key_V})
                 key(k, Qt::ControlModifier);
             for (const Qt::Key k : {Qt::Key_Y, Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete})
                 key(k);
             box->paste();
             box->cut();
             box->ReplaceSelection(S("program "));   // the program's own command still edits
             box->setLocked(false);
         }, S("program me"), 8, 1, "keep\n"},
    };
    QSignalSpy change(box.get(), &TextBox::Change);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        change.clear();
        box->setText(r.text);
        select(r.start, r.length);
        EXPECT_EQ(change.count(), 1);   // a new text is one change
        change.clear();
        r.edit();
        EXPECT_EQ(std::tuple(box->Text(), box->SelStart(), change.count(), r.clip ? clipboard->text() : S()),
                  std::tuple(r.after, r.caret, r.after == r.text ? 0 : r.changes, S::fromUtf8(r.clip)));
        EXPECT_TRUE(positionsAgree(*box));
        if (r.after == r.text)
            continue;
        box->undo();
        EXPECT_EQ(std::pair(box->Text(), box->document()->isUndoAvailable()), std::pair(r.text, false));
        box->redo();
        EXPECT_EQ(std::tuple(box->Text(), change.count()), std::tuple(r.after, r.changes + 2));
    }
}

// A divided line shows the rows Qt gives the same line undivided: every division on screen
// sits where a row starts anyway, after loading, typing and in a narrower box alike; moving
// one is no edit of its own.
TEST_F(TextBoxTest, ADividedLineWrapsAtTheBoxWidthLikeAnUndividedOne)
{
    showAndFocus();
    box->resize(320, 900);
    box->setDivisionLength(150);
    S line;
    for (int i = 0; line.size() < 1400; ++i)
        line += S("w").repeated(1 + i * 7 % 11) + (i % 5 == 4 ? S("; ") : S(" "));
    // The starts of the rows on screen, as positions of the text, and those of one QTextLayout
    // of the same line at the same width.
    const auto rowStarts = [&] {
        box->viewport()->repaint();
        std::vector<int> starts;
        for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next())
            for (int i = 0; i < b.layout()->lineCount(); ++i)
                starts.push_back(box->widgetToModel(b.position() + b.layout()->lineAt(i).textStart()));
        return starts;
    };
    const auto undividedRowStarts = [&] {
        QTextLayout whole(box->Text(), box->document()->defaultFont());
        whole.setTextOption(box->document()->defaultTextOption());
        const qreal width = box->document()->firstBlock().layout()->lineAt(0).width();
        std::vector<int> starts;
        whole.beginLayout();
        for (QTextLine row = whole.createLine(); row.isValid(); row = whole.createLine()) {
            row.setLineWidth(width);
            starts.push_back(row.textStart());
        }
        whole.endLayout();
        return starts;
    };
    box->setText(line);
    ASSERT_GT(box->document()->blockCount(), 8);
    const std::vector<int> loaded = rowStarts();
    EXPECT_EQ(loaded, undividedRowStarts());
    EXPECT_GT(loaded.size(), 30u);
    const S typed("typed in the middle ");
    select(700, 0);
    QTest::keyClicks(box.get(), typed);
    EXPECT_EQ(rowStarts(), undividedRowStarts());
    box->resize(230, 900);
    EXPECT_EQ(rowStarts(), undividedRowStarts());
    EXPECT_EQ(box->Text(), S(line).insert(700, typed));
    // Moving the divisions was no edit: one undo takes the typing back.
    box->undo();
    EXPECT_EQ(std::pair(box->Text(), box->document()->isUndoAvailable()), std::pair(line, false));
}

}  // namespace
}  // namespace folio
