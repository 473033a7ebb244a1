// The text box's mouse, wheel, drag and drop on a real box: where clicks and drags put the
// caret and the selection, what drops do to the text and how they undo. The box's geometry
// only says where to point; what must come out is written out.
#include "platform/ui/TextBox.h"
#include "support/WidgetTest.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace folio {

using namespace Qt::StringLiterals;
using S = QString;
using Sel = std::array<qsizetype, 3>;  // start, length, caret

// Where to point, found once the text is set: on a character (its left quarter, or its right
// one), or at the left or right end of a row on screen.
constexpr int RowStart = -1;
constexpr int RowEnd = -2;
struct Spot {
    int character;
    int row = 0;
    bool right = false;
};

class TextBoxMouseTest : public test::WidgetTest {
protected:
    void SetUp() override
    {
        QApplication::setWheelScrollLines(3);
        box->resize(420, 420);
        box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    }
    void TearDown() override
    {
        box.reset();
        test::WidgetTest::TearDown();
    }
    QPoint at(Spot s)
    {
        const QRect r = s.character >= 0 ? box->rectOf(s.character) : box->rowRect(s.row);
        if (s.character >= 0)
            return {s.right ? r.right() - r.width() / 4 : r.left() + r.width() / 4, r.center().y()};
        return {s.character == RowStart ? 1 : view()->width() - 2, r.center().y()};
    }
    QWidget* view() { return box->viewport(); }
    void set(const S& text, int start = 0, int length = 0)
    {
        box->setText(text);
        box->setSelStart(start);
        box->setSelLength(length);
    }
    Sel sel() const { return {box->SelStart(), box->SelLength(), box->model().selection().caret}; }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(view(), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(view(), to);
        QTest::mouseRelease(view(), Qt::LeftButton, modifiers, to);
    }
    bool dropFromHere(qsizetype position, Qt::DropAction action)
    {
        return box->dropText(position, box->SelText(), action, true);
    }
    void dragFinished(Qt::DropAction action, bool droppedHere)
    {
        box->m_droppedHere = droppedHere;
        box->dragFinished(action, 4, u"two "_s);
    }
    qsizetype dropCaret() const { return box->m_dropCaret; }
    void autoScrollStep() { box->autoScrollStep(); }

    std::unique_ptr<TextBox> box = std::make_unique<TextBox>();
};

namespace {

// 120 words on one line that wraps into many rows and ends in a lone CR, then a short line.
const S Wrapped = u"word "_s.repeated(120) + u"\rtail"_s;

TEST_F(TextBoxMouseTest, ClicksAndDragsSelectFromThePressToTheRelease)
{
    const struct {
        S text;
        int start, length;  // selected before
        Spot from, to;
        Qt::KeyboardModifiers modifiers;
        Sel selected;
    } cases[] = {
        {u"abc\r\ndef"_s, 1, 1, {RowEnd}, {RowEnd}, {}, {3, 0, 3}},  // before the CR LF
        {u"abc\r\ndef"_s, 1, 1, {RowStart, 1}, {RowStart, 1}, {}, {5, 0, 5}},
        {u"abc\ndef\rghi"_s, 1, 1, {RowEnd, 1}, {RowEnd, 1}, {}, {7, 0, 7}},
        {u"abc\ndef\rghi"_s, 1, 1, {RowStart, 2}, {RowStart, 2}, {}, {8, 0, 8}},
        {u"abc\ndef\rghi"_s, 1, 1, {RowEnd, 20}, {RowEnd, 20}, {}, {11, 0, 11}},  // below the text
        {u"abc\r\ndef"_s, 1, 1, {RowEnd}, {RowStart, 1}, {}, {3, 2, 5}},  // the break itself
        {Wrapped, 0, 0, {573}, {573}, {}, {573, 0, 573}},
        {Wrapped, 0, 0, {598}, {598}, {}, {598, 0, 598}},
        {Wrapped, 0, 0, {602}, {602}, {}, {602, 0, 602}},
        {Wrapped, 0, 0, {7}, {590}, {}, {7, 583, 590}},
        {Wrapped, 0, 0, {590}, {6}, {}, {6, 584, 6}},
        {u"abcdef ghij"_s, 2, 0, {9}, {9}, Qt::ShiftModifier, {2, 7, 9}},
        {u"abcdef ghij"_s, 2, 7, {0}, {0}, Qt::ShiftModifier, {0, 2, 0}},
        {u"one two three"_s, 4, 3, {5}, {5}, {}, {5, 0, 5}},  // on the selection, not dragged
        // Dragged from the selection (its last character): a drag, ending here with no drop.
        {u"one two three"_s, 4, 3, {6, 0, true}, {RowStart, 2}, {}, {4, 3, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.left(16).toStdString() + " from " + std::to_string(c.from.character));
        set(c.text, c.start, c.length);
        drag(at(c.from), at(c.to), c.modifiers);
        EXPECT_EQ(sel(), c.selected);
        EXPECT_EQ(box->Text(), c.text);
    }
    // From the end of a wrapped row to the start of the next: the blank the row ends in.
    set(Wrapped);
    drag(at({RowEnd}), at({RowStart, 1}));
    EXPECT_EQ(box->SelText(), u" "_s);
    // A right-click on the selection leaves it for the menu.
    QTest::mouseClick(view(), Qt::RightButton, {}, at({RowEnd}));
    EXPECT_EQ(box->SelText(), u" "_s);
}

TEST_F(TextBoxMouseTest, DoubleAndTripleClickSelectWordsAndLinesAndDragsGrowByThem)
{
    set(u"alpha beta, gamma\r\ntwo three\r\nfour"_s);
    QTest::mouseClick(view(), Qt::LeftButton, {}, at({7}));
    QTest::mouseDClick(view(), Qt::LeftButton, {}, at({7}));
    EXPECT_EQ(sel(), (Sel{6, 4, 10}));  // "beta"
    QTest::mouseMove(view(), at({14}));
    EXPECT_EQ(sel(), (Sel{6, 11, 17}));  // to the end of "gamma"
    QTest::mouseMove(view(), at({2}));
    EXPECT_EQ(sel(), (Sel{0, 10, 0}));  // "alpha beta": the double-clicked word stays
    QTest::mouseRelease(view(), Qt::LeftButton, {}, at({2}));
    // A third press soon after, at the same place: the line with its break; too late, a click.
    for (const auto& [late, selected] : {std::pair{0, Sel{19, 11, 30}}, std::pair{1000, Sel{24, 0, 24}}}) {
        for (const auto& [type, time] : {std::pair{QEvent::MouseButtonDblClick, 0}, {QEvent::MouseButtonRelease, 10},
                                        {QEvent::MouseButtonPress, 100 + late}, {QEvent::MouseButtonRelease, 110 + late}}) {
            QMouseEvent event(type, at({24}), view()->mapToGlobal(at({24})), Qt::LeftButton, Qt::LeftButton, {});
            event.setTimestamp(100000 + late * 10 + time);
            QCoreApplication::sendEvent(view(), &event);
        }
        EXPECT_EQ(sel(), selected);
    }
}

TEST_F(TextBoxMouseTest, DropsFromElsewhereTakePlainTextOnlyAsOneStep)
{
    const struct {
        S text, url;
        bool locked;
        S result;  // empty: refused
    } cases[] = {
        {u"XY\r\nZ"_s, {}, false, u"one XY\r\nZtwo"_s},
        {u"XY"_s, u"https://example.org/a"_s, false, u"one XYtwo"_s},
        {u"/tmp/a.txt"_s, u"file:///tmp/a.txt"_s, false, {}},  // a file: the window's
        {u"XY"_s, {}, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result.toStdString());
        box->setLocked(c.locked);
        set(u"one two"_s, 1, 2);
        QMimeData data;
        data.setText(c.text);
        if (!c.url.isEmpty())
            data.setUrls({QUrl(c.url)});
        QDragEnterEvent enter(at({4}), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view(), &enter);
        EXPECT_EQ(dropCaret(), c.result.isEmpty() ? -1 : 4);
        QDropEvent drop(at({4}), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view(), &drop);
        EXPECT_EQ(drop.isAccepted(), !c.result.isEmpty());
        EXPECT_EQ(dropCaret(), -1);
        EXPECT_EQ(box->Text(), c.result.isEmpty() ? u"one two"_s : c.result);
        if (c.result.isEmpty())
            continue;
        EXPECT_EQ(sel(), (Sel{4, c.text.size(), 4 + c.text.size()}));
        box->model().undo();
        EXPECT_EQ(box->Text(), u"one two"_s);
        EXPECT_FALSE(box->model().canUndo());
    }
}

TEST_F(TextBoxMouseTest, ADragOfTheSelectionMovesOrCopiesItAsOneStep)
{
    const struct {
        S text;
        int start, length;
        Qt::DropAction action;
        int at;
        S result;  // empty: nothing changes
        int selStart;
    } cases[] = {
        {u"one two three"_s, 4, 4, Qt::MoveAction, 13, u"one threetwo "_s, 9},
        {u"one two three"_s, 4, 4, Qt::MoveAction, 6, {}, 0},  // onto itself
        {u"one two three"_s, 4, 4, Qt::MoveAction, 8, {}, 0},  // to where it is
        {u"one two three"_s, 4, 4, Qt::CopyAction, 8, u"one two two three"_s, 8},
        {u"a\r\nb\nc\rd"_s, 0, 3, Qt::MoveAction, 8, u"b\nc\rda\r\n"_s, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " to " + std::to_string(c.at));
        set(c.text, c.start, c.length);
        EXPECT_EQ(dropFromHere(c.at, c.action), !c.result.isEmpty());
        EXPECT_EQ(box->Text(), c.result.isEmpty() ? c.text : c.result);
        EXPECT_EQ(box->model().canUndo(), !c.result.isEmpty());
        if (c.result.isEmpty())
            continue;
        EXPECT_EQ(sel(), (Sel{c.selStart, c.length, c.selStart + c.length}));
        box->model().undo();
        EXPECT_EQ(box->Text(), c.text);
        EXPECT_EQ(sel(), (Sel{c.start, c.length, c.start + c.length}));
        EXPECT_FALSE(box->model().canUndo());
    }
    // Dragged away as a move: the text goes, in one step; dropped back or changed meanwhile, it
    // stays.
    const std::tuple<Qt::DropAction, bool, S, S> away[] = {
        {Qt::MoveAction, false, u"one two three"_s, u"one three"_s},
        {Qt::MoveAction, true, u"one two three"_s, u"one two three"_s},
        {Qt::MoveAction, false, u"one TWO three"_s, u"one TWO three"_s},
    };
    for (const auto& [action, droppedHere, text, result] : away) {
        set(text, 4, 4);
        dragFinished(action, droppedHere);
        EXPECT_EQ(box->Text(), result);
        box->model().undo();
        EXPECT_EQ(box->Text(), text);
    }
}

TEST_F(TextBoxMouseTest, WheelAndSelectionsDraggedBeyondTheEdgeScroll)
{
    S lines;
    for (int i = 0; i < 100; ++i)
        lines += u"line "_s + S::number(i) + u"\r\n"_s;
    set(lines);
    // Three rows a notch; parts of notches (or of rows, in pixels) add up; a turn back starts
    // afresh. Each event is (pixels, angle).
    const int h = int(box->rows().rowHeight());
    const std::pair<std::vector<QPoint>, int> turns[] = {
        {{{0, -120}}, 3},
        {{{0, -60}, {0, -60}}, 3},
        {{{0, -120}, {0, -120}, {0, -20}, {0, 80}}, 4},
        {{{-(2 * h + h / 2), -120}, {-(h - h / 2), -120}}, 3},
    };
    for (const auto& [turn, topLine] : turns) {
        box->scrollRows(-1000);
        for (const QPoint t : turn) {
            QWheelEvent wheel({50, 50}, view()->mapToGlobal(QPointF(50, 50)), {0, t.x()}, {0, t.y()}, {}, {},
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(view(), &wheel);
        }
        EXPECT_EQ(box->topRow().line, topLine);
    }
    // Dragged below the box, the selection scrolls with the text.
    box->scrollRows(-1000);
    QTest::mousePress(view(), Qt::LeftButton, {}, at({2}));
    QTest::mouseMove(view(), {10, view()->height() + 5});
    const qsizetype caretLine = box->model().lineOf(sel()[2]);
    EXPECT_GT(caretLine, 5);
    autoScrollStep();
    EXPECT_EQ(box->topRow().line, 1);
    EXPECT_EQ(box->model().lineOf(sel()[2]), caretLine + 1);
    EXPECT_EQ(sel()[0], 2);
    QTest::mouseRelease(view(), Qt::LeftButton, {}, {10, view()->height() + 5});
}

}  // namespace
}  // namespace folio
