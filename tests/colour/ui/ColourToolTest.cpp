// The RGB and ASCII tool window: its initial state and reset, the colour bars and their texts,
// the lookup in both modes and the keyboard walk of the loop, and what a screen reader hears.
#include "colour/ui/ToolControls.h"
#include "colour/ui/frmRgbAscii.h"
#include "support/MainWindowTest.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace folio {
namespace {

const QString kPlaceholder = QStringLiteral("Here is the answer !");
const QString kNumberRefusal = QStringLiteral("Please type any valid integer from 0 to 255.");

class ColourToolTest : public test::MainWindowTest {
protected:
    void SetUp() override
    {
        test::MainWindowTest::SetUp();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
        main->mnuAC->trigger();
        test::settle();
        tool = qobject_cast<frmRgbAscii*>(main->colourToolWindow());
        ASSERT_NE(tool, nullptr);
    }
    // Enter as the keyboard delivers it: the press to the control that has the focus, the
    // release to the one that has it afterwards.
    static void pressEnter()
    {
        QTest::keyPress(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Return);
    }
    ColourValue colourOf(int box) const { return backColor(tool->txtText01[box]); }
    QStringList labels() const
    {
        QStringList list;
        for (int i : {2, 3, 4, 1, 8})
            list << tool->Label2[i]->text();
        return list;
    }

    frmRgbAscii* tool = nullptr;
};

// A bar rewrites its own box and text and the mixed colour, following the thumb while it is
// dragged; the keyboard steps it by one and twenty. Opened again after "&C&lose" whatever was
// changed: white, the initial texts, number mode; "&Help" shows its text.
TEST_F(ColourToolTest, BarsRewriteTheirBoxAndTextsAndTheWindowReopensAfresh)
{
    tool->HSbar01[1]->setValue(128);
    EXPECT_EQ(std::pair(colourOf(1), colourOf(3)), std::pair(RGB(0, 128, 0), RGB(255, 128, 255)));
    EXPECT_EQ(labels(), QStringList({"255, 0, 0  /  # FF 00 00", "0, 128 , 0  /  # 00 80 00", "0, 0, 255  /  # 00 00 FF",
                                     "R,G,B values = 255 , 128 , 255", "HTML values =  # FF 80 FF"}));
    QScrollBar* blue = tool->HSbar01[2];
    blue->setSliderDown(true);
    blue->setSliderPosition(16);
    EXPECT_EQ(std::pair(colourOf(2), colourOf(3)), std::pair(RGB(0, 0, 16), RGB(255, 128, 16)));
    blue->setSliderDown(false);
    blue->setFocus();
    QTest::keyClick(blue, Qt::Key_PageDown);
    QTest::keyClick(blue, Qt::Key_Right);
    EXPECT_EQ(tool->Label2[4]->text(), QStringLiteral("0, 0, 37  /  # 00 00 25"));

    tool->optButton01[1]->setChecked(true);
    tool->txtText01[4]->setText(QStringLiteral("x"));
    QTest::mouseClick(tool->cmdHelp[0], Qt::LeftButton);
    test::settle();
    main->mnuAC->trigger();
    test::settle();
    tool = qobject_cast<frmRgbAscii*>(main->colourToolWindow());
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(labels(), QStringList({"255, 0, 0  /  # FF 00 00", "0, 255, 0  /  # 00 FF 00", "0, 0, 255  /  # 00 00 FF",
                                     "R, G, B values = 255, 255, 255", "HTML values = # FF FF FF"}));
    const ColourValue boxes[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(tool->txtText01[i]->text().isEmpty() && tool->txtText01[i]->isReadOnly() == (i < 4)) << i;
        EXPECT_TRUE(i >= 4 || colourOf(i) == boxes[i]) << i;
    }
    EXPECT_EQ(std::tuple(tool->txtText01[4]->maxLength(), tool->optButton01[0]->isChecked(), tool->Label3[0]->text() + tool->Label3[1]->text()),
              std::tuple(3, true, kPlaceholder + kPlaceholder));
    tool->cmdHelp[1]->setFocus();
    pressEnter();
    // One empty line inside the colour part, two before the ASCII part.
    EXPECT_EQ(dialogs.shown(), QList{test::msgBox(QStringLiteral(
        "Colour Picker -- \r\nYou can move the indicator on any one of the scroll bars and see how the "
        "shades of colour change. You can see corresponding values of RGB() colour function also, beside "
        "respective colour boxes. \r\n\r\nYou can save the values and names of your favourite colour "
        "shades in a text file or a CSV database file, for reference & ready retrieval during editing. A "
        "sample file MyShades.csv is provided with the distribution set. The data fields in sequence are "
        "-- Your choice name, R value, G value, B value, HTML value, HTML name of colour\r\n\r\n\r\n"
        "ASCII Concept -- \r\nChoose any one option button and do the needful, to know more about "
        "elements of the ASCII concept. In case of continuous loop, follow the instructions on screen."))});
}

// Each row in turn: the mode, the input, and the answer (in the label as held and as drawn,
// a character without a glyph as its control picture), or the refusal with the focus back in
// the input and the answer before it kept. (The lookup's rules are the logic suite's.)
//
// Enter in the input moves to the loop button, Enter there asks; Ignore steps on (255 wraps to
// 0), Retry back, Abort stays; the character shows only while the question is up. Out-of-range
// input is refused with the focus back in the input.
TEST_F(ColourToolTest, LookupAndLoopAnswerOrRefuseWithFocusBackAndTheLoopWalksByKeyboard)
{
    QLineEdit* lookup = tool->txtText01[4];
    const struct { bool byCharacter; QString typed, answer, drawn, refusal; } rows[] = {
        {true, QStringLiteral("B"), QStringLiteral("66"), QStringLiteral("66"), {}},
        // Not in the code page.
        {true, QStringLiteral("\u03A9"), QStringLiteral("66"), QStringLiteral("66"),
         QStringLiteral("Please type any valid character.")},
        {false, QStringLiteral("0"), QString(QChar(0)), QStringLiteral("\u2400"), {}},
        {false, QStringLiteral("256"), QString(QChar(0)), QStringLiteral("\u2400"), kNumberRefusal},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.typed.toStdString());
        if (tool->optButton01[1]->isChecked() != r.byCharacter)
            QTest::mouseClick(tool->optButton01[r.byCharacter ? 1 : 0], Qt::LeftButton);
        lookup->setText(r.typed);
        dialogs.clear();
        QTest::mouseClick(tool->cmdShow, Qt::LeftButton);
        EXPECT_EQ(dialogs.prompts(), r.refusal.isEmpty() ? QStringList() : QStringList{r.refusal});
        EXPECT_EQ(std::pair(tool->Label3[0]->text(), tool->Label3[0]->shownText()), std::pair(r.answer, r.drawn));
        EXPECT_TRUE(r.refusal.isEmpty() || QApplication::focusWidget() == lookup);
    }
    // Switching modes keeps the answer; into character mode it empties the input and allows one
    // character, back into number mode it keeps the input and allows three.
    QTest::mouseClick(tool->optButton01[1], Qt::LeftButton);
    lookup->setFocus();
    QTest::keyClicks(lookup, QStringLiteral("DE"));
    QTest::mouseClick(tool->optButton01[0], Qt::LeftButton);
    EXPECT_EQ(std::tuple(tool->Label3[0]->text(), lookup->text(), lookup->maxLength()),
              std::tuple(QString(QChar(0)), "D", 3));

    QLineEdit* input = tool->txtText01[5];
    const test::ShownBox question = test::msgBox(
        QStringLiteral("Choose Abort button to exit from this loop,\r\nChoose Retry button to move "
                       "to previous integer or\r\nChoose Ignore button to move to next integer."),
        QStringLiteral("Your choice please"), MsgButtons::AbortRetryIgnore, MsgIcon::Question, 3);
    QString during;
    const struct { const char* typed; MsgAnswer answer; const char* shown; const char* after; QWidget* focus;
                   bool refused = false; } steps[] = {
        {"10", MsgAnswer::Ignore, "\n", "11", input},  // the answering Enter's release is no key-up of the input
        {"11", MsgAnswer::Retry, "\x0B", "10", input},
        {"9", MsgAnswer::Abort, "\t", "9", tool->cmdLoop},
        {"255", MsgAnswer::Ignore, "\xFF", "0", input},
        {"300", MsgAnswer::Ignore, nullptr, "300", input, true},
        {"", MsgAnswer::Ignore, nullptr, "", input, true},
        {"0.5", MsgAnswer::Retry, nullptr, "-0.5", input},  // the box keeps all four characters
    };
    for (const auto& r : steps) {
        SCOPED_TRACE(r.typed);
        dialogs.clear();
        during.clear();
        dialogs.answer(r.answer).during([&] { during = tool->Label3[1]->text(); });
        // Typed into the loop's input, then Enter there and on the loop button.
        input->clear();
        input->setFocus();
        QTest::keyClicks(input, QLatin1String(r.typed));
        pressEnter();
        pressEnter();
        EXPECT_EQ(dialogs.shown(), QList{r.refused ? test::msgBox(kNumberRefusal) : question});
        EXPECT_TRUE(!r.shown || during == QString::fromLatin1(r.shown));
        EXPECT_EQ(std::tuple(input->text(), tool->Label3[1]->text(), QApplication::focusWidget()),
                  std::tuple(QString::fromLatin1(r.after), kPlaceholder, r.focus));
    }
}

// What screen readers are sent: each change of a control's description, as "name:
// description".
QStringList heard;
void hear(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::DescriptionChanged)
        if (auto* w = qobject_cast<QWidget*>(event->object()))
            heard << w->objectName() + QStringLiteral(": ") + w->accessibleDescription();
}

// Each colour box describes its colour, kept up to date as a bar moves. Each answer reaches
// the button that brought it and has the focus, also the same answer twice; a character
// without a glyph by its picture, a blank as "blank"; the loop's while its question is up.
TEST_F(ColourToolTest, AScreenReaderHearsEachAnswerAndReadsEachBoxsColour)
{
    setDescriptionSinkForTesting(hear);
    heard.clear();
    tool->HSbar01[1]->setValue(224);
    for (const char* code : {"65", "65", "32", "0"}) {
        tool->txtText01[4]->setText(QLatin1String(code));
        tool->cmdShow->setFocus();
        pressEnter();
    }
    QStringList during;
    dialogs.answer(MsgAnswer::Ignore).during([&] { during = heard.mid(heard.size() - 1); });
    tool->txtText01[5]->setText(QStringLiteral("66"));
    tool->cmdLoop->setFocus();
    pressEnter();
    setDescriptionSinkForTesting(nullptr);
    EXPECT_EQ(heard, QStringList({"txtText01_1: red 0, green 224, blue 0, #00E000",
                                  "txtText01_3: red 255, green 224, blue 255, #FFE0FF", "cmdShow: Answer: A", "cmdShow: ",
                                  "cmdShow: Answer: A", "cmdShow: Answer: blank", "cmdShow: Answer: \u2400",
                                  "cmdLoop: Answer: B", "cmdLoop: "}));
    EXPECT_EQ(during, QStringList({"cmdLoop: Answer: B"}));
}

}  // namespace
}  // namespace folio
