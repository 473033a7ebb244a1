// What a screen reader announces for the controls a user can reach with the keyboard.
#include "support/MainWindowTest.h"

#include <QAccessible>
#include <QMdiSubWindow>
#include <QWidget>

using namespace folio;

namespace {

// Every visible control that takes the keyboard focus (a combo box's edit field included:
// the focus passes to it) with the name a screen reader reads for it; a name that is empty
// or still holds an access-key marker is reported.
QStringList unreadableControls(QWidget* window)
{
    QStringList found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->focusPolicy() == Qt::NoFocus)
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const QString name = a ? a->text(QAccessible::Name) : QString();
        if (name.trimmed().isEmpty() || name.contains(QLatin1Char('&')))
            found << QStringLiteral("%1 %2 '%3'").arg(w->metaObject()->className(), w->objectName(), name);
    }
    return found;
}

class AccessibleNames : public test::MainWindowTest {};

}  // namespace

TEST_F(AccessibleNames, EveryFocusableControlOfADocumentAndTheColourToolHasAReadableName)
{
    main->mnuNewBlank->trigger();
    main->mnuAC->trigger();
    QStringList found;
    for (QMdiSubWindow* w : main->mdiArea()->subWindowList())
        found << unreadableControls(w);
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1String("; ")).toStdString();
}
