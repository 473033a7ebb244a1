#pragma once
// What a child window may ask of the frame window that holds it. The frame hands itself to
// every child window it creates; a child knows the frame only through this interface, so the
// windows depend on the frame's contract and never on the frame window itself.
class QMdiArea;

namespace folio {

class ChildForm;
class CommonDialog;

class Frame {
public:
    // The menu entries that open a child window and that its unload makes available again.
    enum class Entry { Help, AutorunTutorial, ColourTool, MyShades, About };

    // The area the child windows live in.
    virtual QMdiArea* childArea() const = 0;
    // The active child window (it stays the active one while a menu or dialog has the
    // focus), or nullptr when no child window is open.
    virtual ChildForm* ActiveForm() const = 0;
    // The one common dialog behind every open, save, font and colour dialog.
    virtual CommonDialog& commonDialog() = 0;

    // A child window opened by a command has unloaded: the open-window counter goes down,
    // and a menu entry that stays unavailable while that very window is open comes back.
    virtual void windowClosed(const ChildForm& window) = 0;
    virtual void setEntryAvailable(Entry entry, bool available) = 0;
    // The "&HTML Tags" menu.
    virtual void setHtmlMenuEnabled(bool enabled) = 0;
    // The find-panel toggle offers to show the active document's panel when it is hidden
    // and to hide it otherwise.
    virtual void showFindPanelState(bool panelHidden) = 0;

protected:
    ~Frame() = default;
};

}  // namespace folio
