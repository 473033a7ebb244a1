// The RGB and ASCII tool window: opening and closing through "Colour &Picker", the colour
// bars and their texts, the lookup in both modes and the keyboard walk of the loop.
#include "colour/ui/ToolControls.h"
#include "colour/ui/frmRgbAscii.h"
#include "platform/ui/ProgramEnd.h"
#include "shell/ui/frmMdimenuform.h"
#include "support/ScriptedDialogs.h"
#include "support/WidgetTest.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace folio {
namespace {

using test::ScriptedDialogs;

const QString kPlaceholder = QStringLiteral("Here is the answer !");
const QString kNumberRefusal = QStringLiteral("Please type any valid integer from 0 to 255.");
const QString kCharacterRefusal = QStringLiteral("Please type any valid character.");
const QString kLoopQuestion = QStringLiteral(
    "Choose Abort button to exit from this loop,\r\nChoose Retry button to move to previous integer or\r\n"
    "Choose Ignore button to move to next integer.");

std::string show(const QString& s)
{
    std::string out;
    for (QChar c : s) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            out += char(c.unicode());
        else
            out += "\\u" + QString::number(c.unicode(), 16).rightJustified(4, u'0').toStdString();
    }
    return out;
}

class ColourToolTest : public test::WidgetTest {
protected:
    void SetUp() override
    {
        setEndProgramHandlerForTesting([] {});
        main = frmMdimenuform::load();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
        test::settle();
    }

    void TearDown() override
    {
        if (main) {
            for (QMdiSubWindow* w : main->mdiArea()->subWindowList()) {
                if (auto* form = qobject_cast<ChildForm*>(w)) {
                    form->setQueryAnswered(true);
                    form->close();
                }
            }
            test::settle();
            delete main.data();
        }
        setEndProgramHandlerForTesting(nullptr);
        test::WidgetTest::TearDown();
    }

    frmRgbAscii* openTool()
    {
        main->mnuAC->trigger();
        test::settle();
        return qobject_cast<frmRgbAscii*>(main->colourToolWindow.data());
    }

    // Enter as the keyboard delivers it: the press to the control that has the focus, the
    // release to the one that has it afterwards.
    void pressEnter()
    {
        QWidget* down = QApplication::focusWidget();
        ASSERT_NE(down, nullptr);
        QTest::keyPress(down, Qt::Key_Return);
        QWidget* up = QApplication::focusWidget();
        ASSERT_NE(up, nullptr);
        QTest::keyRelease(up, Qt::Key_Return);
    }

    void typeInto(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    ScriptedDialogs dialogs;
    QPointer<frmMdimenuform> main;
};

ColourValue colourOf(const QLineEdit* box) { return backColor(box); }

TEST_F(ColourToolTest, OpensWhiteWithInitialTextsNumberModeAndMenusSet)
{
    const qint16 before = main->intOw;
    main->mnuHtml->setEnabled(true);
    frmRgbAscii* tool = openTool();
    ASSERT_NE(tool, nullptr);

    EXPECT_EQ(tool->Caption(), QStringLiteral("RGB and ASCII Functions"));
    EXPECT_NEAR(tool->ScaleWidth(), 8910, 15);
    EXPECT_NEAR(tool->ScaleHeight(), 5835, 15);
    // The font and colour commands look for a control named txtText01: there is none here.
    EXPECT_EQ(tool->findChild<QWidget*>(QStringLiteral("txtText01")), nullptr);
    EXPECT_EQ(main->mdiArea()->currentSubWindow(), tool);
    EXPECT_EQ(main->intOw, before + 1);
    EXPECT_FALSE(main->mnuAC->isEnabled());
    EXPECT_FALSE(main->mnuHtml->isEnabled());

    EXPECT_EQ(tool->Label2[2]->text(), QStringLiteral("255, 0, 0  /  # FF 00 00"));
    EXPECT_EQ(tool->Label2[3]->text(), QStringLiteral("0, 255, 0  /  # 00 FF 00"));
    EXPECT_EQ(tool->Label2[4]->text(), QStringLiteral("0, 0, 255  /  # 00 00 FF"));
    EXPECT_EQ(tool->Label2[1]->text(), QStringLiteral("R, G, B values = 255, 255, 255"));
    EXPECT_EQ(tool->Label2[8]->text(), QStringLiteral("HTML values = # FF FF FF"));

    const ColourValue boxes[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(colourOf(tool->txtText01[i]), boxes[i]) << i;
        EXPECT_TRUE(tool->txtText01[i]->isReadOnly() && tool->txtText01[i]->text().isEmpty()) << i;
    }
    for (int i : {4, 5})
        EXPECT_TRUE(tool->txtText01[i]->text().isEmpty() && tool->txtText01[i]->maxLength() == 3) << i;
    EXPECT_TRUE(tool->optButton01[0]->isChecked());
    EXPECT_EQ(tool->Label3[0]->text(), kPlaceholder);
    EXPECT_EQ(tool->Label3[1]->text(), kPlaceholder);

    // Each activation disables the tag menu again.
    main->mdiArea()->setActiveSubWindow(main->aboutWindow);
    main->mnuHtml->setEnabled(true);
    main->mdiArea()->setActiveSubWindow(tool);
    EXPECT_FALSE(main->mnuHtml->isEnabled());
}

TEST_F(ColourToolTest, MovingGreenTo128RewritesItsBoxAndTheMixedTexts)
{
    frmRgbAscii* tool = openTool();
    ASSERT_NE(tool, nullptr);
    tool->HSbar01[1]->setValue(128);

    EXPECT_EQ(colourOf(tool->txtText01[1]), RGB(0, 128, 0));
    EXPECT_EQ(colourOf(tool->txtText01[3]), RGB(255, 128, 255));
    EXPECT_EQ(tool->Label2[3]->text(), QStringLiteral("0, 128 , 0  /  # 00 80 00"));
    EXPECT_EQ(tool->Label2[1]->text(), QStringLiteral("R,G,B values = 255 , 128 , 255"));
    EXPECT_EQ(tool->Label2[8]->text(), QStringLiteral("HTML values =  # FF 80 FF"));
    // The other channels keep the texts the load set.
    EXPECT_EQ(tool->Label2[2]->text(), QStringLiteral("255, 0, 0  /  # FF 00 00"));
    EXPECT_EQ(tool->Label2[4]->text(), QStringLiteral("0, 0, 255  /  # 00 00 FF"));

    tool->HSbar01[0]->setValue(0);
    EXPECT_EQ(tool->Label2[2]->text(), QStringLiteral("0, 0, 0  /  # 00 00 00"));
    EXPECT_EQ(colourOf(tool->txtText01[0]), RGB(0, 0, 0));
    EXPECT_EQ(tool->Label2[3]->text(), QStringLiteral("0, 128 , 0  /  # 00 80 00"));
    EXPECT_EQ(tool->Label2[1]->text(), QStringLiteral("R,G,B values = 0 , 128 , 255"));
    EXPECT_EQ(tool->Label2[8]->text(), QStringLiteral("HTML values =  # 00 80 FF"));
}

TEST_F(ColourToolTest, BoxesFollowTheThumbWhileDraggedAndTheStepsAreOneAndTwenty)
{
    frmRgbAscii* tool = openTool();
    ASSERT_NE(tool, nullptr);
    QScrollBar* blue = tool->HSbar01[2];

    blue->setSliderDown(true);
    for (int pos : {200, 100, 16}) {
        blue->setSliderPosition(pos);
        EXPECT_EQ(colourOf(tool->txtText01[2]), RGB(0, 0, pos));
        EXPECT_EQ(colourOf(tool->txtText01[3]), RGB(255, 255, pos));
    }
    blue->setSliderDown(false);
    EXPECT_EQ(blue->value(), 16);
    EXPECT_EQ(tool->Label2[4]->text(), QStringLiteral("0, 0, 16  /  # 00 00 10"));

    blue->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(tool->Label2[4]->text(), QStringLiteral("0, 0, 17  /  # 00 00 11"));
    blue->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(tool->Label2[4]->text(), QStringLiteral("0, 0, 37  /  # 00 00 25"));

    // The keyboard moves a focused bar as it is drawn: left and page up toward 0.
    blue->setFocus();
    const struct {
        Qt::Key key;
        int value;
    } keys[] = {{Qt::Key_Left, 36}, {Qt::Key_Right, 37}, {Qt::Key_PageUp, 17}, {Qt::Key_PageDown, 37},
                {Qt::Key_Home, 0}, {Qt::Key_End, 255}};
    for (const auto& k : keys) {
        QTest::keyClick(blue, k.key);
        EXPECT_EQ(blue->value(), k.value) << k.key;
        EXPECT_EQ(colourOf(tool->txtText01[2]), RGB(0, 0, k.value)) << k.key;
    }
}

TEST_F(ColourToolTest, ClosingRestoresTheMenuAndCounterAndReopeningStartsAfresh)
{
    const qint16 before = main->intOw;
    frmRgbAscii* tool = openTool();
    ASSERT_NE(tool, nullptr);
    tool->HSbar01[1]->setValue(10);
    tool->optButton01[1]->setChecked(true);
    tool->txtText01[4]->setText(QStringLiteral("x"));
    tool->txtText01[5]->setText(QStringLiteral("42"));

    QTest::mouseClick(tool->cmdHelp[0], Qt::LeftButton);
    test::settle();
    EXPECT_TRUE(main->mnuAC->isEnabled());
    EXPECT_EQ(main->intOw, before);
    EXPECT_TRUE(main->colourToolWindow.isNull());

    tool = openTool();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(main->intOw, before + 1);
    EXPECT_EQ(colourOf(tool->txtText01[1]), RGB(0, 255, 0));
    EXPECT_EQ(colourOf(tool->txtText01[3]), RGB(255, 255, 255));
    EXPECT_EQ(tool->Label2[3]->text(), QStringLiteral("0, 255, 0  /  # 00 FF 00"));
    EXPECT_TRUE(tool->optButton01[0]->isChecked());
    EXPECT_TRUE(tool->txtText01[4]->text().isEmpty() && tool->txtText01[5]->text().isEmpty());

    // The frame's own close does the same as "&C&lose".
    tool->close();
    test::settle();
    EXPECT_TRUE(main->mnuAC->isEnabled());
    EXPECT_EQ(main->intOw, before);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(ColourToolTest, HelpShowsItsTextWordForWordAndChangesNothing)
{
    frmRgbAscii* tool = openTool();
    ASSERT_NE(tool, nullptr);
    const QString crlf = QStringLiteral("\r\n");
    const QString expected =
        QStringLiteral("Colour Picker -- ") + crlf
        + QStringLiteral("You can move the indicator on any one of the scroll bars and see how the shades of colour "
                         "change. ")
        + QStringLiteral("You can see corresponding values of RGB() colour function also, beside respective colour "
                         "boxes. ")
        + crlf + crlf
        + QStringLiteral("You can save the values and names of your favourite colour shades in a text file or a CSV "
                         "database file, for reference & ready retrieval during editing. ")
        + QStringLiteral("A sample file MyShades.csv is provided with the distribution set. The data fields in "
                         "sequence are -- Your choice name, R value, G value, B value, HTML value, HTML name of "
                         "colour")
        + crlf + crlf + crlf + QStringLiteral("ASCII Concept -- ") + crlf
        + QStringLiteral("Choose any one option button and do the needful, to know more about elements of the ASCII "
                         "concept. In case of continuous loop, follow the instructions on screen.");

    tool->cmdHelp[1]->setFocus();
    pressEnter();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, expected);
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Tagwright Folio"));
    EXPECT_EQ(dialogs.last().buttons, MsgButtons::OkOnly);
    EXPECT_EQ(dialogs.last().icon, MsgIcon::None);
    EXPECT_EQ(main->colourToolWindow.data(), tool);
    EXPECT_EQ(tool->Label2[1]->text(), QStringLiteral("R, G, B values = 255, 255, 255"));
}

TEST_F(ColourToolTest, NumberLookupShowsTheCharacterOrRefusesWithFocusBack)
{
    frmRgbAscii* tool = openTool();
    ASSERT_NE(tool, nullptr);
    QLineEdit* input = tool->txtText01[4];

    struct Case {
        QString input;
        QString answer;
        QString drawn;
    };
    const Case accepted[] = {
        {QStringLiteral("65"), QStringLiteral("A"), QStringLiteral("A")},
        {QStringLiteral("0"), QString(QChar(u'\0')), QString(QChar(u'\u2400'))},
        {QStringLiteral("255"), QString(QChar(u'\u00FF')), QString(QChar(u'\u00FF'))},
        {QStringLiteral("128"), QString(QChar(u'\u20AC')), QString(QChar(u'\u20AC'))},
        {QStringLiteral("1.9"), QString(QChar(u'\x01')), QString(QChar(u'\u2401'))},
        {QStringLiteral("1e2"), QStringLiteral("d"), QStringLiteral("d")},
        {QStringLiteral("-.5"), QString(QChar(u'\0')), QString(QChar(u'\u2400'))},
        {QStringLiteral("127"), QString(QChar(u'\x7F')), QString(QChar(u'\u2421'))},
        {QStringLiteral("60"), QStringLiteral("<"), QStringLiteral("<")},
    };
    for (const Case& c : accepted) {
        typeInto(input, c.input);
        QTest::mouseClick(tool->cmdShow, Qt::LeftButton);
        EXPECT_EQ(show(tool->Label3[0]->text()), show(c.answer)) << c.input.toStdString();
        EXPECT_EQ(show(tool->Label3[0]->shownText()), show(c.drawn)) << c.input.toStdString();
        EXPECT_EQ(input->text(), c.input);
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());

    typeInto(input, QStringLiteral("65"));
    QTest::mouseClick(tool->cmdShow, Qt::LeftButton);
    for (const QString& bad : {QString(), QStringLiteral("abc"), QStringLiteral("256"), QStringLiteral("-1")}) {
        dialogs.clear();
        typeInto(input, bad);
        tool->cmdShow->setFocus();
        pressEnter();
        ASSERT_EQ(dialogs.shown().size(), 1) << bad.toStdString();
        EXPECT_EQ(dialogs.last().prompt, kNumberRefusal);
        EXPECT_EQ(dialogs.last().buttons, MsgButtons::OkOnly);
        EXPECT_EQ(QApplication::focusWidget(), input) << bad.toStdString();
        EXPECT_EQ(tool->Label3[0]->text(), QStringLiteral("A"));
    }

    // Enter in the lookup input does nothing.
    dialogs.clear();
    typeInto(input, QStringLiteral("66"));
    pressEnter();
    EXPECT_EQ(QApplication::focusWidget(), input);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(tool->Label3[0]->text(), QStringLiteral("A"));
}

TEST_F(ColourToolTest, CharacterModeGivesCodesAndSwitchingBackKeepsTheCharacter)
{
    frmRgbAscii* tool = openTool();
    ASSERT_NE(tool, nullptr);
    QLineEdit* input = tool->txtText01[4];
    typeInto(input, QStringLiteral("65"));
    QTest::mouseClick(tool->cmdShow, Qt::LeftButton);

    QTest::mouseClick(tool->optButton01[1], Qt::LeftButton);
    EXPECT_TRUE(tool->optButton01[1]->isChecked());
    EXPECT_TRUE(input->text().isEmpty());
    EXPECT_EQ(input->maxLength(), 1);
    EXPECT_EQ(tool->Label3[0]->text(), QStringLiteral("A"));

    input->setFocus();
    QTest::keyClicks(input, QStringLiteral("BC"));
    EXPECT_EQ(input->text(), QStringLiteral("B"));
    QTest::mouseClick(tool->cmdShow, Qt::LeftButton);
    EXPECT_EQ(tool->Label3[0]->text(), QStringLiteral("66"));

    input->setText(QString(QChar(u'\u20AC')));
    QTest::mouseClick(tool->cmdShow, Qt::LeftButton);
    EXPECT_EQ(tool->Label3[0]->text(), QStringLiteral("128"));
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // Empty, and a character the code page cannot hold, are both refused.
    for (const QString& bad : {QString(), QString(QChar(u'\u03A9'))}) {
        dialogs.clear();
        input->setText(bad);
        tool->cmdShow->setFocus();
        QTest::mouseClick(tool->cmdShow, Qt::LeftButton);
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.last().prompt, kCharacterRefusal);
        EXPECT_EQ(QApplication::focusWidget(), input);
        EXPECT_EQ(tool->Label3[0]->text(), QStringLiteral("128"));
    }

    dialogs.clear();
    input->setText(QStringLiteral("x"));
    QTest::mouseClick(tool->optButton01[0], Qt::LeftButton);
    EXPECT_EQ(input->text(), QStringLiteral("x"));
    EXPECT_EQ(input->maxLength(), 3);
    QTest::mouseClick(tool->cmdShow, Qt::LeftButton);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, kNumberRefusal);
    EXPECT_EQ(tool->Label3[0]->text(), QStringLiteral("128"));
}

TEST_F(ColourToolTest, LoopWalksTheTableByKeyboardAndWrapsAtBothEnds)
{
    frmRgbAscii* tool = openTool();
    ASSERT_NE(tool, nullptr);
    QLineEdit* input = tool->txtText01[5];

    typeInto(input, QStringLiteral("10"));
    pressEnter();
    ASSERT_EQ(QApplication::focusWidget(), tool->cmdLoop);
    EXPECT_TRUE(dialogs.shown().isEmpty());

    QString answerDuringQuestion;
    dialogs.answer(MsgAnswer::Ignore).during([&] { answerDuringQuestion = tool->Label3[1]->text(); });
    pressEnter();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, kLoopQuestion);
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Your choice please"));
    EXPECT_EQ(dialogs.last().buttons, MsgButtons::AbortRetryIgnore);
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Question);
    EXPECT_EQ(dialogs.last().defaultButton, 3);
    EXPECT_EQ(answerDuringQuestion, QStringLiteral("\n"));
    EXPECT_EQ(input->text(), QStringLiteral("11"));
    EXPECT_EQ(tool->Label3[1]->text(), kPlaceholder);
    // The release of the Enter that answered is no key-up of the input: the focus stays.
    EXPECT_EQ(QApplication::focusWidget(), input);

    // Enter, Enter, answer: Retry goes back, twice.
    for (const char* expected : {"10", "9"}) {
        pressEnter();
        EXPECT_EQ(QApplication::focusWidget(), tool->cmdLoop);
        dialogs.answer(MsgAnswer::Retry);
        pressEnter();
        EXPECT_EQ(input->text(), QLatin1String(expected));
        EXPECT_EQ(QApplication::focusWidget(), input);
    }

    // Abort shows the answer, then clears it; the number stays and the focus stays on the button.
    pressEnter();
    dialogs.answer(MsgAnswer::Abort).during([&] { answerDuringQuestion = tool->Label3[1]->text(); });
    pressEnter();
    EXPECT_EQ(answerDuringQuestion, QStringLiteral("\t"));
    EXPECT_EQ(input->text(), QStringLiteral("9"));
    EXPECT_EQ(tool->Label3[1]->text(), kPlaceholder);
    EXPECT_EQ(QApplication::focusWidget(), tool->cmdLoop);

    struct Wrap {
        const char* from;
        MsgAnswer choice;
        const char* to;
    };
    for (const Wrap& w : {Wrap{"0", MsgAnswer::Retry, "255"}, Wrap{"255", MsgAnswer::Ignore, "0"},
                          Wrap{"1.5", MsgAnswer::Ignore, "2.5"}}) {
        typeInto(input, QLatin1String(w.from));
        pressEnter();
        dialogs.answer(w.choice);
        pressEnter();
        EXPECT_EQ(input->text(), QLatin1String(w.to)) << w.from;
    }
    // From 2.5 the next step shows the character with code 2.
    pressEnter();
    dialogs.answer(MsgAnswer::Abort).during([&] { answerDuringQuestion = tool->Label3[1]->text(); });
    pressEnter();
    EXPECT_EQ(answerDuringQuestion, QString(QChar(u'\x02')));
    EXPECT_EQ(dialogs.pendingAnswers(), 0);
}

TEST_F(ColourToolTest, LoopRefusesOutOfRangeInputAndKeepsLongerResultsWhole)
{
    frmRgbAscii* tool = openTool();
    ASSERT_NE(tool, nullptr);
    QLineEdit* input = tool->txtText01[5];

    for (const QString& bad : {QStringLiteral("300"), QStringLiteral("abc"), QString()}) {
        dialogs.clear();
        typeInto(input, bad);
        pressEnter();
        pressEnter();
        ASSERT_EQ(dialogs.shown().size(), 1) << bad.toStdString();
        EXPECT_EQ(dialogs.last().prompt, kNumberRefusal);
        EXPECT_EQ(dialogs.last().buttons, MsgButtons::OkOnly);
        EXPECT_EQ(QApplication::focusWidget(), input);
        EXPECT_EQ(tool->Label3[1]->text(), kPlaceholder);
        EXPECT_EQ(input->text(), bad);
    }

    // "0.5" steps back to "-0.5": the box keeps all four characters, though the user can type
    // only three.
    dialogs.clear();
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
