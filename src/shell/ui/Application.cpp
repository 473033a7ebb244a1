#include "shell/ui/Application.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/Help.h"
#include "platform/ui/Icons.h"
#include "platform/ui/ProgramEnd.h"
#include "shell/ui/frmIntro.h"
#include "shell/ui/frmMdimenuform.h"

#include <QApplication>
#include <QPushButton>

namespace folio {

void prepareApplication(QApplication& app)
{
    app.setApplicationName(QStringLiteral("Tagwright Folio"));
    app.setDesktopFileName(QStringLiteral("tagwright-folio"));
    app.setWindowIcon(icons::mainWindow());
    // The program ends when its main window unloads, not when the intro window closes.
    app.setQuitOnLastWindowClosed(false);
    fonts::installSubstitutions();
    // Every window's standard font is the dialog font at 8 points: the captions of
    // buttons, option buttons and labels were placed for its widths.
    QApplication::setFont(fonts::font(fonts::kDialogFont, 8));
    help::installF1Handler();
}

void showIntroWindow(const QStringList& files)
{
    auto* intro = new frmIntro;
    intro->FilesToOpen = files;
    intro->Form_Load();
    intro->show();
    intro->cmdProceed->setFocus();
}

}  // namespace folio
