#include "reading/ui/TutorialForm.h"

#include "platform/logic/RuntimeError.h"
#include "platform/ui/Icons.h"
#include "platform/ui/TextBox.h"
#include "reading/logic/ReadingTexts.h"
#include "shared/ui/Guarded.h"

namespace folio {

TutorialForm::TutorialForm(Frame& frame) : ReadingForm(frame, Kind::Tutorial)
{
    setWindowIcon(icons::document());
    // Fixed border: not sizable by dragging, but it can be minimised, maximised and restored
    // like any child window, and it lays itself out again on each of these.
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setClientSize(8910, 6120);
}

void TutorialForm::Form_Load()
{
    guarded([&] {
        applyLayout();
        setCaption(tutorialCaption());
        FillTutorialText();
        Show();
        txtText01->setFocus();
        txtText01->moveCaret(0, false);
    });
}

frmTuto01::frmTuto01(Frame& frame) : TutorialForm(frame)
{
    setObjectName(QStringLiteral("frmTuto01"));
    txtText01->setAccessibleName(QStringLiteral("Tutorial on HTML tags"));
}

QString frmTuto01::tutorialCaption() const
{
    return reading::kHtmlTutorialCaption;
}
void frmTuto01::FillTutorialText()
{
    txtText01->setText(reading::htmlTutorialText());
}

Frame::Entry frmTuto01::openingEntry() const
{
    return Frame::Entry::Help;
}

frmTuto02::frmTuto02(Frame& frame) : TutorialForm(frame)
{
    setObjectName(QStringLiteral("frmTuto02"));
    txtText01->setAccessibleName(QStringLiteral("Tutorial on Autorun.inf files"));
}

QString frmTuto02::tutorialCaption() const
{
    return reading::kAutorunTutorialCaption;
}
void frmTuto02::FillTutorialText()
{
    txtText01->setText(reading::autorunTutorialText());
}

Frame::Entry frmTuto02::openingEntry() const
{
    return Frame::Entry::AutorunTutorial;
}

}  // namespace folio
