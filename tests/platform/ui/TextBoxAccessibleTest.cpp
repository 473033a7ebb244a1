// What a screen reader gets from the text box: the model's text with every break one "\n",
// offsets in that text for the caret, the selection, rows, paragraphs and edits, the font and
// colours, and one report per edit.
#include "platform/ui/TextBox.h"
#include "platform/ui/TextBoxAccessible.h"
#include "support/WidgetTest.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace folio {
namespace {

// CR LF, LF and CR breaks.
const QString Model = QStringLiteral("alpha beta gamma\r\nxy\nlonglonglong word\rz");
const QString Reader = QStringLiteral("alpha beta gamma\nxy\nlonglonglong word\nz");

std::string str(const QString& s) { return s.toStdString(); }

class TextBoxAccessibleTest : public test::WidgetTest {
protected:
    void SetUp() override
    {
        box = std::make_unique<TextBox>();
        box->resize(400, 300);
        box->show();
        box->setText(Model);
        a11y = QAccessible::queryAccessibleInterface(box.get());
        ASSERT_NE(a11y, nullptr);
        text = a11y->textInterface();
        edit = a11y->editableTextInterface();
        ASSERT_TRUE(text && edit);
    }
    void TearDown() override
    {
        box.reset();
        test::WidgetTest::TearDown();
    }
    // which: -1 the stretch before the offset, 0 the one at it, 1 the one after it.
    std::tuple<std::string, int, int> around(int offset, QAccessible::TextBoundaryType boundary, int which) const
    {
        int s = -1, e = -1;
        const QString got = which < 0   ? text->textBeforeOffset(offset, boundary, &s, &e)
                            : which > 0 ? text->textAfterOffset(offset, boundary, &s, &e)
                                        : text->textAtOffset(offset, boundary, &s, &e);
        return {str(got), s, e};
    }
    std::unique_ptr<TextBox> box;
    QAccessibleInterface* a11y = nullptr;
    QAccessibleTextInterface* text = nullptr;
    QAccessibleEditableTextInterface* edit = nullptr;
};

using B = QAccessible::TextBoundaryType;
constexpr B Char = QAccessible::CharBoundary, Word = QAccessible::WordBoundary, Line = QAccessible::LineBoundary,
            Para = QAccessible::ParagraphBoundary;

TEST_F(TextBoxAccessibleTest, ReadsTheModelInReaderOffsetsAndChangesNothing)
{
    QSignalSpy changes(&box->model(), &TextModel::Change), moves(&box->model(), &TextModel::SelectionChange);
    EXPECT_EQ(std::tuple(a11y->role(), str(a11y->text(QAccessible::Value)), text->characterCount(),
                         str(text->text(3, 24))),
              std::tuple(QAccessible::EditableText, str(Reader), 39, std::string("ha beta gamma\nxy\nlong")));
    const struct { int offset; B boundary; int which; std::string expected; int start, end; } stretches[] = {
        {15, Para, 1, "xy", 17, 19} /* behind the CR LF */, {33, Para, 0, "longlonglong word", 20, 37},
        {33, Para, -1, "xy", 17, 19}, {38, Para, 0, "z", 38, 39}, {38, Para, 1, "", -1, -1},
        {13, Word, 0, "gamma", 11, 16}, {13, Word, -1, " ", 10, 11}, {30, Word, 1, " ", 32, 33},
        {16, Char, 0, "\n", 16, 17} /* a CR LF is one character */, {16, Char, 1, "x", 17, 18},
        {20, Char, -1, "\n", 19, 20}, {40, Char, 0, "", -1, -1},
        {25, QAccessible::SentenceBoundary, 0, "longlonglong word", 20, 37},
        {7, QAccessible::NoBoundary, 0, str(Reader), 0, 39},
    };
    for (const auto& s : stretches)
        EXPECT_EQ(around(s.offset, s.boundary, s.which), std::tuple(s.expected, s.start, s.end))
            << s.offset << " " << s.boundary << " " << s.which;
    EXPECT_EQ(std::tuple(text->characterRect(40), text->offsetAtPoint(box->mapToGlobal(QPoint(-5, -5)))),
              std::tuple(QRect(), -1));
    // Each character's rectangle leads back to it (its right half too, nearer the next caret
    // place), behind each kind of break too; a break is as wide as a character, on the row it ends.
    for (const int offset : {0, 5, 16, 17, 20, 37, 38, 39}) {
        const QRect r = text->characterRect(offset);
        EXPECT_EQ(std::tuple(r.width() > 1, text->offsetAtPoint(r.center()), text->offsetAtPoint({r.right(), r.y()})),
                  std::tuple(true, offset, offset))
            << offset;
    }
    EXPECT_EQ(text->characterRect(16).top(), text->characterRect(15).top());
    EXPECT_EQ(std::tuple(changes.count(), moves.count(), str(box->Text()), box->model().canUndo()),
              std::tuple(0, 0, str(Model), false));

    // Placing: model position <-> reader offset, both ways, behind each kind of break.
    for (const auto& [model, reader] : {std::pair(7, 7), {18, 17}, {21, 20}, {39, 38}, {40, 39}}) {
        box->setSelStart(model);
        const int heard = text->cursorPosition();
        text->setCursorPosition(0);
        text->setCursorPosition(reader);
        EXPECT_EQ(std::pair(heard, box->SelStart()), std::pair(reader, model)) << model;
    }
    text->setSelection(0, 8, 30);
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(std::tuple(str(box->SelText()), text->selectionCount(), start, end),
              std::tuple(std::string("ta gamma\r\nxy\nlonglonglo"), 1, 8, 30));
    text->removeSelection(0);
    EXPECT_EQ(std::pair(box->SelLength(), text->selectionCount()), std::pair(0, 0));
}

TEST_F(TextBoxAccessibleTest, LinesAreTheRowsOnScreenAndAttributesNameTheFontAndColours)
{
    box->setText(QStringLiteral("aaaa bbbb cccc\r\n\U0001F600d"));
    // Rows of one word each: "aaaa " "bbbb " "cccc".
    box->resize(QFontMetrics(box->font()).horizontalAdvance(QStringLiteral("aaaa bb")) + box->width()
                    - int(box->rows().width()),
                300);
    const struct { int offset; B boundary; int which; std::string expected; int start, end; } rows[] = {
        {6, Line, 0, "bbbb ", 5, 10}, {6, Line, -1, "aaaa ", 0, 5}, {6, Line, 1, "cccc", 10, 14},
        {14, Line, 0, "cccc", 10, 14}, {12, Line, 1, "\U0001F600d", 15, 18}, {15, Line, -1, "cccc", 10, 14},
        {6, Para, 0, "aaaa bbbb cccc", 0, 14},
        // A surrogate pair is one character.
        {16, Char, 0, "\U0001F600", 15, 17}, {15, Char, 1, "d", 17, 18}, {17, Char, -1, "\U0001F600", 15, 17},
    };
    for (const auto& r : rows)
        EXPECT_EQ(around(r.offset, r.boundary, r.which), std::tuple(r.expected, r.start, r.end))
            << r.offset << " " << r.boundary << " " << r.which;

    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, QColor(10, 20, 30));
    palette.setColor(QPalette::Base, QColor(200, 210, 220));
    box->setPalette(palette);
    QFont bold(QStringLiteral("DejaVu Sans"), 13);
    bold.setBold(true);
    bold.setItalic(true);
    QFont odd(QStringLiteral("Odd;Name:1"));
    odd.setPointSizeF(9.5);
    const struct { QFont font; std::string expected; } fonts[] = {
        {bold, "font-family:\"DejaVu Sans\";font-size:13pt;font-weight:bold;font-style:italic;text-position:baseline;"
               "background-color:rgb(200,210,220);color:rgb(10,20,30);text-align:left;"},
        {odd, "font-family:\"Odd\\;Name\\:1\";font-size:9.5pt;font-weight:normal;font-style:normal;text-position:"
              "baseline;background-color:rgb(200,210,220);color:rgb(10,20,30);text-align:left;"},
    };
    for (const auto& f : fonts) {
        box->setFont(f.font);
        int start = -1, end = -1;
        EXPECT_EQ(std::tuple(str(text->attributes(3, &start, &end)), start, end), std::tuple(f.expected, 0, 18));
    }

    // Scrolled to a substring: its row on top, the caret where it was.
    box->setText(QString(QStringLiteral("line\n")).repeated(200));
    text->scrollToSubstring(250, 253);
    EXPECT_EQ(std::pair(box->topRow().line, box->SelStart()), std::pair(qsizetype(50), 0));
}

// The events a box sends, as a screen reader gets them: the type, the position, the text
// removed (a selection's end) and the text inserted.
using Sent = std::tuple<QAccessible::Event, int, std::string, std::string>;
std::vector<Sent> sent;
void record(QAccessibleEvent* event)
{
    if (const auto* e = dynamic_cast<QAccessibleTextInsertEvent*>(event))
        sent.emplace_back(e->type(), e->changePosition(), "", str(e->textInserted()));
    else if (const auto* e = dynamic_cast<QAccessibleTextRemoveEvent*>(event))
        sent.emplace_back(e->type(), e->changePosition(), str(e->textRemoved()), "");
    else if (const auto* e = dynamic_cast<QAccessibleTextUpdateEvent*>(event))
        sent.emplace_back(e->type(), e->changePosition(), str(e->textRemoved()), str(e->textInserted()));
    else if (const auto* e = dynamic_cast<QAccessibleTextSelectionEvent*>(event))
        sent.emplace_back(e->type(), e->selectionStart(), std::to_string(e->selectionEnd()), "");
    else if (const auto* e = dynamic_cast<QAccessibleTextCursorEvent*>(event))
        sent.emplace_back(e->type(), e->cursorPosition(), "", "");
}

TEST_F(TextBoxAccessibleTest, EditsByReaderOffsetsAndKeysAreOneReportEach)
{
    const auto key = [&](Qt::Key k) { QTest::keyClick(box.get(), k); };
    constexpr auto Ins = QAccessible::TextInserted, Rem = QAccessible::TextRemoved, Upd = QAccessible::TextUpdated;
    constexpr auto Caret = QAccessible::TextCaretMoved, Sel = QAccessible::TextSelectionChanged;
    struct Step { const char* what; std::function<void()> act; std::vector<Sent> expected; std::string model; int caret; };
    const Step steps[] = {
        {"Delete at 0", [&] { text->setCursorPosition(0), sent.clear(), key(Qt::Key_Delete); },
         {{Rem, 0, "a", ""}, {Caret, 0, "", ""}}, "lpha beta gamma\r\nxy\nlonglonglong word\rz", 0},
        {"typing", [&] { text->setCursorPosition(12), sent.clear(), key(Qt::Key_Q); },
         {{Ins, 12, "", "q"}, {Caret, 13, "", ""}}, "lpha beta gaqmma\r\nxy\nlonglonglong word\rz", 13},
        {"undo", [&] { box->undo(); }, {{Rem, 12, "q", ""}, {Caret, 12, "", ""}},
         "lpha beta gamma\r\nxy\nlonglonglong word\rz", 12},
        {"Backspace over a CR LF", [&] { text->setCursorPosition(16), sent.clear(), key(Qt::Key_Backspace); },
         {{Rem, 15, "\n", ""}, {Caret, 15, "", ""}}, "lpha beta gammaxy\nlonglonglong word\rz", 15},
        {"a selection", [&] { text->setSelection(0, 2, 5); }, {{Caret, 5, "", ""}, {Sel, 2, "5", ""}},
         "lpha beta gammaxy\nlonglonglong word\rz", 5},
        {"typed over", [&] { key(Qt::Key_K); }, {{Upd, 2, "ha ", "k"}, {Caret, 3, "", ""}},
         "lpkbeta gammaxy\nlonglonglong word\rz", 3},
        {"undone: the selection back", [&] { box->undo(); }, {{Upd, 2, "k", "ha "}, {Caret, 5, "", ""}, {Sel, 2, "5", ""}},
         "lpha beta gammaxy\nlonglonglong word\rz", 5},
        {"redone", [&] { box->redo(); }, {{Upd, 2, "ha ", "k"}, {Caret, 3, "", ""}}, "lpkbeta gammaxy\nlonglonglong word\rz", 3},
        {"inserted", [&] { edit->insertText(15, QStringLiteral("\r\n\rn")); },
         {{Ins, 16, "", "\nn\n"}, {Caret, 18, "", ""}}, "lpkbeta gammaxy\r\n\rn\nlonglonglong word\rz", 18},
        {"an LF behind a lone CR: the same reader text", [&] { edit->insertText(37, QStringLiteral("\n")); },
         {{Caret, 37, "", ""}}, "lpkbeta gammaxy\r\n\rn\nlonglonglong word\r\nz", 37},
        {"replaced across breaks", [&] { edit->replaceText(14, 19, QStringLiteral("Y")); },
         {{Upd, 14, "y\n\nn\n", "Y"}, {Caret, 15, "", ""}}, "lpkbeta gammaxYlonglonglong word\r\nz", 15},
        {"deleted", [&] { edit->deleteText(0, 3); }, {{Rem, 0, "lpk", ""}, {Caret, 0, "", ""}},
         "beta gammaxYlonglonglong word\r\nz", 0},
        {"the value set", [&] { a11y->setText(QAccessible::Value, QStringLiteral("x\r\ny")); },
         {{Upd, 0, "beta gammaxYlonglonglong word\nz", "x\ny"}, {Caret, 3, "", ""}}, "x\r\ny", 3},
        {"a caret asked for inside a surrogate pair goes before it", [&] {
             box->setText(u"\U0001F600"_qs), text->setCursorPosition(1), sent.clear(), key(Qt::Key_Q);
         }, {{Ins, 0, "", "q"}, {Caret, 1, "", ""}}, "q\U0001F600", 1},
        {"a new text", [&] { box->setText(QStringLiteral("new\rtext")); },
         {{Upd, 0, "   ", "new\ntext"}, {Caret, 0, "", ""}}, "new\rtext", 0},
        {"locked: no edit", [&] {
             box->setLocked(true), edit->insertText(0, QStringLiteral("q")), edit->deleteText(0, 2);
             a11y->setText(QAccessible::Value, QString());
         }, {}, "new\rtext", 0},
    };
    box->setFocus();
    TextBoxAccessible::setEventSink(record);
    for (const Step& step : steps) {
        sent.clear();
        step.act();
        EXPECT_EQ(sent, step.expected) << step.what;
        EXPECT_EQ(std::pair(str(box->Text()), text->cursorPosition()), std::pair(step.model, step.caret)) << step.what;
    }
    TextBoxAccessible::setEventSink(nullptr);
}

}  // namespace
}  // namespace folio
