#pragma once
#include "platform/logic/CommonDialog.h"

namespace folio {

// The dialogs themselves: Qt's file dialog with a read-only check box of our own (the
// program asks its own overwrite question, so the save dialog asks none), Qt's font and
// colour dialogs.
class QtCommonDialogBackend final : public CommonDialogBackend {
public:
    std::optional<OpenChoice> showOpen(const FileDialogRequest& request) override;
    std::optional<QString> showSave(const FileDialogRequest& request) override;
    std::optional<FontChoice> showFont(const QString& title, const FontChoice& initial, int minSize,
                                       int maxSize) override;
    std::optional<ColourValue> showColor(const QString& title, ColourValue initial) override;
};

// "Text files (*.txt)" and "*.txt" become one Qt name filter that shows the description
// as written: "Text files (*.txt) (*.txt)" shown with the details hidden.
QStringList qtNameFilters(const QList<FileFilter>& filters);

}  // namespace folio
