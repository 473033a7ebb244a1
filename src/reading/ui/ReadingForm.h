#pragma once
// The frame shared by the three reading windows (the two tutorials and the About window):
// a read-only text box, a Close button in the tutorials, the layout that follows the
// window's size, and what opening, activating and closing one does to the main window.
#include "platform/ui/ChildForm.h"

class QPushButton;

namespace folio {

class TextBox;

class ReadingForm : public ChildForm {
    Q_OBJECT
public:
    TextBox* txtText01 = nullptr;
    QPushButton* cmdClose = nullptr;  // tutorials only

    TextBox* textBox() const override { return txtText01; }

    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload() override;
    void cmdClose_Click();

protected:
    enum class Kind { Tutorial, About };
    ReadingForm(Frame& frame, Kind kind);

    // Applies the layout steps; a step that fails is skipped and the next one still runs.
    void applyLayout();
    // The menu entry through which the window is opened, made available again on unload.
    virtual Frame::Entry openingEntry() const = 0;

private:
    Kind m_kind;
};

}  // namespace folio
