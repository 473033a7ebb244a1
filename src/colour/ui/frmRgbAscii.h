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

    // Controls, in tab order.
    std::array<QPushButton*, 2> cmdHelp{};     // 0 close, 1 help
    std::array<QScrollBar*, 3> HSbar01{};      // red, green, blue
    std::array<QRadioButton*, 2> optButton01{};  // number to character, character to number
    std::array<QLineEdit*, 6> txtText01{};     // 0-2 channel boxes, 3 mixed box, 4 lookup, 5 loop
    QPushButton* cmdShow = nullptr;
    QPushButton* cmdLoop = nullptr;
    std::array<QLabel*, 10> Label2{};
    std::array<AnswerLabel*, 2> Label3{};      // 0 lookup answer, 1 loop answer
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
    void applyChange(const colour::ColourChange& change);

    colour::ColourModel m_model;
    // Keys pressed in each text box since it took the focus: only their release is a key-up
    // of that box, not the release of a key that was pressed on a button or in a message box.
    std::array<QSet<int>, 6> m_keysDown;
};

}  // namespace folio
