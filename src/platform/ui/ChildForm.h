#pragma once
// A child window of the main frame, with the events the program's windows are written
// against: Form_Load (run by load()), Form_Activate (each time it becomes the active
// child), Form_Resize (its client area changed size), Form_QueryUnload (before it closes,
// may cancel) and Form_Unload (when the closing goes ahead). The window talks to the frame
// that holds it through the Frame it was created for.
#include "platform/ui/Frame.h"

#include <QMdiSubWindow>
#include <QPointer>

#include <QMdiArea>

namespace folio {

class TextBox;

class ChildForm : public QMdiSubWindow {
    Q_OBJECT
public:
    // Creates the window inside the frame's child area; it is shown and activated by
    // Show(), which a window's Form_Load calls.
    explicit ChildForm(Frame& frame);
    ~ChildForm() override;

    // Creates a window of type T, runs its Form_Load and returns it.
    template <class T, class... Args>
    static T* load(Frame& frame, Args&&... args)
    {
        auto* form = new T(frame, std::forward<Args>(args)...);
        form->Form_Load();
        return form;
    }

    // The client area, on which the window's controls are placed in twips.
    QWidget* client() const { return m_client; }

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }

    // Client area size in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;
    // Sizes the window so that its client area has this size in twips.
    void setClientSize(double widthTwips, double heightTwips);

    // Shows the window inside the frame and makes it the active child.
    void Show();

    // Asks the window to close: Form_QueryUnload may cancel, else Form_Unload runs and the
    // window is gone. Returns whether it closed.
    bool Unload();

    // The main window's closing has already asked this window's Form_QueryUnload.
    void setQueryAnswered(bool answered) { m_queryAnswered = answered; }

    // What the main window's Edit commands reach in the window, each nullptr where the window
    // has none: the text box txtText01, whose font and background colour "Set &Font" and
    // "Set C&olour" change, and the find panel fraFrame01, which the find-panel toggle hides
    // and shows.
    virtual TextBox* textBox() const { return nullptr; }
    virtual QWidget* findPanel() const { return nullptr; }
    // A window whose text is still being read takes the rest of it in now, waiting at most
    // for the rest of the reading; the commands that read or change a window's text call it
    // first, so that they act on the whole text. False when the rest could not be read: the
    // window then holds no text, says so and goes, and the command does nothing.
    virtual bool finishLoading() { return true; }
    // The control that has the focus in the window (it keeps it while a menu or a dialog of
    // the main window has the focus), or nullptr.
    QWidget* ActiveControl() const { return focusWidget(); }

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(bool& cancel) { Q_UNUSED(cancel); }
    virtual void Form_Unload() {}

    bool isUnloaded() const { return m_unloaded; }

    // The size the window has: the frame's cascade places every window at this size, since
    // the controls of the client area are placed by the program and ask for no size.
    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMdiArea* area() const { return m_area; }
    // The frame window that holds this one; it outlives its child windows.
    Frame& frame() const { return m_frame; }

private:
    void applyClientSize();

    Frame& m_frame;
    QPointer<QMdiArea> m_area;
    QSize m_clientSize;
    QWidget* m_client;
    bool m_queryAnswered = false;
    bool m_unloaded = false;
    bool m_closing = false;
};

}  // namespace folio
