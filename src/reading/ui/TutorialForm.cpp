#include "reading/ui/TutorialForm.h"

#include "platform/logic/RuntimeError.h"
#include "platform/ui/Icons.h"
#include "platform/ui/TextBox.h"
#include "reading/logic/ReadingTexts.h"
#include "shell/ui/basModu001.h"
#include "shell/ui/frmMdimenuform.h"

namespace folio {

TutorialForm::TutorialForm(QMdiArea* area) : ReadingForm(area, Kind::Tutorial)
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
    try {
        applyLayout();
        setCaption(tutorialCaption());
        FillTutorialText();
        Show();
        txtText01->setFocus();
        txtText01->moveCursor(QTextCursor::Start);
    } catch (const RuntimeError& e) {
        basModu001::ReportError(e);
    }
}

frmTuto01::frmTuto01(QMdiArea* area) : TutorialForm(area)
{
    setObjectName(QStringLiteral("frmTuto01"));
    txtText01->setAccessibleName(QStringLiteral("Tutorial on HTML tags"));
}

QString frmTuto01::tutorialCaption() const { return reading::kHtmlTutorialCaption; }
void frmTuto01::FillTutorialText() { txtText01->setText(reading::htmlTutorialText()); }

QAction* frmTuto01::openingEntry() const
{
    auto* main = frmMdimenuform::instance();
    return main ? main->mnuHelp : nullptr;
}

frmTuto02::frmTuto02(QMdiArea* area) : TutorialForm(area)
{
    setObjectName(QStringLiteral("frmTuto02"));
    txtText01->setAccessibleName(QStringLiteral("Tutorial on Autorun.inf files"));
}

QString frmTuto02::tutorialCaption() const { return reading::kAutorunTutorialCaption; }
void frmTuto02::FillTutorialText() { txtText01->setText(reading::autorunTutorialText()); }

QAction* frmTuto02::openingEntry() const
{
    auto* main = frmMdimenuform::instance();
    return main ? main->mnuTutorialAutorun : nullptr;
}

}  // namespace folio
