// The text box as a view of its model: what it shows follows the model, and nothing it does
// for display (painting, resizing, scrolling) changes the text or the undo history.
#include "platform/ui/TextBox.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace folio;

namespace {

// The row starts of `line` laid out whole, at once, by Qt, wrapped as the box wraps.
std::vector<qsizetype> wholeLineRows(const QString& line, const TextBox& box)
{
    QTextLayout layout(line, box.rows().font(), box.viewport());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(80);
    layout.setTextOption(option);
    layout.beginLayout();
    std::vector<qsizetype> starts;
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
        row.setLineWidth(box.rows().width());
        starts.push_back(row.textStart());
    }
    layout.endLayout();
    return starts;
}

// The row starts the box gives for the line that begins at `lineStart`, relative to it.
std::vector<qsizetype> boxRows(const TextBox& box, qsizetype lineStart)
{
    std::vector<qsizetype> starts;
    std::optional<TextBox::Row> row = box.rows().rowAt(lineStart);
    const qsizetype line = row->line;
    for (; row && row->line == line; row = box.rows().nextRow(*row))
        starts.push_back(row->start - lineStart);
    return starts;
}

QString words(int count, int seed)
{
    QRandomGenerator random(seed);
    QString text;
    for (int i = 0; i < count; ++i)
        text += QString(1 + random.bounded(11), QChar(u'a' + random.bounded(26))) + QChar(random.bounded(9) ? u' ' : u'-');
    return text;
}

class TextBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        box = std::make_unique<TextBox>();
        box->resize(420, 300);
        box->show();
    }
    void TearDown() override
    {
        box.reset();
        ASSERT_TRUE(QApplication::topLevelWidgets().isEmpty());
    }
    std::unique_ptr<TextBox> box;
};

TEST_F(TextBoxTest, PaintingResizingAndScrollingChangeNeitherTheTextNorTheUndoHistory)
{
    const QString text = u"head\r\n"_qs + words(3000, 1) + u"\rnext\nlast"_qs;
    box->setText(text);
    box->moveCaret(2000, false);
    box->ReplaceSelection(u"X"_qs);
    const QString edited = box->Text();
    QSignalSpy changes(box.get(), &TextBox::Change);
    QSignalSpy modelChanges(&box->model(), &TextModel::Change);

    for (const int width : {420, 180, 700, 95, 420}) {
        box->resize(width, 300);
        box->repaint();
        box->scrollRows(7);
        box->repaint();
        box->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum() / 2);
        box->repaint();
        box->scrollRows(-3);
        QApplication::processEvents();
    }
    EXPECT_EQ(changes.count() + modelChanges.count(), 0);
    EXPECT_EQ(box->Text(), edited);
    // Exactly one step to take back: the replacement.
    box->undo();
    EXPECT_EQ(std::tuple(box->Text(), box->model().canUndo()), std::tuple(text, false));
}

TEST_F(TextBoxTest, TheRowsOfALongLineAreThoseOfTheWholeLineLaidOutAtOnceAfterAnEditItsUndoAndAResize)
{
    const QString line = words(2500, 2);  // about 16,000 characters: several stretches
    box->setText(u"top\r\n"_qs + line + u"\r\nbelow"_qs);
    box->moveCaret(5 + 9000, false);
    box->ReplaceSelection(u"inserted words here "_qs);
    box->undo();
    box->resize(300, 300);
    EXPECT_EQ(boxRows(*box, 5), wholeLineRows(line, *box));
}

TEST_F(TextBoxTest, RowsFollowRandomEditsAsAFreshLayoutOfTheSameTextGivesThem)
{
    // Rows kept from before an edit must be those a box laying the new text out afresh
    // finds: a stale row would show text in the wrong place. A small stretch puts the edges
    // of what is laid out at once among the edits.
    const TextBoxLayout::Limits small{100000, 50000, 200, 40};
    QRandomGenerator random(7);
    box->setLayoutLimits(small);
    box->setText(words(400, 3) + u"\r\n"_qs + words(1800, 4) + u"\n\r"_qs + words(50, 5));
    TextBox fresh;
    fresh.setLayoutLimits(small);
    fresh.resize(box->size());
    fresh.show();
    const auto allRows = [](const TextBox& b) {
        std::vector<TextBox::Row> rows;
        for (std::optional<TextBox::Row> r = b.rows().rowAt(0); r; r = b.rows().nextRow(*r))
            rows.push_back(*r);
        return rows;
    };
    for (int step = 0; step < 200; ++step) {
        // Half the edits at the start of a row, where a word may move back to the row before.
        qsizetype at = random.bounded(int(box->model().length()) + 1);
        if (step % 2)
            at = box->rows().rowAt(at).start;
        const qsizetype length = std::min<qsizetype>(random.bounded(30), box->model().length() - at);
        const QString pieces[] = {u"x"_qs, u" "_qs, u"\r\n"_qs, u"\r"_qs, u"\n"_qs, u"word word "_qs, QString()};
        box->model().select(at, at + length);
        box->ReplaceSelection(pieces[random.bounded(7)]);
        if (step % 10 == 0)
            box->undo();
        box->repaint();  // lays out and keeps the rows on screen
        fresh.setText(box->Text());
        ASSERT_EQ(allRows(*box), allRows(fresh)) << "step " << step;
    }
}

TEST_F(TextBoxTest, TheScrollBarCountsCharactersAndAnyPlaceOfAGiantLineCanBeShown)
{
    // A one-line text of 2 MB: its middle shows without laying out what comes before.
    const QString line = words(300000, 6).left(2'000'000);
    box->setText(line);
    QScrollBar* bar = box->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 1'990'000);
    bar->setValue(1'000'000);
    const TextBox::Row top = box->topRow();
    EXPECT_LE(top.start, 1'000'000);
    EXPECT_GT(top.end, 1'000'000);
    // The end: the last row at the bottom, the caret shown.
    box->moveCaret(line.size(), false);
    EXPECT_EQ(box->rows().rowsFrom(box->topRow(), box->visibleRows()).back().end, line.size());
    EXPECT_LT(box->caretRect().bottom(), box->viewport()->height());
    // A bigger font keeps that caret on screen; one that is off screen leaves the top alone.
    box->setFont(QFont(box->font().family(), box->font().pointSize() * 3));
    EXPECT_LT(box->caretRect().bottom(), box->viewport()->height());
    box->resize(270, 120);  // so does a smaller box
    EXPECT_LT(box->caretRect().bottom(), box->viewport()->height());
    // The wheel over the scroll bar turns rows, as over the text (from the top, which a new
    // font left alone: the caret is off screen).
    bar->setValue(0);
    box->setFont(QApplication::font());
    QWheelEvent notch(QPointF(2, 2), box->mapToGlobal(QPointF(2, 2)), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &notch);
    EXPECT_EQ(box->topRow(), box->rows().rowsFrom(box->rows().rowAt(0), 4).back());
    // An edit before the top row leaves the top row's text on top.
    bar->setValue(1'500'000);
    const QString shown = box->Text().mid(box->topRow().start, 30);
    box->model().replace(10, 0, u"0123456789"_qs);
    EXPECT_EQ(box->Text().mid(box->topRow().start, 30), shown);
}

}  // namespace
