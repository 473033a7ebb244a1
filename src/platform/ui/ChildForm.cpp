#include "platform/ui/ChildForm.h"

#include "platform/logic/Twips.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>

namespace folio {

ChildForm::ChildForm(Frame& frame)
    : QMdiSubWindow(nullptr), m_frame(frame), m_area(frame.childArea()), m_client(new QWidget)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(m_client);
    m_client->installEventFilter(this);
    if (m_area)
        m_area->addSubWindow(this);
}

ChildForm::~ChildForm() = default;

double ChildForm::ScaleWidth() const
{
    return twips::fromPixels(m_client->width(), m_client->logicalDpiX());
}

double ChildForm::ScaleHeight() const
{
    return twips::fromPixels(m_client->height(), m_client->logicalDpiY());
}

QSize ChildForm::sizeHint() const
{
    if (isMinimized() || isMaximized())
        return QMdiSubWindow::sizeHint();
    return size();
}

void ChildForm::setClientSize(double w, double h)
{
    m_clientSize = QSize(twips::toPixels(w, m_client->logicalDpiX()), twips::toPixels(h, m_client->logicalDpiY()));
    applyClientSize();
}

void ChildForm::applyClientSize()
{
    if (!m_clientSize.isValid())
        return;
    if (layout())
        layout()->activate();
    // The frame adds its borders and title bar around the client area.
    const QSize frame = isVisible() ? size() - m_client->size()
                                    : QSize(contentsMargins().left() + contentsMargins().right(),
                                            contentsMargins().top() + contentsMargins().bottom());
    resize(m_clientSize + frame);
}

void ChildForm::Show()
{
    show();
    // Shown while another child is maximised, the window comes up maximised too and fills
    // the document area; the size it was given is the size it restores to.
    if (!isMaximized()) {
        applyClientSize();
        // Where the frame's default place would put part of the window outside the document
        // area, it moves back in as far as it can.
        if (m_area) {
            const QRect room = m_area->viewport()->rect();
            QPoint at = pos();
            at.setX(std::max(0, std::min(at.x(), room.width() - width())));
            at.setY(std::max(0, std::min(at.y(), room.height() - height())));
            move(at);
        }
    }
    m_clientSize = QSize();
    if (m_area)
        m_area->setActiveSubWindow(this);
}

bool ChildForm::Unload()
{
    const QPointer<ChildForm> self(this);
    close();
    return !self || self->m_unloaded;
}

void ChildForm::closeEvent(QCloseEvent* event)
{
    if (m_unloaded || m_closing) {
        event->accept();
        return;
    }
    if (!m_queryAnswered) {
        bool cancel = false;
        m_closing = true;
        Form_QueryUnload(cancel);
        m_closing = false;
        if (cancel) {
            event->ignore();
            return;
        }
    }
    m_queryAnswered = false;
    m_unloaded = true;
    Form_Unload();
    event->accept();
    QMdiSubWindow::closeEvent(event);
}

bool ChildForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        Form_Resize();
    return QMdiSubWindow::eventFilter(watched, event);
}

}  // namespace folio
