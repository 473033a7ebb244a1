#pragma once
// The main frame window: the menu bar, the document area that holds every child window,
// the open-window counter and the one common dialog. It opens the child windows and hands
// each one itself as their Frame; the children know nothing else of it.
#include "platform/logic/CommonDialog.h"
#include "platform/ui/ChildForm.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class QMdiArea;
class QMenu;

namespace folio {

class EditTarget;

// The two lists keep their hand-made layout, one menu's entries to a line.
// clang-format off
// Every menu entry that carries a command, by its control name.
#define FOLIO_MENU_COMMANDS(X)                                                                     \
    X(mnuOef) X(mnuNew) X(mnuNewBlank) X(mnuClose) X(mnuExit)                                      \
    X(mnuCopy) X(mnuCut) X(mnuPaste) X(mnuTabkey) X(mnuDateTime) X(mnuUppercase) X(mnuLowercase)   \
    X(mnuFindOnOff) X(mnuSetFont) X(mnuColour)                                                     \
    X(mnuWarning) X(mnuLineBreak) X(mnuBS) X(mnuHyperlink) X(mnuImage) X(mnuBold) X(mnuUnderline)  \
    X(mnuItalic) X(mnuFont) X(mnuAlignLeft) X(mnuAlignCenter) X(mnuAlignRight) X(mnuAlignTop)      \
    X(mnuAlignMiddle) X(mnuAlignBottom) X(mnuAlignCenterPair) X(mnuListOl) X(mnuListUl)            \
    X(mnuListLi) X(mnuTableBody) X(mnuTableTr) X(mnuTableTd) X(mnuParagraph) X(mnuDivision)        \
    X(mnuCascade) X(mnuArrange)                                                                    \
    X(mnuHelp) X(mnuTutorialHTML) X(mnuTutorialAutorun) X(mnuAC) X(mnuMyShades) X(mnuAbout)

// Entries that open a menu or separate groups.
#define FOLIO_MENU_OTHERS(X)                                                                       \
    X(mnuFile) X(mnuEdit) X(mnuEditDash01) X(mnuEditDash02) X(mnuHtml) X(mnuAlign) X(mnuList)      \
    X(mnuTable) X(mnuWindow) X(mnuApp)
// clang-format on

class frmMdimenuform : public QMainWindow, public Frame {
    Q_OBJECT
public:
    frmMdimenuform();
    ~frmMdimenuform() override;

    // The one main window while it exists, else nullptr.
    static frmMdimenuform* instance();
    // Creates the main window and runs its load: shown, with the About window open inside.
    static frmMdimenuform* load();

    // Child windows opened by the program and not yet unloaded (the counter intOw).
    qint16 openWindowCount() const { return intOw; }

    CommonDialog CommonDialog1;

    // The single-instance child windows while they are open, else nullptr.
    ChildForm* aboutWindow() const { return m_aboutWindow; }
    ChildForm* htmlTutorialWindow() const { return m_htmlTutorialWindow; }
    ChildForm* autorunTutorialWindow() const { return m_autorunTutorialWindow; }
    ChildForm* colourToolWindow() const { return m_colourToolWindow; }

#define FOLIO_DECLARE_ENTRY(name) QAction* name = nullptr;
    FOLIO_MENU_COMMANDS(FOLIO_DECLARE_ENTRY)
    FOLIO_MENU_OTHERS(FOLIO_DECLARE_ENTRY)
#undef FOLIO_DECLARE_ENTRY

    QAction* menuEntry(const QString& name) const
    {
        return m_entries.value(name);
    }
    QMdiArea* mdiArea() const
    {
        return m_mdiArea;
    }

    // What the child windows ask of their frame.
    QMdiArea* childArea() const override
    {
        return m_mdiArea;
    }
    ChildForm* ActiveForm() const override;
    CommonDialog& commonDialog() override
    {
        return CommonDialog1;
    }
    void windowClosed(const ChildForm& window) override;
    void setEntryAvailable(Entry entry, bool available) override;
    void setHtmlMenuEnabled(bool enabled) override;
    void showFindPanelState(bool panelHidden) override;

    // The control that has the focus in the active child, or nullptr.
    QWidget* ActiveControl() const;

    // The active-document rule: the focused control of the active child is a text box,
    // list box or combo box. Never fails; any failure gives false.
    bool HasEditTarget() const;
    // The focused control's selection, when the rule admits it. A window still reading its
    // file takes the rest in first; nullptr when that fails.
    std::unique_ptr<EditTarget> editTarget() const;

    // Files named on the command line or dropped on the document area: each opens in a
    // window of its own as if chosen in "&Open an Existing File".
    void openFiles(const QStringList& paths);

    void MDIForm_Load();
    void MDIForm_QueryUnload(bool& cancel);
    void MDIForm_Unload();

#define FOLIO_DECLARE_HANDLER(name) void name##_Click();
    FOLIO_MENU_COMMANDS(FOLIO_DECLARE_HANDLER)
#undef FOLIO_DECLARE_HANDLER

    // The refusal texts of the active-document rule.
    static const QString kClipboardRefusal;

signals:
    // The main window has unloaded: the program ends.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // A command has opened a child window.
    void windowOpened();

    // Opens the one instance of T, unless it is open already.
    template <class T>
    void openSingleInstance(QPointer<ChildForm>& window)
    {
        if (!window)
            window = ChildForm::load<T>(*this);
    }

    // The steps every "&Application" entry takes: count the window, open it, make the entry
    // unavailable; a failure is reported and the steps done so far stay done.
    void openFromMenu(QAction* entry, const std::function<void()>& open);

    void buildMenus();
    void connectCommands();
    void onSubWindowActivated(QMdiSubWindow* window);
    void rebuildWindowList();

    // Child windows opened by the program and not yet unloaded.
    qint16 intOw = 0;
    // The find-panel toggle's state, which its caption shows: true while it offers to show
    // the active document's panel ("Show Fi&nd Dialogue"), false while it offers to hide it.
    bool m_findToggleShows = false;

    // The single-instance child windows while they are open.
    QPointer<ChildForm> m_aboutWindow;
    QPointer<ChildForm> m_htmlTutorialWindow;
    QPointer<ChildForm> m_autorunTutorialWindow;
    QPointer<ChildForm> m_colourToolWindow;
    // The document window "Open &MyShades.csv" opened, while it is open: the entry is
    // unavailable exactly as long, whatever the window is captioned or saved as.
    QPointer<ChildForm> m_shadesWindow;

    QMdiArea* m_mdiArea = nullptr;
    QHash<QString, QAction*> m_entries;
    QMenu* m_windowMenu = nullptr;
    QList<QAction*> m_windowListActions;
    QPointer<QMdiSubWindow> m_lastActivated;
    bool m_closing = false;
};

}  // namespace folio
