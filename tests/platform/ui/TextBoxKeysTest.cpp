// The text box's keys, input methods, clipboard and right-click menu, pressed on a real box:
// the text, the caret and the undo steps they give.
#include "platform/ui/TextBox.h"
#include "support/WidgetTest.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace folio {
namespace {

using S = QString;
using Sel = std::pair<qsizetype, qsizetype>;  // anchor, caret

// "ab " and a word of 50,000 characters without a blank, then " z".
const S longWord = S("ab ") + S(50000, u'w') + S(" z");

class TextBoxKeysTest : public test::WidgetTest {
protected:
    void SetUp() override
    {
        box->resize(400, 300);
        box->show();
        box->activateWindow();
        box->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    }
    void TearDown() override
    {
        box.reset();
        test::WidgetTest::TearDown();
    }
    // Keys as a menu names them, one after another: "Ctrl+End, Shift+Up".
    void press(const S& keys)
    {
        for (const S& k : keys.split(S(", "))) {
            const QKeyCombination key = QKeySequence(k)[0];
            QTest::keyClick(box.get(), key.key(), key.keyboardModifiers());
        }
    }
    void start(const S& text, Sel selection)
    {
        box->setText(text);
        box->model().select(selection.first, selection.second);
    }
    Sel selection() const { return {box->model().selection().anchor, box->model().selection().caret}; }
    // An input method's text being composed, or committed in place of `replaced` characters
    // from `from` (counted from the caret).
    void inputMethod(const S& preedit, const S& commit = S(), int from = 0, int replaced = 0)
    {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit, from, replaced);
        QCoreApplication::sendEvent(box.get(), &event);
    }
    std::unique_ptr<TextBox> box = std::make_unique<TextBox>();
};

// Each edit gives the text and caret of the row; `steps` Ctrl+Z take all of it back.
TEST_F(TextBoxKeysTest, EditingKeysGiveTheirTextAndUndoStepsAsAUserSeesThem)
{
    const auto type = [this](const S& s) { return [this, s] { QTest::keyClicks(box.get(), s); }; };
    const auto pressing = [this](const S& keys) { return [this, keys] { press(keys); }; };
    const S tail = S(16114, u'w') + S(" z");
    const struct {
        const char* what;
        S text;
        Sel selection;
        std::function<void()> edit;
        S after;
        qsizetype caret;
        int steps;
    } rows[] = {
        {"a run of typing", S("ab"), {1, 1}, type(S("xy z")), S("axy zb"), 5, 1},
        {"Enter in an LF text", S("a\nb"), {1, 1}, pressing(S("Return")), S("a\r\n\nb"), 3, 1},
        {"Shift and keypad Enter", S("x"), {1, 1}, pressing(S("Shift+Return, Num+Enter")), S("x\r\n\r\n"), 5, 2},
        {"Backspace over CR LF", S("a\r\nb"), {3, 3}, pressing(S("Backspace")), S("ab"), 1, 1},
        {"Delete: CR, then CR LF", S("a\r\r\nb"), {1, 1}, pressing(S("Del, Del")), S("ab"), 1, 2},
        {"Backspace: the selection", S("abcdef"), {1, 3}, pressing(S("Backspace")), S("adef"), 1, 1},
        {"Ctrl+Backspace in 50 KB", longWord, {33889, 33889}, pressing(S("Ctrl+Backspace")), S("ab ") + tail, 3, 1},
        {"Ctrl+Delete", S("foo bar baz"), {4, 4}, pressing(S("Ctrl+Del")), S("foo baz"), 4, 1},
        {"cut, paste", S("a\r\nc"), {1, 4}, pressing(S("Ctrl+X, Shift+Ins, Ctrl+V")), S("a\r\nc\r\nc"), 7, 3},
        {"Ctrl+A and typing", S("abc\r\ndef"), {2, 2}, pressing(S("Ctrl+A, X")), S("x"), 1, 1},
        {"undo, redo", S(), {0, 0}, pressing(S("A, Ctrl+Z, Ctrl+Y, Ctrl+Z, Ctrl+Shift+Z")), S("a"), 1, 1},
        {"a dead key within a run of typing", S(), {0, 0}, [&] {
             QTest::keyClicks(box.get(), S("ca"));
             inputMethod(S("\u00b4"));
             inputMethod(S(), S::fromUtf16(u"\u00e9"));
             QTest::keyClicks(box.get(), S("s"));
         }, S::fromUtf16(u"ca\u00e9s"), 4, 1},
        {"input method replacing before the caret", S("abc def"), {7, 7}, [&] { inputMethod(S(), S("DEF!"), -3, 3); },
         S("abc DEF!"), 8, 1},
        {"input method over a selection", S("abc def"), {0, 4}, [&] { inputMethod(S(), S("x")); }, S("xdef"), 1, 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        start(r.text, r.selection);
        r.edit();
        EXPECT_EQ(std::pair(box->Text(), box->model().selection().caret), std::pair(r.after, r.caret));
        for (int i = 0; i < r.steps; ++i)
            press(S("Ctrl+Z"));
        EXPECT_EQ(std::pair(box->Text(), box->model().canUndo()), std::pair(r.text, false));
    }
}

// Caret keys from the row's selection: where the anchor and the caret end; the text stays.
TEST_F(TextBoxKeysTest, CaretKeysMoveByCharactersWordsAndRows)
{
    const S three("abcdef\nab\nabcdef");
    const struct {
        const char* what;
        S text;
        Sel selection;
        S keys;
        Sel after;
    } rows[] = {
        {"Left ends a selection at its start", S("abcdef"), {4, 1}, S("Left"), {1, 1}},
        {"Shift+Up keeps the column too", three, {15, 15}, S("Shift+Up, Shift+Up"), {15, 5}},
        {"Ctrl+Right", S("foo.bar baz"), {0, 0}, S("Ctrl+Right, Ctrl+Right, Ctrl+Right"), {8, 8}},
        {"Ctrl+End, Ctrl+Shift+Home", S("ab\ncd"), {1, 1}, S("Ctrl+End, Ctrl+Shift+Home"), {5, 0}},
        {"Down keeps the column over a short row", three, {5, 5}, S("Down, Down"), {15, 15}},
        {"a move between forgets it", three, {5, 5}, S("Down, Left, Down"), {11, 11}},
        {"PageUp there goes to the start", three, {2, 2}, S("Shift+PgUp"), {2, 0}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        start(r.text, r.selection);
        press(r.keys);
        EXPECT_EQ(std::pair(selection(), box->Text()), std::pair(r.after, r.text));
    }
}

// End on a row its line goes on after stands before the row's last character, on that row;
// Home goes to the row's start. A page moves the caret and the view by the rows it shows.
TEST_F(TextBoxKeysTest, HomeEndAndPagesGoByTheRowsOnScreen)
{
    start(S("word ").repeated(300), {0, 0});
    const TextBox::Row first = box->rows().rowAt(0);
    ASSERT_LT(first.end, 1500);  // wrapped
    press(S("End"));
    const qsizetype last = first.end - 1;
    EXPECT_EQ(std::pair(selection(), box->rows().rowAt(last)), std::pair(Sel(last, last), first));
    press(S("Right, Down, Shift+Home"));
    EXPECT_EQ(selection().second, box->rows().nextRow(first)->end);

    start(S("line\n").repeated(300), {7, 7});
    const qsizetype page = box->visibleRows();
    ASSERT_GT(page, 3);
    press(S("PgDown"));
    EXPECT_EQ(std::tuple(selection().second, box->topRow().line), std::tuple(5 * page + 7, page));
    press(S("Shift+PgUp"));
    EXPECT_EQ(std::tuple(selection(), box->topRow().line), std::tuple(Sel(5 * page + 7, 7), 0));
}

// A locked box moves, selects and copies; no key, paste, cut or undo edits it, though the
// program's own replacement does. The right-click menu offers what applies, with its keys.
TEST_F(TextBoxKeysTest, ALockedBoxSelectsAndCopiesOnlyAndTheMenuOffersWhatApplies)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    start(S("keep\nme"), {0, 0});
    box->setLocked(true);
    press(S("Shift+End, Shift+Right, Ctrl+C"));
    clipboard->setText(S("pasted"));
    press(S("X, Ctrl+X, Ctrl+V, Return, Del, Ctrl+Backspace, Ctrl+Z"));
    inputMethod(S(), S("im"));
    EXPECT_EQ(std::tuple(box->Text(), selection(), clipboard->text()),
              std::tuple(S("keep\nme"), Sel(0, 5), S("pasted")));

    // The entries with their keys; then which are enabled (+), | for a separator.
    const auto entries = [&](bool enabled) {
        std::unique_ptr<QMenu> menu(box->createContextMenu(nullptr));
        S names;
        for (QAction* a : menu->actions())
            names += a->isSeparator() ? S("|")
                : enabled           ? S(a->isEnabled() ? "+" : "-")
                                    : a->text() + ' ' + a->shortcut().toString() + ", ";
        return names;
    };
    EXPECT_EQ(entries(false), S("&Undo Ctrl+Z, &Redo Ctrl+Y, |Cu&t Ctrl+X, &Copy Ctrl+C, &Paste Ctrl+V, Delete Del, "
                                "|Select All Ctrl+A, "));
    EXPECT_EQ(entries(true), S("--|-+--|+"));
    box->ReplaceSelection(S("program "));
    box->setLocked(false);
    EXPECT_EQ(entries(true), S("+-|--+-|+"));
    box->undo();
    box->model().select(0, 2);
    clipboard->clear();
    EXPECT_EQ(entries(true), S("-+|++-+|+"));
    box->selectAll();
    EXPECT_EQ(entries(true), S("-+|++-+|-"));
    std::unique_ptr<QMenu>(box->createContextMenu(nullptr))->actions().at(6)->trigger();  // Delete
    EXPECT_EQ(box->Text(), S());
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), box->viewport()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(box->viewport(), &click);
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_TRUE(popup != nullptr && popup->actions().size() == 9);
    popup->close();
}

// While Loading, keys, input-method text and pastes are kept, and carried out in order once
// the text is there; a paste brings what the clipboard held when it was pressed.
TEST_F(TextBoxKeysTest, InputWhileLoadingIsCarriedOutInOrderOnceTheTextIsThere)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    box->setLoading(true);
    press(S("A, B, Ctrl+End, Return"));
    clipboard->setText(S("P\n"));
    press(S("Ctrl+V"));
    clipboard->setText(S("later"));
    inputMethod(S(), S::fromUtf16(u"\u00e9"));
    press(S("Shift+Left"));
    EXPECT_EQ(box->Text(), S());
    box->setText(S("xyz"));
    box->setLoading(false);
    EXPECT_EQ(std::pair(box->Text(), selection()), std::pair(S::fromUtf16(u"abxyz\r\nP\n\u00e9"), Sel(10, 9)));
    press(S("Q"));
    EXPECT_EQ(box->Text(), S("abxyz\r\nP\nq"));
}

// The window's shortcuts do not take the box's keys; other keys reach them. An input method
// is told of the caret's line, at most 512 characters either side of the caret.
TEST_F(TextBoxKeysTest, TheBoxKeepsItsKeysFromShortcutsAndTellsInputMethodsItsLine)
{
    int copies = 0, pastes = 0, helps = 0;
    for (auto [key, count] : {std::pair("Ctrl+C", &copies), std::pair("Ctrl+V", &pastes), std::pair("F1", &helps)}) {
        auto* action = new QAction(box.get());
        action->setShortcut(QKeySequence(S(key)));
        box->addAction(action);
        QObject::connect(action, &QAction::triggered, [count] { ++*count; });
    }
    start(S("ab\ncd ef\ngh"), {4, 6});
    press(S("Ctrl+C, F1"));
    EXPECT_EQ(std::tuple(copies, helps, QGuiApplication::clipboard()->text()), std::tuple(0, 1, S("d ")));

    const auto query = [&](Qt::InputMethodQuery q) { return static_cast<QWidget*>(box.get())->inputMethodQuery(q); };
    EXPECT_EQ(std::tuple(query(Qt::ImSurroundingText).toString(), query(Qt::ImCursorPosition).toInt(),
                         query(Qt::ImAnchorPosition).toInt(), query(Qt::ImCurrentSelection).toString()),
              std::tuple(S("cd ef"), 3, 1, S("d ")));
    start(S("x\n") + S(5000, u'y'), {2502, 2502});
    EXPECT_EQ(std::tuple(query(Qt::ImSurroundingText).toString().size(), query(Qt::ImCursorPosition).toInt(),
                         query(Qt::ImEnabled).toBool()),
              std::tuple(1024, 512, true));
    // A locked box leaves the editing keys it does not carry out to the window.
    box->setLocked(true);
    press(S("Ctrl+C, Ctrl+V"));
    EXPECT_EQ(std::tuple(copies, pastes, query(Qt::ImEnabled).toBool()), std::tuple(0, 1, false));
}

}  // namespace
}  // namespace folio
