#include "colour/ui/frmRgbAscii.h"

#include "colour/logic/AsciiRules.h"
#include "colour/logic/ToolHelp.h"
#include "colour/ui/ToolControls.h"
#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Geometry.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <exception>
#include <optional>

namespace folio {

namespace {

constexpr int kLoopInputMaxLength = 3;

// The window's key code of a Qt key: Enter is 13, letters and digits their upper-case
// character code; keys the window has no use for give 0.
int keyCodeOf(const QKeyEvent* event)
{
    const int key = event->key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F16)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
    }
}

int shiftStateOf(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

std::optional<QAbstractSlider::SliderAction> barActionOfKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up: return QAbstractSlider::SliderSingleStepSub;
    case Qt::Key_Right:
    case Qt::Key_Down: return QAbstractSlider::SliderSingleStepAdd;
    case Qt::Key_PageUp: return QAbstractSlider::SliderPageStepSub;
    case Qt::Key_PageDown: return QAbstractSlider::SliderPageStepAdd;
    case Qt::Key_Home: return QAbstractSlider::SliderToMinimum;
    case Qt::Key_End: return QAbstractSlider::SliderToMaximum;
    default: return std::nullopt;
    }
}

QLabel* makeLabel(const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The headings: the dialog font, 12 point, bold, in green.
void makeHeading(QLabel* label)
{
    label->setFont(fonts::font(fonts::kDialogFont, 12, true));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, toQColor(RGB(0, 255, 0)));
    label->setPalette(pal);
}

// The maximum length limits typing only. A longer text the program writes is kept whole:
// the box's limit widens to hold it and narrows again once the text fits the limit.
void writeLimitedText(QLineEdit* box, const QString& text, int limit)
{
    if (text.size() > limit)
        box->setMaxLength(int(text.size()));
    box->setText(text);
    if (text.size() <= limit)
        box->setMaxLength(limit);
}

}  // namespace

frmRgbAscii::frmRgbAscii(Frame& frame) : ChildForm(frame)
{
    setObjectName(QStringLiteral("frmRgbAscii"));
    setCaption(QStringLiteral("RGB and ASCII Functions"));
    buildControls();
    setClientSize(8910, 5835);
}

void frmRgbAscii::buildControls()
{
    // Created in tab order, then named, ordered and connected.
    buildButtonsAndBars();
    buildAsciiControls();
    buildColourBoxes();
    buildLabels();
    nameControls();
    setTabOrderAndKeys();
    connectHandlers();
}

// The Close and Help buttons and the three colour bars.
void frmRgbAscii::buildButtonsAndBars()
{
    QWidget* c = client();
    cmdHelp[0] = new QPushButton(QStringLiteral("&C&lose"), c);
    cmdHelp[1] = new QPushButton(QStringLiteral("He&lp"), c);
    // The caption carries two access-key markers; a screen reader would otherwise read the
    // second one as an ampersand inside the word.
    cmdHelp[0]->setAccessibleName(QStringLiteral("Close"));
    geometry::place(cmdHelp[0], 7200, 120, 735, 375);
    geometry::place(cmdHelp[1], 8040, 120, 735, 375);

    static const char* const barNamesShown[] = {"Red", "Green", "Blue"};
    for (int i = 0; i < 3; ++i) {
        auto* bar = new QScrollBar(Qt::Horizontal, c);
        bar->setRange(0, 255);
        bar->setSingleStep(1);
        bar->setPageStep(20);
        // Change comes when the thumb is released (or on an arrow, the track, a key);
        // Scroll reports every position while the thumb is dragged.
        bar->setTracking(false);
        bar->setFocusPolicy(Qt::StrongFocus);
        bar->setAccessibleName(QLatin1String(barNamesShown[i]));
        bar->installEventFilter(this);
        geometry::place(bar, 6000, 1200 + 480 * i, 2655, 375);
        HSbar01[i] = bar;
    }
}

// The ASCII tool: the lookup's two directions, its input and button; the loop's input and
// button.
void frmRgbAscii::buildAsciiControls()
{
    QWidget* c = client();
    optButton01[0] = new QRadioButton(
        QStringLiteral("  Enter any number from 0 to 255 and get corresponding ASCII character"), c);
    optButton01[1] = new QRadioButton(
        QStringLiteral("  Enter any character from keyboard and get corresponding ASCII number"), c);
    geometry::place(optButton01[0], 360, 4320, 5535, 195);
    geometry::place(optButton01[1], 360, 4560, 5535, 195);
    // The captions are longer than the place designed for them in this font: the buttons
    // grow to the right, where nothing else stands, rather than cut their last words. They
    // also grow down to the height of their round indicator, which the style may draw a
    // pixel taller than the place designed (at 200 % scale the cut-off edge shows plainly);
    // the gap to the next button stays.
    for (QRadioButton* option : optButton01) {
        const int indicator = option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, option);
        option->resize(std::max(option->width(), option->sizeHint().width()), std::max(option->height(), indicator));
    }

    txtText01[LookupInput] = new QLineEdit(c);
    geometry::place(txtText01[LookupInput], 720, 5040, 1215, 285);
    cmdShow = new QPushButton(QStringLiteral("&Show  answer"), c);
    geometry::place(cmdShow, 2160, 5040, 1455, 375);
    txtText01[LoopInput] = new QLineEdit(c);
    geometry::place(txtText01[LoopInput], 6120, 5040, 1215, 285);
    cmdLoop = new QPushButton(QStringLiteral("S&how"), c);
    geometry::place(cmdLoop, 7680, 5040, 975, 375);
    for (int i : {LookupInput, LoopInput})
        txtText01[i]->setMaxLength(3);
    txtText01[LookupInput]->setAccessibleName(QStringLiteral("Lookup input"));
    txtText01[LoopInput]->setAccessibleName(QStringLiteral("Loop input"));
}

// The read-only box of each channel and the box of the mixed colour.
void frmRgbAscii::buildColourBoxes()
{
    QWidget* c = client();
    static const char* const boxNamesShown[] = {"Red colour", "Green colour", "Blue colour", "Mixed colour"};
    for (int i = RedBox; i <= MixedBox; ++i) {
        auto* box = new QLineEdit(c);
        box->setReadOnly(true);
        box->setAccessibleName(QLatin1String(boxNamesShown[i]));
        txtText01[i] = box;
    }
    geometry::place(txtText01[RedBox], 360, 1200, 2895, 375);
    geometry::place(txtText01[GreenBox], 360, 1680, 2895, 375);
    geometry::place(txtText01[BlueBox], 360, 2160, 2895, 375);
    geometry::place(txtText01[MixedBox], 3000, 2640, 2895, 375);
}

// The labels and answers, the headings and the line between the two halves.
void frmRgbAscii::buildLabels()
{
    QWidget* c = client();
    Label2[ColourHeading] = makeLabel(QStringLiteral("RGB()  colour change function  :--"), c);
    geometry::place(Label2[ColourHeading], 360, 720, 2775, 255);
    Label2[MixedText] = makeLabel(QStringLiteral("R,G,B  values  =  "), c);
    geometry::place(Label2[MixedText], 1920, 3120, 2775, 255);
    Label2[RedText] = makeLabel(QStringLiteral("R,G,B values = 0, 0, 0  "), c);
    geometry::place(Label2[RedText], 3480, 1320, 2295, 255);
    Label2[GreenText] = makeLabel(QStringLiteral("R,G,B values =  0, 0, 0"), c);
    geometry::place(Label2[GreenText], 3480, 1800, 2295, 255);
    Label2[BlueText] = makeLabel(QStringLiteral("R,G,B values =  0, 0, 0"), c);
    geometry::place(Label2[BlueText], 3480, 2280, 2295, 255);
    Label3[LookupAnswer] = new AnswerLabel(ascii::kAnswerPlaceholder.toString(), c);
    geometry::place(Label3[LookupAnswer], 3960, 5040, 1455, 255);
    Label2[AsciiHeading] = makeLabel(QStringLiteral("ASCII  Concept  :--"), c);
    geometry::place(Label2[AsciiHeading], 360, 3840, 2775, 375);
    Label3[LoopAnswer] = new AnswerLabel(ascii::kAnswerPlaceholder.toString(), c);
    geometry::place(Label3[LoopAnswer], 6240, 5445, 1455, 255);
    Label2[LoopHeading] = makeLabel(QStringLiteral("Continuous  Loop  :--"), c);
    geometry::place(Label2[LoopHeading], 6120, 3840, 2535, 375);
    QLabel* instructions = makeLabel(QStringLiteral("Enter any integer from 0 to 255 and hit return key to get "
                                                    "answer and move to previous or next intger."),
                                     c);
    Label2[LoopInstructions] = instructions;
    instructions->setWordWrap(true);
    instructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Three lines fit above the loop input only in a slightly smaller face.
    QFont instructionsFont = instructions->font();
    instructionsFont.setPointSizeF(instructionsFont.pointSizeF() * 0.9);
    instructions->setFont(instructionsFont);
    geometry::place(instructions, 6120, 4320, 2535, 615);
    Label2[HtmlText] = makeLabel(QStringLiteral("HTML values  =  "), c);
    geometry::place(Label2[HtmlText], 5040, 3120, 2775, 255);
    Label2[ChannelHeading] = makeLabel(QStringLiteral("R,G,B values / HTML values"), c);
    geometry::place(Label2[ChannelHeading], 3480, 840, 2295, 255);
    Label1 = makeLabel(QStringLiteral("COLOUR   PICKER"), c);
    geometry::place(Label1, 3480, 150, 2535, 255);
    for (QLabel* heading : {Label1, Label2[AsciiHeading], Label2[LoopHeading]})
        makeHeading(heading);
    for (QLabel* label : Label2)
        label->setAlignment(label->alignment() | Qt::AlignTop);

    Line1 = new LineControl(120, 3600, 8760, 3600, RGB(255, 192, 192), c);
}

// Each control's name: an element of a control array is named by the array and its index
// ("txtText01_4").
void frmRgbAscii::nameControls()
{
    const auto nameArray = [](const auto& controls, QLatin1StringView array) {
        for (std::size_t i = 0; i < controls.size(); ++i)
            controls[i]->setObjectName(QStringLiteral("%1_%2").arg(array).arg(i));
    };
    nameArray(cmdHelp, QLatin1StringView("cmdHelp"));
    nameArray(HSbar01, QLatin1StringView("HSbar01"));
    nameArray(optButton01, QLatin1StringView("optButton01"));
    nameArray(txtText01, QLatin1StringView("txtText01"));
    nameArray(Label2, QLatin1StringView("Label2"));
    nameArray(Label3, QLatin1StringView("Label3"));
    cmdShow->setObjectName(QStringLiteral("cmdShow"));
    cmdLoop->setObjectName(QStringLiteral("cmdLoop"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Line1->setObjectName(QStringLiteral("Line1"));
}

// The tab order, and the keys the window handles itself: key-ups in the text boxes, Enter
// on a focused button.
void frmRgbAscii::setTabOrderAndKeys()
{
    // Tab order as the controls are listed above.
    const QList<QWidget*> order = {cmdHelp[0],
                                   cmdHelp[1],
                                   HSbar01[0],
                                   HSbar01[1],
                                   HSbar01[2],
                                   optButton01[0],
                                   optButton01[1],
                                   txtText01[LookupInput],
                                   cmdShow,
                                   txtText01[LoopInput],
                                   cmdLoop,
                                   txtText01[RedBox],
                                   txtText01[GreenBox],
                                   txtText01[BlueBox],
                                   txtText01[MixedBox]};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    for (QLineEdit* box : txtText01)
        box->installEventFilter(this);
    for (QPushButton* button : {cmdHelp[0], cmdHelp[1], cmdShow, cmdLoop})
        button->installEventFilter(this);
}

void frmRgbAscii::connectHandlers()
{
    for (int i = 0; i < 2; ++i) {
        connect(cmdHelp[i], &QPushButton::clicked, this, [this, i] { cmdHelp_Click(i); });
        connect(optButton01[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                optButton01_Click(i);
        });
    }
    for (int i = 0; i < 3; ++i) {
        connect(HSbar01[i], &QScrollBar::valueChanged, this, [this, i] { HSbar01_Change(i); });
        connect(HSbar01[i], &QScrollBar::sliderMoved, this, [this, i] { HSbar01_Scroll(i); });
    }
    connect(cmdShow, &QPushButton::clicked, this, &frmRgbAscii::cmdShow_Click);
    connect(cmdLoop, &QPushButton::clicked, this, &frmRgbAscii::cmdLoop_Click);
    // Only a text the user makes short enough brings the loop input back to its own limit.
    connect(txtText01[LoopInput], &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.size() <= kLoopInputMaxLength)
            txtText01[LoopInput]->setMaxLength(kLoopInputMaxLength);
    });
}

void frmRgbAscii::Form_Load()
{
    for (QScrollBar* bar : HSbar01)
        bar->setValue(255);

    Label2[RedText]->setText(colour::kInitialRedText.toString());
    Label2[GreenText]->setText(colour::kInitialGreenText.toString());
    Label2[BlueText]->setText(colour::kInitialBlueText.toString());
    Label2[MixedText]->setText(colour::kInitialMixedText.toString());
    Label2[HtmlText]->setText(colour::kInitialHtmlText.toString());

    optButton01[0]->setChecked(true);

    Show();
    // The window opens with the focus on its first control, as every form does.
    if (!client()->focusWidget())
        cmdHelp[0]->setFocus();
}

void frmRgbAscii::Form_Activate()
{
    frame().setHtmlMenuEnabled(false);
}

void frmRgbAscii::Form_Unload()
{
    frame().setEntryAvailable(Frame::Entry::ColourTool, true);
    frame().windowClosed(*this);
}

void frmRgbAscii::cmdHelp_Click(int index)
{
    if (index == 1)
        MsgBox(colour::colourToolHelpText());
    else
        Unload();
}

void frmRgbAscii::HSbar01_Change(int index)
{
    if (index < 0 || index > 2)
        return;
    // The thumb's position: while it is dragged it is ahead of the bar's value.
    const colour::BarValues bars{HSbar01[0]->sliderPosition(), HSbar01[1]->sliderPosition(),
                                 HSbar01[2]->sliderPosition()};
    if (const auto change = m_model.change(index, bars))
        applyChange(*change);
}

void frmRgbAscii::HSbar01_Scroll(int index)
{
    HSbar01_Change(index);
}

void frmRgbAscii::applyChange(const colour::ColourChange& change)
{
    setBackColor(txtText01[RedBox + change.channel], change.channelBox);
    Label2[RedText + change.channel]->setText(change.channelText);
    setBackColor(txtText01[MixedBox], change.mixedBox);
    Label2[MixedText]->setText(change.mixedText);
    Label2[HtmlText]->setText(change.htmlText);
}

void frmRgbAscii::describeAnswer(QPushButton* button, int index)
{
    // A screen reader speaks a change of the focused control's description; the answer's
    // label never has the focus, and a label's change goes unspoken.
    const AnswerLabel* answer = Label3[index];
    const QString text = answer->text() == ascii::kAnswerPlaceholder ? QString() : answer->spokenText();
    // The same answer again is a new answer, and is said again.
    if (!text.isEmpty() && button->accessibleDescription() == text)
        describe(button, QString());
    describe(button, text);
}

void frmRgbAscii::optButton01_Click(int index)
{
    QLineEdit* input = txtText01[LookupInput];
    if (index == 0) {
        input->setMaxLength(ascii::kNumberInputMaxLength);
    } else if (index == 1) {
        input->clear();
        input->setMaxLength(ascii::kCharacterInputMaxLength);
    }
}

void frmRgbAscii::cmdShow_Click()
{
    try {
        const ascii::LookupMode mode = optButton01[0]->isChecked() ? ascii::LookupMode::NumberToCharacter
                                                                   : ascii::LookupMode::CharacterToNumber;
        const ascii::ToolAnswer result = ascii::lookupAnswer(mode, txtText01[LookupInput]->text());
        if (!result.accepted()) {
            MsgBox(result.refusal);
            txtText01[LookupInput]->setFocus();
            return;
        }
        Label3[LookupAnswer]->setText(result.answer);
        describeAnswer(cmdShow, LookupAnswer);
    } catch (const std::exception&) {
        MsgBox(ascii::kFailureMessage.toString());
    }
}

void frmRgbAscii::cmdLoop_Click()
{
    try {
        QLineEdit* input = txtText01[LoopInput];
        const ascii::ToolAnswer result = ascii::loopAnswer(input->text());
        if (!result.accepted()) {
            MsgBox(result.refusal);
            input->setFocus();
            return;
        }
        Label3[LoopAnswer]->setText(result.answer);
        describeAnswer(cmdLoop, LoopAnswer);

        const MsgAnswer choice = MsgBox(ascii::kLoopQuestion.toString(), MsgButtons::AbortRetryIgnore,
                                        MsgIcon::Question, 3, ascii::kLoopQuestionTitle.toString());
        if (choice != MsgAnswer::Retry && choice != MsgAnswer::Ignore) {
            Label3[LoopAnswer]->setText(ascii::kAnswerPlaceholder.toString());
            describeAnswer(cmdLoop, LoopAnswer);
            return;
        }
        const auto direction = choice == MsgAnswer::Retry ? ascii::LoopDirection::Previous : ascii::LoopDirection::Next;
        const std::optional<QString> stepped = ascii::loopStepText(input->text(), direction);
        if (!stepped)
            throw RuntimeError(6, QStringLiteral("Overflow"));
        writeLimitedText(input, *stepped, kLoopInputMaxLength);
        Label3[LoopAnswer]->setText(ascii::kAnswerPlaceholder.toString());
        describeAnswer(cmdLoop, LoopAnswer);
        input->setFocus();
    } catch (const std::exception&) {
        MsgBox(ascii::kFailureMessage.toString());
    }
}

void frmRgbAscii::txtText01_KeyUp(int index, int keyCode, int shift)
{
    Q_UNUSED(shift);
    if (index == LoopInput && keyCode == 13)
        cmdLoop->setFocus();
}

bool frmRgbAscii::eventFilter(QObject* watched, QEvent* event)
{
    const auto box = std::find(txtText01.begin(), txtText01.end(), watched);
    if (box != txtText01.end()) {
        const auto index = int(box - txtText01.begin());
        if (event->type() == QEvent::FocusIn) {
            m_keysDown[index].clear();
        } else if (event->type() == QEvent::KeyPress) {
            m_keysDown[index].insert(static_cast<QKeyEvent*>(event)->key());
        } else if (event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat() && m_keysDown[index].remove(key->key()))
                txtText01_KeyUp(index, keyCodeOf(key), shiftStateOf(key->modifiers()));
        }
    } else if (auto* bar = qobject_cast<QScrollBar*>(watched); bar && event->type() == QEvent::KeyPress) {
        // Qt's scroll bars swap the arrow keys (they invert their controls for the wheel);
        // here Left and Up go toward 0, Right and Down toward 255, as the bar is drawn.
        if (const auto action = barActionOfKey(static_cast<QKeyEvent*>(event)->key())) {
            bar->triggerAction(*action);
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        // Enter on a focused command button presses it.
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !key->isAutoRepeat()) {
            button->click();
            return true;
        }
    }
    return ChildForm::eventFilter(watched, event);
}

}  // namespace folio
