#include "shell/ui/frmIntro.h"

#include "platform/logic/Twips.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Icons.h"
#include "platform/ui/ProgramEnd.h"
#include "shell/logic/IntroTexts.h"
#include "shell/ui/frmMdimenuform.h"

#include <folio_version.h>

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace folio {

namespace {
const QColor kLightBlue(0xC0, 0xC0, 0xFF);
const QColor kBrightGreen(0x00, 0xFF, 0x00);
const QColor kDarkGreen(0x00, 0x80, 0x00);
const QColor kOrange(0xFF, 0x80, 0x00);
const QColor kLightYellow(0xFF, 0xFF, 0xC0);

QLabel* makeLabel(QWidget* parent, const QString& text, const QFont& font, const QColor& fore)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, fore);
    label->setPalette(pal);
    return label;
}

// A label never cuts off its own line: where the font stands taller than the place it was
// given, the label grows downwards.
void placeLabel(QLabel* label, double left, double top, double width, double height)
{
    geometry::place(label, left, top, width, height);
    const int lineHeight = label->fontMetrics().height();
    if (label->height() < lineHeight)
        label->resize(label->width(), lineHeight);
}
}  // namespace

frmIntro::frmIntro()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Start up Form"));
    setWindowIcon(icons::mainWindow());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kLightBlue);
    setPalette(pal);
    const double dpi = logicalDpiX();
    setFixedSize(twips::toPixels(7905, dpi), twips::toPixels(6120, dpi));

    Label1 = makeLabel(this, QString::fromLatin1(intro::kProductName), fonts::font(fonts::kDialogFont, 24, true),
                       kBrightGreen);
    placeLabel(Label1, 2040, 0, 3975, 495);

    for (const intro::LabelDef& def : intro::labels()) {
        const bool picked = def.index == 15;
        QLabel* label = makeLabel(this, QString::fromLatin1(def.text),
                                  fonts::font(fonts::kDialogFont, def.points, def.bold), picked ? kOrange : kDarkGreen);
        if (picked) {
            label->setAutoFillBackground(true);
            QPalette lp = label->palette();
            lp.setColor(QPalette::Window, kLightYellow);
            label->setPalette(lp);
        }
        placeLabel(label, def.left, def.top, def.width, def.height);
        Label2[def.index] = label;
    }

    cmdProceed = new QPushButton(QStringLiteral("&Proceed"), this);
    geometry::place(cmdProceed, 2760, 5640, 1215, 375);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    geometry::place(cmdCancel, 4200, 5640, 1215, 375);
    cmdProceed->setAutoDefault(true);
    cmdCancel->setAutoDefault(true);
    setTabOrder(cmdProceed, cmdCancel);
    connect(cmdProceed, &QPushButton::clicked, this, &frmIntro::cmdProceed_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmIntro::cmdCancel_Click);
    cmdProceed->setFocus();
}

void frmIntro::Form_Load()
{
    ProceedChosen = false;
    setWindowTitle(intro::caption(version::major, version::minor, version::revision));
}

void frmIntro::cmdProceed_Click()
{
    ProceedChosen = true;
    close();
}

void frmIntro::cmdCancel_Click()
{
    ProceedChosen = false;
    close();
}

void frmIntro::reject()
{
    cmdCancel_Click();
}

void frmIntro::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    // Accepted here and nothing more: QDialog's own handler would call reject(), which is
    // the Cancel button's command.
    event->accept();
}

void frmIntro::Form_Unload()
{
    if (ProceedChosen) {
        frmMdimenuform* main = frmMdimenuform::load();
        // After this window has gone, each file as if chosen in the open dialog.
        if (!FilesToOpen.isEmpty())
            QTimer::singleShot(0, main, [main, files = FilesToOpen] { main->openFiles(files); });
    } else
        endProgram();
}

}  // namespace folio
