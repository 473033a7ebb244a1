#include "shell/ui/frmMdimenuform.h"

#include "platform/logic/ProgramFolder.h"
#include "platform/logic/Twips.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/EditTarget.h"
#include "platform/ui/FileDrop.h"
#include "platform/ui/Help.h"
#include "platform/ui/Icons.h"
#include "platform/ui/MenuAccessible.h"
#include "platform/ui/ProgramEnd.h"
#include "platform/ui/QtCommonDialogBackend.h"
#include "reading/ui/frmAbout.h"
#include "shell/logic/MenuTable.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace folio {

namespace {
QPointer<frmMdimenuform> g_instance;

QtCommonDialogBackend& qtBackend()
{
    static QtCommonDialogBackend backend;
    return backend;
}
}  // namespace

const QString frmMdimenuform::kClipboardRefusal = QStringLiteral(
    "The copy, cut and paste activities are not allowed for this instance !");

frmMdimenuform::frmMdimenuform() : CommonDialog1(&qtBackend())
{
    g_instance = this;
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tagwright Folio :  "));
    setWindowIcon(icons::mainWindow());
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setBackground(palette().brush(QPalette::Dark));
    m_mdiArea->setAccessibleName(QStringLiteral("Document area"));
    // Child windows are placed at their own sizes and may reach past the frame's edges;
    // scroll bars keep every part of them reachable.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    // Files dropped from a file manager open as if chosen in the open dialog.
    fileDrop::acceptFiles(m_mdiArea->viewport(), [this](const QStringList& paths) { openFiles(paths); });
    // A caption that marks two access keys is read out without either marker.
    menuAccess::install();
    buildMenus();
    connectCommands();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &frmMdimenuform::onSubWindowActivated);

    // Client area 8880 x 6600 twips below the menu bar.
    const double dpi = logicalDpiX();
    resize(twips::toPixels(8880, dpi), twips::toPixels(6600, dpi) + menuBar()->sizeHint().height());
}

frmMdimenuform::~frmMdimenuform()
{
    // The base class closes the child windows that are left, and the area reports
    // activations as they go, when this window is no longer whole.
    disconnect(m_mdiArea, nullptr, this, nullptr);
}

frmMdimenuform* frmMdimenuform::instance()
{
    return g_instance.data();
}

frmMdimenuform* frmMdimenuform::load()
{
    auto* form = new frmMdimenuform;
    form->MDIForm_Load();
    return form;
}

void frmMdimenuform::buildMenus()
{
    // The table lists every entry in order; the member of each entry is found by its name.
    QHash<QString, QAction**> members;
#define FOLIO_MEMBER(name) members.insert(QStringLiteral(#name), &(name));
    FOLIO_MENU_COMMANDS(FOLIO_MEMBER)
    FOLIO_MENU_OTHERS(FOLIO_MEMBER)
#undef FOLIO_MEMBER

    const auto table = menuTable();
    QList<QMenu*> parents;  // parents[level] is the menu that takes entries of depth level + 1
    for (std::size_t i = 0; i < table.size(); ++i) {
        const MenuEntryDef& e = table[i];
        const QString name = QString::fromLatin1(e.name);
        const QString caption = QString::fromLatin1(e.caption);
        const bool opensMenu = i + 1 < table.size() && table[i + 1].level > e.level;
        QAction* action = nullptr;
        parents.resize(e.level);
        if (opensMenu) {
            QMenu* menu = e.level == 0 ? menuBar()->addMenu(caption) : parents.last()->addMenu(caption);
            menu->setObjectName(name);
            action = menu->menuAction();
            parents.append(menu);
        } else if (folio::isSeparator(e)) {
            action = parents.last()->addSeparator();
        } else {
            action = parents.last()->addAction(caption);
        }
        action->setObjectName(name);
        m_entries.insert(name, action);
        if (QAction** member = members.value(name))
            *member = action;
        if (name == QLatin1String("mnuWindow"))
            m_windowMenu = action->menu();
    }
    // "&Window" lists the open child windows below its own entries.
    connect(m_windowMenu, &QMenu::aboutToShow, this, &frmMdimenuform::rebuildWindowList);
}

void frmMdimenuform::connectCommands()
{
#define FOLIO_CONNECT(name) connect(name, &QAction::triggered, this, &frmMdimenuform::name##_Click);
    FOLIO_MENU_COMMANDS(FOLIO_CONNECT)
#undef FOLIO_CONNECT
}

void frmMdimenuform::rebuildWindowList()
{
    for (QAction* a : std::as_const(m_windowListActions)) {
        m_windowMenu->removeAction(a);
        a->deleteLater();
    }
    m_windowListActions.clear();
    const auto windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_windowListActions << m_windowMenu->addSeparator();
    QMdiSubWindow* active = m_mdiArea->currentSubWindow();
    int number = 0;
    for (QMdiSubWindow* w : windows) {
        ++number;
        const QString title = w->windowTitle();
        QString text = number < 10 ? QStringLiteral("&%1 ").arg(number) : QStringLiteral("%1 ").arg(number);
        text += QString(title).replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* a = m_windowMenu->addAction(text);
        a->setCheckable(true);
        a->setChecked(w == active);
        const QPointer<QMdiSubWindow> target(w);
        connect(a, &QAction::triggered, this, [this, target] {
            if (target)
                m_mdiArea->setActiveSubWindow(target);
        });
        m_windowListActions << a;
    }
}

ChildForm* frmMdimenuform::ActiveForm() const
{
    return qobject_cast<ChildForm*>(m_mdiArea->currentSubWindow());
}

void frmMdimenuform::windowOpened()
{
    ++intOw;
}

void frmMdimenuform::windowClosed(const ChildForm& window)
{
    --intOw;
    // The window "Open &MyShades.csv" opened gives the entry back, under whatever name it was
    // saved; another window showing the same file does not.
    if (m_shadesWindow == &window) {
        m_shadesWindow.clear();
        mnuMyShades->setEnabled(true);
    }
}

void frmMdimenuform::setEntryAvailable(Entry entry, bool available)
{
    QAction* action = nullptr;
    switch (entry) {
    case Entry::Help: action = mnuHelp; break;
    case Entry::AutorunTutorial: action = mnuTutorialAutorun; break;
    case Entry::ColourTool: action = mnuAC; break;
    case Entry::MyShades: action = mnuMyShades; break;
    case Entry::About: action = mnuAbout; break;
    }
    if (action)
        action->setEnabled(available);
}

void frmMdimenuform::setHtmlMenuEnabled(bool enabled)
{
    mnuHtml->setEnabled(enabled);
}

void frmMdimenuform::showFindPanelState(bool panelHidden)
{
    m_findToggleShows = panelHidden;
    mnuFindOnOff->setText(QString::fromLatin1(m_findToggleShows ? kShowFindCaption : kHideFindCaption));
}

QWidget* frmMdimenuform::ActiveControl() const
{
    ChildForm* form = ActiveForm();
    return form ? form->ActiveControl() : nullptr;
}

bool frmMdimenuform::HasEditTarget() const
{
    return EditTarget::isTextEntry(ActiveControl());
}

std::unique_ptr<EditTarget> frmMdimenuform::editTarget() const
{
    if (!HasEditTarget())
        return nullptr;
    // The text commands act on the whole text, also of a file still being read.
    if (ChildForm* form = ActiveForm(); form && !form->finishLoading())
        return nullptr;
    return EditTarget::of(ActiveControl());
}

void frmMdimenuform::onSubWindowActivated(QMdiSubWindow* window)
{
    // Qt reports a null activation whenever the whole program loses the focus and the same
    // window again when it comes back; only a change of the active child is an activation.
    if (!window || window == m_lastActivated)
        return;
    m_lastActivated = window;
    if (auto* form = qobject_cast<ChildForm*>(window); form && !form->isUnloaded())
        form->Form_Activate();
}

void frmMdimenuform::MDIForm_Load()
{
    setWindowTitle(QStringLiteral("Tagwright Folio :  "));
    intOw = 0;
    help::setHelpFile(helpFilePath());
    help::setHelpBook(helpBookPath());
    mnuTutorialHTML->setVisible(false);
    // Opened maximised: the child windows are about as large as the frame's own client area
    // and would otherwise stand partly outside it from the first one on.
    showMaximized();
    openSingleInstance<frmAbout>(m_aboutWindow);
    windowOpened();
    mnuAbout->setEnabled(false);
}

void frmMdimenuform::MDIForm_QueryUnload(bool& cancel)
{
    if (intOw == 0)
        return;
    const MsgAnswer a = MsgBox(
        QStringLiteral("Some modules are still open. Do you really wnat to quit this application ?"), MsgButtons::YesNo,
        MsgIcon::Question, 2, QStringLiteral("Please confirm"));
    if (a != MsgAnswer::Yes)
        cancel = true;
}

void frmMdimenuform::MDIForm_Unload()
{
    emit unloaded();
    endProgram();
}

void frmMdimenuform::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->ignore();
        return;
    }
    m_closing = true;
    bool cancel = false;
    MDIForm_QueryUnload(cancel);
    // Then each child in turn; any of them may cancel the whole closing.
    const auto windows = m_mdiArea->subWindowList(QMdiArea::StackingOrder);
    QList<QPointer<ChildForm>> forms;
    for (QMdiSubWindow* w : windows) {
        if (cancel)
            break;
        auto* form = qobject_cast<ChildForm*>(w);
        if (!form || form->isUnloaded())
            continue;
        form->Form_QueryUnload(cancel);
        forms << form;
    }
    if (cancel) {
        m_closing = false;
        event->ignore();
        return;
    }
    for (const QPointer<ChildForm>& form : std::as_const(forms)) {
        if (!form)
            continue;
        form->setQueryAnswered(true);
        form->close();
    }
    MDIForm_Unload();
    event->accept();
}

}  // namespace folio
