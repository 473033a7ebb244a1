#include "reading/ui/frmAbout.h"

#include "platform/ui/Icons.h"
#include "platform/ui/TextBox.h"
#include "reading/logic/ReadingTexts.h"
#include "shell/ui/frmMdimenuform.h"

namespace folio {

frmAbout::frmAbout(QMdiArea* area) : ReadingForm(area, Kind::About)
{
    setObjectName(QStringLiteral("frmAbout"));
    setCaption(reading::kAboutCaption);
    setWindowIcon(icons::mainWindow());
    txtText01->setAccessibleName(QStringLiteral("About Tagwright Folio"));
    setClientSize(2880, 1590);
}

void frmAbout::Form_Load()
{
    applyLayout();
    txtText01->setText(reading::aboutText());
    Show();
    txtText01->setFocus();
}

QAction* frmAbout::openingEntry() const
{
    auto* main = frmMdimenuform::instance();
    return main ? main->mnuAbout : nullptr;
}

}  // namespace folio
