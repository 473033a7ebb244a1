#pragma once
// The "RGB and ASCII Functions" tool window: a colour picker above the line (three bars,
// a box per channel, the mixed box and their texts) and the ASCII tool below it (a lookup
// between codes and characters, and a loop that walks the code table by keyboard).
#include "colour/logic/ColourModel.h"
#include "platform/ui/ChildForm.h"

#include <QSet>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace folio {

class AnswerLabel;
class LineControl;

class frmRgbAscii : public ChildForm {
    Q_OBJECT
public:
    explicit frmRgbAscii(Frame& frame);

    // The elements of txtText01: a box per channel, in channel order, the mixed colour's
    // box, the lookup's input and the loop's input.
    enum Box : int { RedBox, GreenBox, BlueBox, MixedBox, LookupInput, LoopInput, BoxCount };
    // The elements of Label2.
    enum Label : int {
        ColourHeading,  // "RGB()  colour change function  :--"
        MixedText,      // the mixed colour's R,G,B values
        RedText,        // each channel's values, decimal and HTML, in channel order
        GreenText,
        BlueText,
        AsciiHeading,      // "ASCII  Concept  :--"
        LoopHeading,       // "Continuous  Loop  :--"
        LoopInstructions,  // how to use the loop
        HtmlText,          // the mixed colour's HTML value
        ChannelHeading,    // "R,G,B values / HTML values", over the channel texts
        LabelCount
    };
    // The elements of Label3.
    enum Answer : int { LookupAnswer, LoopAnswer, AnswerCount };

    // Controls, in tab order.
    std::array<QPushButton*, 2> cmdHelp{};       // 0 close, 1 help
    std::array<QScrollBar*, 3> HSbar01{};        // red, green, blue
    std::array<QRadioButton*, 2> optButton01{};  // number to character, character to number
    std::array<QLineEdit*, BoxCount> txtText01{};
    QPushButton* cmdShow = nullptr;
    QPushButton* cmdLoop = nullptr;
    std::array<QLabel*, LabelCount> Label2{};
    std::array<AnswerLabel*, AnswerCount> Label3{};
    QLabel* Label1 = nullptr;
    LineControl* Line1 = nullptr;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

    void cmdHelp_Click(int index);
    void HSbar01_Change(int index);
    void HSbar01_Scroll(int index);
    void optButton01_Click(int index);
    void cmdShow_Click();
    void cmdLoop_Click();
    // keyCode as the window's key codes (13 for Enter, see keyCodeOf); shift: 1 Shift, 2 Ctrl, 4 Alt.
    void txtText01_KeyUp(int index, int keyCode, int shift);

    // The hexadecimal pair of each channel as of its latest change.
    const std::array<QString, 3>& strHex() const { return m_model.strHex(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildButtonsAndBars();
    void buildAsciiControls();
    void buildColourBoxes();
    void buildLabels();
    void nameControls();
    void setTabOrderAndKeys();
    void connectHandlers();
    void applyChange(const colour::ColourChange& change);
    // Gives the answer now shown in Label3(index) to `button`, which brought it and has the
    // focus, as its accessible description (none for the placeholder).
    void describeAnswer(QPushButton* button, int index);

    colour::ColourModel m_model;
    // Keys pressed in each text box since it took the focus: only their release is a key-up
    // of that box, not the release of a key that was pressed on a button or in a message box.
    std::array<QSet<int>, BoxCount> m_keysDown;
};

}  // namespace folio
