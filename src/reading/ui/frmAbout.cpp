#include "reading/ui/frmAbout.h"

#include "platform/ui/Icons.h"
#include "platform/ui/TextBox.h"
#include "reading/logic/ReadingTexts.h"

namespace folio {

frmAbout::frmAbout(Frame& frame) : ReadingForm(frame, Kind::About)
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

Frame::Entry frmAbout::openingEntry() const
{
    return Frame::Entry::About;
}

}  // namespace folio
