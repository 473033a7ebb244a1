// What a screen reader gets from the text box: the text without the divisions of long
// lines, every break one "\n", and offsets in that text for the caret, the selection,
// lines and edits.
#include "platform/ui/TextBox.h"
#include "platform/ui/TextBoxAccessible.h"
#include "support/WidgetTest.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>
#include <vector>
#include <string>
#include <utility>

namespace folio {
namespace {

// Lines of 16 and 17 characters, divided every few characters; CR LF, LF and CR breaks.
const QString Model = QStringLiteral("alpha beta gamma\r\nxy\nlonglonglong word\rz");
const QString Reader = QStringLiteral("alpha beta gamma\nxy\nlonglonglong word\nz");

// QStrings as text in failure messages.
std::string str(const QString& s) { return s.toStdString(); }

class TextBoxAccessibleTest : public test::WidgetTest {
protected:
    void SetUp() override
    {
        box = std::make_unique<TextBox>();
        box->resize(400, 300);
        box->setDivisionLength(4);
        box->setText(Model);
        ASSERT_GT(box->document()->blockCount(), 8);   // the long lines are divided
        a11y = QAccessible::queryAccessibleInterface(box.get());
        ASSERT_NE(a11y, nullptr);
        text = a11y->textInterface();
        ASSERT_NE(text, nullptr);
    }
    void TearDown() override
    {
        box.reset();
        test::WidgetTest::TearDown();
    }
    std::unique_ptr<TextBox> box;
    QAccessibleInterface* a11y = nullptr;
    QAccessibleTextInterface* text = nullptr;
};

TEST_F(TextBoxAccessibleTest, ReadsTheTextWithoutDivisionsInEveryQuery)
{
    EXPECT_EQ(std::pair(a11y->role(), str(a11y->text(QAccessible::Value))), std::pair(QAccessible::EditableText, str(Reader)));
    for (const bool locked : {true, false}) {
        box->setLocked(locked);
        const QAccessible::State state = a11y->state();
        EXPECT_TRUE(state.multiLine && state.focusable && state.readOnly == locked && state.editable == !locked);
    }

    EXPECT_EQ(std::tuple(text->characterCount(), str(text->text(0, text->characterCount())), str(text->text(3, 24))),
              std::tuple(Reader.size(), str(Reader), "ha beta gamma\nxy\nlong"));

    // Caret and selection, model position <-> reader offset, both ways.
    const struct { int model, reader; } places[] = {{7, 7}, {12, 12}, {18, 17}, {21, 20}, {30, 29}, {39, 38}, {40, 39}};
    for (const auto& p : places) {
        box->setSelStart(p.model);
        EXPECT_EQ(text->cursorPosition(), p.reader) << p.model;
        box->setSelStart(0);
        text->setCursorPosition(p.reader);
        EXPECT_EQ(std::pair(box->SelStart(), box->SelLength()), std::pair(p.model, 0)) << p.reader;
    }
    box->setSelStart(5);
    box->setSelLength(27);   // " beta gamma\r\nxy\nlonglonglon"
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(std::tuple(text->selectionCount(), start, end), std::tuple(1, 5, 31));
    text->setSelection(0, 8, 30);
    EXPECT_EQ(std::pair(box->SelStart(), str(box->SelText())), std::pair(8, std::string("ta gamma\r\nxy\nlonglonglo")));
    text->removeSelection(0);
    EXPECT_EQ(text->selectionCount(), 0);
    text->addSelection(21, 38);
    EXPECT_EQ(str(box->SelText()), "onglonglong word\r");

    // Lines are the text's own: a division never ends one; each comes with its break.
    // which: -1 the text before, 0 at, 1 after the offset.
    using B = QAccessible::TextBoundaryType;
    const struct { int offset; B boundary; int which; QString expected; int start, end; } around[] = {
        {15, QAccessible::LineBoundary, 1, QStringLiteral("xy\n"), 17, 20},
        {33, QAccessible::LineBoundary, 0, QStringLiteral("longlonglong word\n"), 20, 38},
        {33, QAccessible::LineBoundary, -1, QStringLiteral("xy\n"), 17, 20},
        {38, QAccessible::LineBoundary, 0, QStringLiteral("z"), 38, 39},
        {13, QAccessible::WordBoundary, 0, QStringLiteral("gamma"), 11, 16},
        {13, QAccessible::WordBoundary, -1, QStringLiteral(" "), 10, 11},
        {30, QAccessible::WordBoundary, 1, QStringLiteral(" "), 32, 33},
        {4, QAccessible::CharBoundary, 0, QStringLiteral("a"), 4, 5},
        {16, QAccessible::CharBoundary, 1, QStringLiteral("x"), 17, 18},
        {24, QAccessible::CharBoundary, -1, QStringLiteral("g"), 23, 24},
        {25, QAccessible::SentenceBoundary, 0, QStringLiteral("longlonglong word\n"), 20, 38},
        {7, QAccessible::NoBoundary, 0, Reader, 0, 39},   // the whole text as one segment
    };
    for (const auto& a : around) {
        int s = -1, e = -1;
        const QString got = a.which < 0   ? text->textBeforeOffset(a.offset, a.boundary, &s, &e)
                            : a.which > 0 ? text->textAfterOffset(a.offset, a.boundary, &s, &e)
                                          : text->textAtOffset(a.offset, a.boundary, &s, &e);
        EXPECT_EQ(std::tuple(str(got), s, e), std::tuple(str(a.expected), a.start, a.end))
            << a.offset << " " << a.boundary << " " << a.which;
    }
}

// The text change events a box sends, as a screen reader gets them: the type, the position,
// the text removed and the text inserted.
using Sent = std::tuple<QAccessible::Event, int, std::string, std::string>;
std::vector<Sent> sent;
void record(QAccessibleEvent* event)
{
    ASSERT_TRUE(qobject_cast<TextBox*>(event->object()));
    if (const auto* e = dynamic_cast<QAccessibleTextInsertEvent*>(event))
        sent.emplace_back(e->type(), e->changePosition(), "", str(e->textInserted()));
    else if (const auto* e = dynamic_cast<QAccessibleTextRemoveEvent*>(event))
        sent.emplace_back(e->type(), e->changePosition(), str(e->textRemoved()), "");
    else if (const auto* e = dynamic_cast<QAccessibleTextUpdateEvent*>(event))
        sent.emplace_back(e->type(), e->changePosition(), str(e->textRemoved()), str(e->textInserted()));
    else
        ADD_FAILURE() << "event of type " << event->type();
}

TEST_F(TextBoxAccessibleTest, ReportsEveryChangeInReaderOffsets)
{
    // Widget blocks: [alph][a be][ta ][gamm][a] [xy] [long][long][long][ wor][d] [z].
    const auto select = [&](int from, int to) { text->setSelection(0, from, to); };
    const auto key = [&](Qt::Key k) { QTest::keyClick(box.get(), k); };
    const auto paste = [&](const QString& s) {
        QGuiApplication::clipboard()->setText(s);
        box->paste();
    };
    constexpr auto Ins = QAccessible::TextInserted;
    constexpr auto Rem = QAccessible::TextRemoved;
    constexpr auto Upd = QAccessible::TextUpdated;
    struct Step { const char* what; std::function<void()> act; std::vector<Sent> expected; } steps[] = {
        {"type before the divisions", [&] { select(0, 0), key(Qt::Key_Q); }, {{Ins, 0, "", "q"}}},
        {"type behind three", [&] { select(13, 13), key(Qt::Key_X); }, {{Ins, 13, "", "x"}}},
        {"undo", [&] { box->undo(); }, {{Rem, 13, "x", ""}}},
        {"redo", [&] { box->redo(); }, {{Ins, 13, "", "x"}}},
        {"Backspace over a division", [&] { select(26, 26), key(Qt::Key_Backspace); }, {{Rem, 25, "g", ""}}},
        {"undo it", [&] { box->undo(); }, {{Ins, 25, "", "g"}}},
        // Qt reports the lines whose breaks the box sets as changed too; the report does not.
        {"paste with breaks over a division", [&] { select(23, 27), paste(QStringLiteral("a\r\nb\rc")); },
         {{Upd, 23, "ongl", "a\nb\nc"}}},
        {"cut a line and a half", [&] { select(16, 28), box->cut(); }, {{Rem, 16, "ma\nxy\nla\nb\nc", ""}}},
        {"a piece emptied: its division goes too", [&] { select(9, 12), key(Qt::Key_Delete); },
         {{Rem, 9, "ta ", ""}}},
        {"a long word pasted, divided", [&] { select(3, 3), paste(QStringLiteral("0123456789AB")); },
         {{Ins, 3, "", "0123456789AB"}}},
        {"typing that divides a piece", [&] { select(4, 4), key(Qt::Key_K), key(Qt::Key_K); },
         {{Ins, 4, "", "k"}, {Ins, 5, "", "k"}}},
        {"ReplaceSelection over a break", [&] { select(1, 21), box->ReplaceSelection(QStringLiteral("\n")); },
         {{Upd, 1, "al0kk123456789ABpha ", "\n"}}},
        {"a character of two halves", [&] { select(0, 0), paste(QStringLiteral("\U0001F600")); },
         {{Ins, 0, "", "\U0001F600"}}},
        {"replaced by one with the same first half", [&] { select(0, 2), paste(QStringLiteral("\U0001F603")); },
         {{Upd, 0, "\U0001F600", "\U0001F603"}}},
        // The old text goes as blanks: the 24 units the steps above left.
        {"a new text", [&] { box->setText(QStringLiteral("new\r\ntext")); }, {{Upd, 0, std::string(24, ' '), "new\ntext"}}},
        // A reader asks for the caret whenever it moves, and a caret at the end of a text still
        // filling in moves with every slice laid in: no slice is laid in twice.
        {"a new text filled in slice by slice: no slice reported", [&] {
             box->setFillSliceLength(5);
             box->setText(Model + Model);
             box->moveCursor(QTextCursor::End);
             QObject::connect(box.get(), &QPlainTextEdit::cursorPositionChanged, box.get(), [&] { text->cursorPosition(); });
             QTRY_VERIFY(!box->Filling());
             EXPECT_EQ(str(box->Text()), str(Model + Model));
         }, {{Upd, 0, "", ""}}},
        {"a text shown in part first", [&] {
             box->setTextPending(QStringLiteral("top"), [] { return true; }, [&] { box->setText(QStringLiteral("top\nall")); });
             QTRY_VERIFY(!box->Filling());
         }, {{Upd, 0, std::string(2 * Reader.size(), ' '), "top"}, {Upd, 0, "   ", "top\nall"}}},
    };
    box->setFocus();
    TextBoxAccessible::setEventSink(record);
    for (Step& step : steps) {
        sent.clear();
        step.act();
        EXPECT_EQ(sent, step.expected) << step.what << ": " << str(text->text(0, text->characterCount()));
    }
    TextBoxAccessible::setEventSink(nullptr);
}

}  // namespace
}  // namespace folio
