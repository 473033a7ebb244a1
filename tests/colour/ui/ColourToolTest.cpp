// The RGB and ASCII tool window: its initial state and reset, the colour bars and their texts,
// the lookup in both modes and the keyboard walk of the loop.
#include "colour/logic/ToolHelp.h"
#include "colour/ui/ToolControls.h"
#include "colour/ui/frmRgbAscii.h"
#include "support/MainWindowTest.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
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
    // `text` typed into the loop's input, then Enter there and on the loop button.
    void loop(const QString& text)
    {
        QLineEdit* box = tool->txtText01[5];
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        pressEnter();
        pressEnter();
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

// Opened, and opened again after "&C&lose" whatever was changed: white, the initial texts,
// number mode; "&Help" shows its text.
TEST_F(ColourToolTest, OpensWhiteWithInitialTextsAndNumberModeAndReopensAfresh)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(tool->Caption(), QStringLiteral("RGB and ASCII Functions"));
        EXPECT_NEAR(tool->ScaleWidth(), 8910, 15);
        EXPECT_NEAR(tool->ScaleHeight(), 5835, 15);
        EXPECT_EQ(labels(), QStringList({"255, 0, 0  /  # FF 00 00", "0, 255, 0  /  # 00 FF 00", "0, 0, 255  /  # 00 00 FF",
                                         "R, G, B values = 255, 255, 255", "HTML values = # FF FF FF"}));
        const ColourValue boxes[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(tool->txtText01[i]->text().isEmpty() && tool->txtText01[i]->isReadOnly() == (i < 4)) << i;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(colourOf(i), boxes[i]) << i;
        EXPECT_EQ(tool->txtText01[4]->maxLength(), 3);
        EXPECT_TRUE(tool->optButton01[0]->isChecked());
        // Each option button holds its whole round indicator, and the two do not overlap.
        for (QRadioButton* o : tool->optButton01)
            EXPECT_GE(o->height(), o->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, o));
        EXPECT_LT(tool->optButton01[0]->geometry().bottom(), tool->optButton01[1]->y());
        EXPECT_EQ(tool->Label3[0]->text() + tool->Label3[1]->text(), kPlaceholder + kPlaceholder);
        tool->HSbar01[1]->setValue(10);
        tool->optButton01[1]->setChecked(true);
        tool->txtText01[4]->setText(QStringLiteral("x"));
        tool->txtText01[5]->setText(QStringLiteral("42"));
        QTest::mouseClick(tool->cmdHelp[0], Qt::LeftButton);
        test::settle();
        EXPECT_TRUE(main->mnuAC->isEnabled());
        main->mnuAC->trigger();
        test::settle();
        tool = qobject_cast<frmRgbAscii*>(main->colourToolWindow());
        ASSERT_NE(tool, nullptr);
    }
    tool->cmdHelp[1]->setFocus();
    pressEnter();
    EXPECT_EQ(dialogs.shown(), QList{test::msgBox(colour::colourToolHelpText())});
}

// A bar rewrites its own box and text and the mixed colour, following the thumb while it is
// dragged; the keyboard steps it by one and twenty, left and page up toward 0.
TEST_F(ColourToolTest, BarsRewriteTheirBoxAndTextsFollowTheThumbAndStepByOneAndTwenty)
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
    EXPECT_EQ(tool->Label2[4]->text(), QStringLiteral("0, 0, 16  /  # 00 00 10"));
    blue->setFocus();
    const struct { Qt::Key key; int value; } keys[] = {
        {Qt::Key_Right, 17}, {Qt::Key_PageDown, 37}, {Qt::Key_Left, 36}, {Qt::Key_PageUp, 16}, {Qt::Key_Home, 0}, {Qt::Key_End, 255}};
    for (const auto& k : keys) {
        QTest::keyClick(blue, k.key);
        EXPECT_EQ(colourOf(2), RGB(0, 0, k.value)) << k.key;
    }
    EXPECT_EQ(tool->Label2[4]->text(), QStringLiteral("0, 0, 255  /  # 00 00 FF"));
}

// Each row in turn: the mode, the input, and the answer (in the label as held and as drawn,
// a character without a glyph as its control picture), or the refusal with the focus back in
// the input and the answer before it kept. (The lookup's rules are the logic suite's.)
TEST_F(ColourToolTest, LookupInBothModesAnswersOrRefusesWithFocusBack)
{
    QLineEdit* input = tool->txtText01[4];
    const QString noCharacter = QStringLiteral("Please type any valid character.");
    const struct { bool byCharacter; QString typed; QString answer, drawn, refusal; } rows[] = {
        {false, QStringLiteral("0"), QString(QChar(0)), QStringLiteral("\u2400"), {}},
        {false, QStringLiteral("256"), {}, {}, kNumberRefusal},
        {true, QStringLiteral("B"), QStringLiteral("66"), QStringLiteral("66"), {}},
        {true, QStringLiteral("\u03A9"), {}, {}, noCharacter},  // not in the code page
        {false, QStringLiteral("x"), {}, {}, kNumberRefusal},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.typed.toStdString());
        if (tool->optButton01[1]->isChecked() != r.byCharacter)
            QTest::mouseClick(tool->optButton01[r.byCharacter ? 1 : 0], Qt::LeftButton);
        const QString before = tool->Label3[0]->text();
        input->setText(r.typed);
        dialogs.clear();
        QTest::mouseClick(tool->cmdShow, Qt::LeftButton);
        EXPECT_EQ(input->text(), r.typed);
        EXPECT_EQ(dialogs.prompts(), r.refusal.isEmpty() ? QStringList() : QStringList{r.refusal});
        EXPECT_EQ(tool->Label3[0]->text(), r.refusal.isEmpty() ? r.answer : before);
        if (r.refusal.isEmpty())
            EXPECT_EQ(tool->Label3[0]->shownText(), r.drawn);
        else
            EXPECT_EQ(QApplication::focusWidget(), input);
    }
    // The button answers Enter too; Enter in the input does nothing.
    input->setText(QStringLiteral("66"));
    input->setFocus();
    pressEnter();
    EXPECT_EQ(QApplication::focusWidget(), input);
    tool->cmdShow->setFocus();
    pressEnter();
    EXPECT_EQ(tool->Label3[0]->text(), QStringLiteral("B"));
    // Switching modes keeps the answer; into character mode it empties the input and allows one
    // character, back into number mode it keeps the input and allows three.
    QTest::mouseClick(tool->optButton01[1], Qt::LeftButton);
    EXPECT_EQ(tool->Label3[0]->text(), QStringLiteral("B"));
    input->setFocus();
    QTest::keyClicks(input, QStringLiteral("CD"));
    EXPECT_EQ(input->text(), QStringLiteral("C"));
    QTest::mouseClick(tool->optButton01[0], Qt::LeftButton);
    EXPECT_EQ(input->text(), QStringLiteral("C"));
    EXPECT_EQ(input->maxLength(), 3);
}

// Enter in the input moves to the loop button, Enter there asks; Ignore steps on (255 wraps to
// 0), Retry back, Abort stays; the character shows only while the question is up. Out-of-range
// input is refused with the focus back in the input.
TEST_F(ColourToolTest, LoopWalksTheTableByKeyboardAndWrapsAtTheEnd)
{
    QLineEdit* input = tool->txtText01[5];
    QString during;
    const struct { const char* typed; MsgAnswer answer; const char* shown; const char* after; QWidget* focus; } rows[] = {
        {"10", MsgAnswer::Ignore, "\n", "11", input},  // the answering Enter's release is no key-up of the input
        {"11", MsgAnswer::Retry, "\x0B", "10", input},
        {"9", MsgAnswer::Abort, "\t", "9", tool->cmdLoop},
        {"255", MsgAnswer::Ignore, "\xFF", "0", input},
        {"0.5", MsgAnswer::Retry, nullptr, "-0.5", input},  // the box keeps all four characters
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.typed);
        dialogs.clear();
        dialogs.answer(r.answer).during([&] { during = tool->Label3[1]->text(); });
        loop(QLatin1String(r.typed));
        EXPECT_EQ(dialogs.shown(), QList{test::msgBox(QStringLiteral(
                                             "Choose Abort button to exit from this loop,\r\nChoose Retry button to move "
                                             "to previous integer or\r\nChoose Ignore button to move to next integer."),
                                         QStringLiteral("Your choice please"), MsgButtons::AbortRetryIgnore, MsgIcon::Question, 3)});
        if (r.shown) {
            EXPECT_EQ(during, QString::fromLatin1(r.shown));
        }
        EXPECT_EQ(input->text(), QLatin1String(r.after));
        EXPECT_EQ(tool->Label3[1]->text(), kPlaceholder);
        EXPECT_EQ(QApplication::focusWidget(), r.focus);
    }
    // "-0.5" cannot be typed over, only shortened.
    input->end(false);
    QTest::keyClicks(input, QStringLiteral("7"));
    EXPECT_EQ(input->text(), QStringLiteral("-0.5"));
    QTest::keyClick(input, Qt::Key_Backspace);
    QTest::keyClicks(input, QStringLiteral("7"));
    EXPECT_EQ(input->text(), QStringLiteral("-0."));
    for (const QString& bad : {QStringLiteral("300"), QString()}) {
        dialogs.clear();
        loop(bad);
        EXPECT_EQ(dialogs.shown(), QList{test::msgBox(kNumberRefusal)});
        EXPECT_EQ(QApplication::focusWidget(), input);
        EXPECT_EQ(input->text(), bad);
        EXPECT_EQ(tool->Label3[1]->text(), kPlaceholder);
    }
}

}  // namespace
}  // namespace folio
