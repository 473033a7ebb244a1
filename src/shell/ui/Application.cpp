#include "shell/ui/Application.h"

#include "platform/ui/FocusStyle.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Help.h"
#include "platform/ui/Icons.h"
#include "platform/ui/ProgramEnd.h"
#include "shell/ui/frmIntro.h"
#include "shell/ui/frmMdimenuform.h"

#include <QApplication>
#include <QPushButton>
#include <QSettings>

namespace folio {

void prepareApplication(QApplication& app)
{
    app.setApplicationName(QStringLiteral("Tagwright Folio"));
    app.setDesktopFileName(QStringLiteral("tagwright-folio"));
    app.setWindowIcon(icons::mainWindow());
    // The program ends when its main window unloads, not when the intro window closes.
    app.setQuitOnLastWindowClosed(false);
    // The platform's style, with the focus shown on scroll bars and the menu bar.
    QApplication::setStyle(new FocusStyle);
    fonts::installSubstitutions();
    // Every window's standard font is the dialog font at 8 points: the captions of
    // buttons, option buttons and labels were placed for its widths.
    QApplication::setFont(fonts::font(fonts::kDialogFont, 8));
    help::installF1Handler();
    // Nothing is remembered between runs. Qt's file and colour dialogs would keep the folders
    // visited and the custom colours in the user's settings (QtProject.conf) and read them
    // back next time: the user scope of settings points inside a file instead, where nothing
    // can be written nor read.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
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
