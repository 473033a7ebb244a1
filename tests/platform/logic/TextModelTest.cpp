#include "platform/logic/TextModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace folio;

// Each edit from a text with a selection: the text, the caret and selection after it, and
// the one change report it gives (none for an edit that changes nothing).
TEST(TextModel, EditsGiveTheirTextSelectionAndOneChangeReport)
{
    struct Case {
        const char16_t* text;
        qsizetype anchor, caret;
        std::function<void(TextModel&)> edit;
        const char16_t* after;
        qsizetype selStart, selLength;
        std::vector<TextChange> reports;
    };
    const auto threeEdits = [](TextModel& m) {
        TextModel::Transaction t(m);
        m.replace(6, 1, u"ab");
        m.remove(2, 2);
        m.insert(1, u"_");
    };
    const Case cases[] = {
        {u"abc", 1, 2, [](TextModel& m) { m.ReplaceSelection(u"XY"); }, u"aXYc", 3, 0, {{1, 1, 2}}},
        {u"abc", 1, 1, [](TextModel& m) { m.ReplaceSelection(u""); }, u"abc", 1, 0, {}},
        // Marks behind an insertion move with the text; one at its very place stays.
        {u"abcd", 1, 3, [](TextModel& m) { m.insert(1, u"xx"); }, u"axxbcd", 1, 4, {{1, 0, 2}}},
        {u"abcd", 1, 3, [](TextModel& m) { m.remove(0, 2); }, u"cd", 0, 1, {{0, 2, 0}}},
        // A caret left between a CR and its LF goes behind the LF.
        {u"a\rx\nb", 3, 3, [](TextModel& m) { m.remove(2, 1); }, u"a\r\nb", 3, 0, {{2, 1, 0}}},
        // One transaction, one report: the stretch that holds all its primitives.
        {u"0123456789", 0, 0, threeEdits, u"0_145ab789", 0, 0, {{1, 6, 6}}},
    };
    for (const Case& c : cases) {
        TextModel m;
        m.setText(QString::fromUtf16(c.text));
        m.select(c.anchor, c.caret);
        std::vector<TextChange> reports;
        QObject::connect(&m, &TextModel::Change, [&reports](TextChange change) { reports.push_back(change); });
        c.edit(m);
        SCOPED_TRACE(QString::fromUtf16(c.after).toStdString());
        EXPECT_EQ(m.Text(), QString::fromUtf16(c.after));
        EXPECT_EQ(m.SelStart(), c.selStart);
        EXPECT_EQ(m.SelLength(), c.selLength);
        EXPECT_EQ(reports, c.reports);
        EXPECT_EQ(m.changed(), !c.reports.empty());
    }
}

// A run of typing at the advancing caret is one step; the caret moving elsewhere, Enter or
// typing over a selection each end it. Undo brings back the caret and selection from before
// the step, redo those from after it.
TEST(TextModel, TypingRunsAreOneStepAndUndoBringsBackTheSelection)
{
    TextModel m;
    m.setText(QStringLiteral("0123"));
    m.setSelStart(4);
    for (const char16_t* c : {u"a", u"b", u"c"})
        m.typeText(c);
    m.setSelStart(0);
    m.setSelStart(7);  // back where the run ended: a new step all the same
    m.typeText(u"d");
    m.Enter();
    m.select(1, 3);
    m.typeText(u"X");
    m.typeText(u"f");
    EXPECT_EQ(m.Text(), QStringLiteral("0Xf3abcd\r\n"));

    const std::vector<std::tuple<const char16_t*, qsizetype, qsizetype>> undone = {
        {u"0X3abcd\r\n", 2, 0},   // f
        {u"0123abcd\r\n", 1, 2},  // X over "12"
        {u"0123abcd", 8, 0},      // Enter
        {u"0123abc", 7, 0},       // d
        {u"0123", 4, 0},          // abc
    };
    for (const auto& [text, start, length] : undone) {
        m.undo();
        EXPECT_EQ(m.Text(), QString::fromUtf16(text));
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        EXPECT_EQ(m.SelStart(), start);
        EXPECT_EQ(m.SelLength(), length);
    }
    m.redo();
    m.redo();
    EXPECT_EQ(m.SelStart(), 8);  // behind "d" again
}

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
