#include "reading/ui/ReadingForm.h"

#include "platform/logic/RuntimeError.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/TextBox.h"
#include "reading/logic/ReadingLayout.h"
#include "shared/ui/Guarded.h"
#include <QPushButton>

namespace folio {

namespace {
// A failing step leaves its control as it was.
template <class F>
void step(F&& f)
{
    guarded(std::forward<F>(f), anyFailure);
}
}  // namespace

ReadingForm::ReadingForm(Frame& frame, Kind kind) : ChildForm(frame), m_kind(kind)
{
    txtText01 = new TextBox(client());
    txtText01->setObjectName(QStringLiteral("txtText01"));
    txtText01->setLocked(true);
    txtText01->setFont(fonts::font(fonts::kDialogFont, 9.75));
    txtText01->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtText01->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (kind == Kind::Tutorial) {
        QPalette pal = txtText01->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
        pal.setColor(QPalette::Text, pal.color(QPalette::ToolTipText));
        txtText01->setPalette(pal);
        geometry::place(txtText01, 120, 120, 2000, 1455);
        cmdClose = new QPushButton(QStringLiteral("C&lose"), client());
        cmdClose->setObjectName(QStringLiteral("cmdClose"));
        geometry::place(cmdClose, 7920, 120, 855, 375);
        connect(cmdClose, &QPushButton::clicked, this, &ReadingForm::cmdClose_Click);
        QWidget::setTabOrder(txtText01, cmdClose);
    } else {
        geometry::place(txtText01, 120, 120, 2295, 1095);
    }
}

void ReadingForm::applyLayout()
{
    const double w = ScaleWidth();
    const double h = ScaleHeight();
    const reading::ReadingLayout layout = m_kind == Kind::Tutorial ? reading::tutorialLayout(w, h)
                                                                   : reading::aboutLayout(w, h);
    step([&] { geometry::setWidth(txtText01, layout.textWidth); });
    step([&] { geometry::setHeight(txtText01, layout.textHeight); });
    if (cmdClose && layout.closeLeft)
        step([&] { geometry::setLeft(cmdClose, *layout.closeLeft); });
}

void ReadingForm::Form_Resize()
{
    applyLayout();
}

void ReadingForm::Form_Activate()
{
    // No tag command while a reading window is the active child.
    frame().setHtmlMenuEnabled(false);
}

void ReadingForm::Form_Unload()
{
    frame().setEntryAvailable(openingEntry(), true);
    frame().windowClosed(*this);
}

void ReadingForm::cmdClose_Click()
{
    Unload();
}

}  // namespace folio
