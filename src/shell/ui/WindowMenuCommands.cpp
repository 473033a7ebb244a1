// "&Window": arrange the child windows.
#include "shell/ui/frmMdimenuform.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace folio {

void frmMdimenuform::mnuCascade_Click()
{
    m_mdiArea->cascadeSubWindows();
}

void frmMdimenuform::mnuArrange_Click()
{
    // The icons of minimised child windows line up along the bottom of the frame.
    const QRect area = m_mdiArea->viewport()->rect();
    int x = 0;
    int y = area.bottom() + 1;
    const auto windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* w : windows) {
        if (!w->isMinimized())
            continue;
        const QSize s = w->size();
        if (x > 0 && x + s.width() > area.width()) {
            x = 0;
            y -= s.height();
        }
        w->move(x, y - s.height());
        x += s.width();
    }
}

}  // namespace folio
