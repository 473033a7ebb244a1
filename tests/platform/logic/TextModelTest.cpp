// The model's lines and their breaks, and the removed text its reports carry. Its edits, steps, undo and redo with their selections and
// change reports are checked against a plain string model by fuzz/fuzz_text_model.cpp.
#include "platform/logic/TextModel.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace folio;

// Every line keeps its own break, read from the text, through edits, undo and redo; a
// change is a change for the owner's flag whichever way it came, a load is none.
TEST(TextModel, LinesKeepTheirBreaksThroughEditUndoAndRedo)
{
    TextModel m;
    m.setText(QStringLiteral("a\nbb\rc\r\nd"));
    const auto lines = [&m] {
        QString out;
        for (qsizetype k = 0; k < m.lineCount(); ++k)
            out += QStringLiteral("%1-%2:%3 ").arg(m.lineStart(k)).arg(m.lineEnd(k)).arg(int(m.lineBreak(k)));
        return out;
    };
    EXPECT_EQ(lines(), QStringLiteral("0-1:2 2-4:3 5-6:1 8-9:0 "));
    m.select(3, 6);
    m.Enter();
    EXPECT_EQ(m.Text(), QStringLiteral("a\nb\r\n\r\nd"));
    EXPECT_EQ(lines(), QStringLiteral("0-1:2 2-3:1 5-5:1 7-8:0 "));
    m.clearChanged();
    m.undo();
    EXPECT_TRUE(m.changed());
    EXPECT_EQ(lines(), QStringLiteral("0-1:2 2-4:3 5-6:1 8-9:0 "));
    m.redo();
    m.setSelStart(1);
    m.ReplaceSelection(u"\r");  // a lone CR before an LF makes one CR LF of the two
    EXPECT_EQ(lines(), QStringLiteral("0-1:1 3-4:1 6-6:1 8-9:0 "));
    m.undo();
    m.undo();
    EXPECT_EQ(m.Text(), QStringLiteral("a\nbb\rc\r\nd"));
    m.setText(QStringLiteral("x"));
    EXPECT_TRUE(!m.changed() && !m.canUndo());  // a load is no change and no step
}

// While asked to, each report carries the text its step removed, as it was: a transaction of two
// primitives apart (the unchanged text between them too), its undo and its redo; a whole new text
// carries none.
TEST(TextModel, ReportsCarryTheRemovedTextWhenAsked)
{
    TextModel m;
    m.setText(QStringLiteral("ab\r\ncd\ref"));
    m.setKeepRemovedText(true);
    std::vector<std::pair<bool, QString>> reports;
    QObject::connect(&m, &TextModel::Change, [&](const TextChange& c) { reports.emplace_back(c.whole, c.removedText); });
    {
        TextModel::Transaction step(m);
        m.replace(7, 2, u"E");
        m.remove(1, 1);
    }
    m.undo();
    m.redo();
    m.setText(QStringLiteral("x"));
    const std::vector<std::pair<bool, QString>> expected = {
        {false, "b\r\ncd\ref"}, {false, "\r\ncd\rE"}, {false, "b\r\ncd\ref"}, {true, ""}};
    EXPECT_EQ(reports, expected);
}

// A run of typing that begins over a selection is one step: one undo brings the selected
// text and the selection back, one redo the whole run.
TEST(TextModel, TypingOverASelectionAndOnIsOneStep)
{
    TextModel m;
    m.setText(QStringLiteral("ab\r\ncd ef"));
    const auto state = [&m] { return QStringLiteral("%1|%2|%3").arg(m.Text()).arg(m.SelStart()).arg(m.SelLength()); };
    m.select(1, 6);
    m.typeText(u"x"), m.typeText(u"y"), m.typeText(u"z");
    m.undo();
    EXPECT_EQ(state(), QStringLiteral("ab\r\ncd ef|1|5"));
    m.redo();
    EXPECT_EQ(state(), QStringLiteral("axyz ef|4|0"));
}
