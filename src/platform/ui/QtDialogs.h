#pragma once
#include "platform/ui/Dialogs.h"

namespace folio {

// QMessageBox and QInputDialog, parented to the window the user is working in.
class QtDialogs final : public Dialogs {
public:
    MsgAnswer msgBox(const MsgBoxRequest& request) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
};

// The program's texts break lines with CR LF; a label shows a bare LF.
QString displayText(const QString& text);

}  // namespace folio
