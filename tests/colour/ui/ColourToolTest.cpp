// The RGB and ASCII tool window: its initial state and reset, the colour bars and their texts,
// the lookup in both modes and the keyboard walk of the loop.
#include "colour/logic/ToolHelp.h"
#include "colour/ui/ToolControls.h"
#include "colour/ui/frmRgbAscii.h"
#include "support/MainWindowTest.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
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
    static void typeInto(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    // The one box shown since the last clear() was the number refusal, and the focus is back in `input`.
    void expectNumberRefusal(QLineEdit* input, const QString& typed)
    {
        ASSERT_EQ(dialogs.shown().size(), 1) << typed.toStdString();
        EXPECT_EQ(dialogs.last(), test::msgBox(kNumberRefusal));
        EXPECT_EQ(QApplication::focusWidget(), input) << typed.toStdString();
        dialogs.clear();
    }
    ColourValue colourOf(int box) const { return backColor(tool->txtText01[box]); }
    QString label(int i) const { return tool->Label2[i]->text(); }

    frmRgbAscii* tool = nullptr;
};

TEST_F(ColourToolTest, OpensWhiteWithInitialTextsAndNumberModeAndReopensAfresh)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(tool->Caption(), QStringLiteral("RGB and ASCII Functions"));
        EXPECT_NEAR(tool->ScaleWidth(), 8910, 15);
        EXPECT_NEAR(tool->ScaleHeight(), 5835, 15);
        EXPECT_EQ(tool->findChild<QWidget*>(QStringLiteral("txtText01")), nullptr);  // no target for font and colour
        EXPECT_EQ(label(2), QStringLiteral("255, 0, 0  /  # FF 00 00"));
        EXPECT_EQ(label(3), QStringLiteral("0, 255, 0  /  # 00 FF 00"));
        EXPECT_EQ(label(4), QStringLiteral("0, 0, 255  /  # 00 00 FF"));
        EXPECT_EQ(label(1), QStringLiteral("R, G, B values = 255, 255, 255"));
        EXPECT_EQ(label(8), QStringLiteral("HTML values = # FF FF FF"));
        const ColourValue boxes[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(colourOf(i), boxes[i]) << i;
            EXPECT_TRUE(tool->txtText01[i]->isReadOnly() && tool->txtText01[i]->text().isEmpty()) << i;
        }
        for (int i : {4, 5})
            EXPECT_TRUE(tool->txtText01[i]->text().isEmpty() && tool->txtText01[i]->maxLength() == 3) << i;
        EXPECT_TRUE(tool->optButton01[0]->isChecked());
        // Each option button holds its whole round indicator, and the two do not overlap.
        for (QRadioButton* o : tool->optButton01)
            EXPECT_GE(o->height(), o->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, o));
        EXPECT_LT(tool->optButton01[0]->geometry().bottom(), tool->optButton01[1]->y());
        EXPECT_EQ(tool->Label3[0]->text(), kPlaceholder);
        EXPECT_EQ(tool->Label3[1]->text(), kPlaceholder);
        if (round == 1)
            break;
        // Change everything, close with "&C&lose" and open again.
        tool->HSbar01[1]->setValue(10);
        tool->optButton01[1]->setChecked(true);
        tool->txtText01[4]->setText(QStringLiteral("x"));
        tool->txtText01[5]->setText(QStringLiteral("42"));
        QTest::mouseClick(tool->cmdHelp[0], Qt::LeftButton);
        test::settle();
        EXPECT_EQ(main->colourToolWindow(), nullptr);
        EXPECT_TRUE(main->mnuAC->isEnabled());
        main->mnuAC->trigger();
        test::settle();
        tool = qobject_cast<frmRgbAscii*>(main->colourToolWindow());
        ASSERT_NE(tool, nullptr);
    }
    // Each activation disables the tag menu again.
    main->mdiArea()->setActiveSubWindow(main->aboutWindow());
    main->mnuHtml->setEnabled(true);
    main->mdiArea()->setActiveSubWindow(tool);
    EXPECT_FALSE(main->mnuHtml->isEnabled());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(ColourToolTest, BarsRewriteTheirBoxAndTextsFollowTheThumbAndStepByOneAndTwenty)
{
    tool->HSbar01[1]->setValue(128);
    EXPECT_EQ(colourOf(1), RGB(0, 128, 0));
    EXPECT_EQ(colourOf(3), RGB(255, 128, 255));
    EXPECT_EQ(label(3), QStringLiteral("0, 128 , 0  /  # 00 80 00"));
    EXPECT_EQ(label(1), QStringLiteral("R,G,B values = 255 , 128 , 255"));
    EXPECT_EQ(label(8), QStringLiteral("HTML values =  # FF 80 FF"));
    EXPECT_EQ(label(2), QStringLiteral("255, 0, 0  /  # FF 00 00"));  // the other channels keep theirs

    QScrollBar* blue = tool->HSbar01[2];
    blue->setSliderDown(true);
    for (int pos : {200, 16}) {
        blue->setSliderPosition(pos);
        EXPECT_EQ(colourOf(2), RGB(0, 0, pos));
        EXPECT_EQ(colourOf(3), RGB(255, 128, pos));
    }
    blue->setSliderDown(false);
    EXPECT_EQ(label(4), QStringLiteral("0, 0, 16  /  # 00 00 10"));
    // The keyboard moves a focused bar as it is drawn: left and page up toward 0.
    blue->setFocus();
    const struct { Qt::Key key; int value; } keys[] = {
        {Qt::Key_Right, 17}, {Qt::Key_PageDown, 37}, {Qt::Key_Left, 36}, {Qt::Key_PageUp, 16}, {Qt::Key_Home, 0}, {Qt::Key_End, 255}};
    for (const auto& k : keys) {
        QTest::keyClick(blue, k.key);
        EXPECT_EQ(blue->value(), k.value) << k.key;
        EXPECT_EQ(colourOf(2), RGB(0, 0, k.value)) << k.key;
    }
    EXPECT_EQ(label(4), QStringLiteral("0, 0, 255  /  # 00 00 FF"));
}

TEST_F(ColourToolTest, HelpShowsItsTextAndChangesNothing)
{
    tool->cmdHelp[1]->setFocus();
    pressEnter();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last(), test::msgBox(colour::colourToolHelpText()));
    EXPECT_EQ(main->colourToolWindow(), tool);
}

// Each row in turn: the mode, the input, and the answer (in the label as held and as drawn,
// a character without a glyph as its control picture), or the refusal with the focus back in
// the input and the answer before it kept.
TEST_F(ColourToolTest, LookupInBothModesAnswersOrRefusesWithFocusBack)
{
    QLineEdit* input = tool->txtText01[4];
    const QString noCharacter = QStringLiteral("Please type any valid character.");
    const struct { bool byCharacter; QString typed; QString answer, drawn, refusal; } rows[] = {
        {false, QStringLiteral("0"), QString(QChar(0)), QStringLiteral("\u2400"), {}},
        {false, QStringLiteral("127"), QStringLiteral("\x7F"), QStringLiteral("\u2421"), {}},
        {false, QStringLiteral("1.9"), QStringLiteral("\x01"), QStringLiteral("\u2401"), {}},
        {false, QStringLiteral("65"), QStringLiteral("A"), QStringLiteral("A"), {}},
        {false, QString(), {}, {}, kNumberRefusal},
        {false, QStringLiteral("256"), {}, {}, kNumberRefusal},
        {true, QStringLiteral("B"), QStringLiteral("66"), QStringLiteral("66"), {}},
        {true, QString(), {}, {}, noCharacter},
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
        if (r.refusal.isEmpty()) {
            EXPECT_TRUE(dialogs.shown().isEmpty());
            EXPECT_EQ(tool->Label3[0]->text(), r.answer);
            EXPECT_EQ(tool->Label3[0]->shownText(), r.drawn);
        } else {
            EXPECT_EQ(dialogs.prompts(), QStringList{r.refusal});
            EXPECT_EQ(QApplication::focusWidget(), input);
            EXPECT_EQ(tool->Label3[0]->text(), before);
        }
    }
    // The button answers Enter too; Enter in the input does nothing.
    typeInto(input, QStringLiteral("66"));
    pressEnter();
    EXPECT_EQ(QApplication::focusWidget(), input);
    tool->cmdShow->setFocus();
    pressEnter();
    EXPECT_EQ(tool->Label3[0]->text(), QStringLiteral("B"));

    // Switching modes keeps the answer; into character mode it empties the input and allows one
    // character, back into number mode it keeps the input and allows three.
    QTest::mouseClick(tool->optButton01[1], Qt::LeftButton);
    EXPECT_TRUE(input->text().isEmpty());
    EXPECT_EQ(input->maxLength(), 1);
    EXPECT_EQ(tool->Label3[0]->text(), QStringLiteral("B"));
    input->setFocus();
    QTest::keyClicks(input, QStringLiteral("CD"));
    EXPECT_EQ(input->text(), QStringLiteral("C"));
    QTest::mouseClick(tool->optButton01[0], Qt::LeftButton);
    EXPECT_EQ(input->text(), QStringLiteral("C"));
    EXPECT_EQ(input->maxLength(), 3);
}

TEST_F(ColourToolTest, LoopWalksTheTableByKeyboardAndWrapsAtTheEnd)
{
    QLineEdit* input = tool->txtText01[5];
    typeInto(input, QStringLiteral("10"));
    pressEnter();
    ASSERT_EQ(QApplication::focusWidget(), tool->cmdLoop);
    EXPECT_TRUE(dialogs.shown().isEmpty());

    QString during;
    dialogs.answer(MsgAnswer::Ignore).during([&] { during = tool->Label3[1]->text(); });
    pressEnter();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last(), test::msgBox(QStringLiteral("Choose Abort button to exit from this loop,\r\nChoose Retry "
                                                          "button to move to previous integer or\r\nChoose Ignore button "
                                                          "to move to next integer."),
                                           QStringLiteral("Your choice please"), MsgButtons::AbortRetryIgnore,
                                           MsgIcon::Question, 3));
    EXPECT_EQ(during, QStringLiteral("\n"));
    EXPECT_EQ(input->text(), QStringLiteral("11"));
    EXPECT_EQ(tool->Label3[1]->text(), kPlaceholder);
    EXPECT_EQ(QApplication::focusWidget(), input);  // the answering Enter's release is no key-up of the input

    for (const char* expected : {"10", "9"}) {  // Enter, Enter, Retry: one back each time
        pressEnter();
        EXPECT_EQ(QApplication::focusWidget(), tool->cmdLoop);
        dialogs.answer(MsgAnswer::Retry);
        pressEnter();
        EXPECT_EQ(input->text(), QLatin1String(expected));
        EXPECT_EQ(QApplication::focusWidget(), input);
    }
    // Abort shows the answer, then clears it; the number stays and the focus stays on the button.
    pressEnter();
    dialogs.answer(MsgAnswer::Abort).during([&] { during = tool->Label3[1]->text(); });
    pressEnter();
    EXPECT_EQ(during, QStringLiteral("\t"));
    EXPECT_EQ(input->text(), QStringLiteral("9"));
    EXPECT_EQ(tool->Label3[1]->text(), kPlaceholder);
    EXPECT_EQ(QApplication::focusWidget(), tool->cmdLoop);

    typeInto(input, QStringLiteral("255"));
    pressEnter();
    dialogs.answer(MsgAnswer::Ignore);
    pressEnter();
    EXPECT_EQ(input->text(), QStringLiteral("0"));
    EXPECT_EQ(dialogs.pendingAnswers(), 0);
}

TEST_F(ColourToolTest, TheRealLoopQuestionReadsAbortRetryIgnoreAndEscOrItsCloseBoxAborts)
{
    QLineEdit* input = tool->txtText01[5];
    Dialogs::install(nullptr);
    // Each row: how the real box is answered, and the loop input afterwards.
    const struct {
        const char* how;
        std::function<void(QMessageBox*)> answer;
        const char* input;
    } table[] = {
        {"Enter", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }, "11"},
        {"Esc", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, "11"},
        {"close box", [](QMessageBox* box) { box->close(); }, "11"},
        {"Retry", [](QMessageBox* box) {
             for (QAbstractButton* b : box->buttons())
                 if (b->text().remove(QLatin1Char('&')) == QLatin1String("Retry"))
                     QTest::mouseClick(b, Qt::LeftButton);
         }, "10"},
    };
    typeInto(input, QStringLiteral("10"));
    for (const auto& row : table) {
        SCOPED_TRACE(row.how);
        QStringList leftToRight;
        QString defaultButton;
        bool stillOpen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            QList<QAbstractButton*> buttons = box->buttons();
            std::sort(buttons.begin(), buttons.end(),
                      [](QAbstractButton* a, QAbstractButton* b) { return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x(); });
            for (QAbstractButton* b : buttons)
                leftToRight << b->text().remove(QLatin1Char('&'));
            if (box->defaultButton())
                defaultButton = box->defaultButton()->text().remove(QLatin1Char('&'));
            row.answer(box);
            stillOpen = box->isVisible();
            if (stillOpen)
                box->done(0);
        });
        QTest::mouseClick(tool->cmdLoop, Qt::LeftButton);
        EXPECT_EQ(leftToRight, QStringList({QStringLiteral("Abort"), QStringLiteral("Retry"), QStringLiteral("Ignore")}));
        EXPECT_EQ(defaultButton, QStringLiteral("Ignore"));
        EXPECT_FALSE(stillOpen);
        EXPECT_EQ(input->text(), QLatin1String(row.input));
        EXPECT_EQ(tool->Label3[1]->text(), kPlaceholder);
    }
    Dialogs::install(&dialogs);
}

TEST_F(ColourToolTest, LoopRefusesOutOfRangeInputAndKeepsLongerResultsWhole)
{
    QLineEdit* input = tool->txtText01[5];
    for (const QString& bad : {QStringLiteral("300"), QString()}) {
        typeInto(input, bad);
        pressEnter();
        pressEnter();
        expectNumberRefusal(input, bad);
        EXPECT_EQ(tool->Label3[1]->text(), kPlaceholder);
        EXPECT_EQ(input->text(), bad);
    }
    // "0.5" steps back to "-0.5": the box keeps all four characters, though the user can type only three.
    typeInto(input, QStringLiteral("0.5"));
    pressEnter();
    dialogs.answer(MsgAnswer::Retry);
    pressEnter();
    EXPECT_EQ(input->text(), QStringLiteral("-0.5"));
    input->end(false);
    QTest::keyClicks(input, QStringLiteral("7"));
    EXPECT_EQ(input->text(), QStringLiteral("-0.5"));
    QTest::keyClick(input, Qt::Key_Backspace);
    QTest::keyClicks(input, QStringLiteral("7"));
    EXPECT_EQ(input->text(), QStringLiteral("-0."));
}

}  // namespace
}  // namespace folio
