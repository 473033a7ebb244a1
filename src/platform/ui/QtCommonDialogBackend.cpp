#include "platform/ui/QtCommonDialogBackend.h"

#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>

#include <utility>

namespace folio {

namespace {

QWidget* dialogParent()
{
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

void prepareFileDialog(QFileDialog& dlg, const FileDialogRequest& request)
{
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setOption(QFileDialog::HideNameFilterDetails, true);
    dlg.setWindowTitle(request.title);
    const QStringList filters = qtNameFilters(request.filters);
    if (!filters.isEmpty())
        dlg.setNameFilters(filters);
    if (!request.fileName.isEmpty()) {
        const QFileInfo start(request.fileName);
        if (start.isAbsolute())
            dlg.setDirectory(start.absolutePath());
        dlg.selectFile(start.fileName());
    }
}

// The open dialog adds the default extension to a typed name only when the name as typed
// names no file and the extended one does; Qt's own default suffix would turn "README" into
// "README.txt" before looking.
class OpenFileDialog : public QFileDialog {
public:
    OpenFileDialog(QWidget* parent, QString defaultExt) : QFileDialog(parent), m_defaultExt(std::move(defaultExt)) {}

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (chosen.size() == 1 && !QFileInfo::exists(chosen.constFirst())) {
            const QString extended = CommonDialog::withDefaultExt(chosen.constFirst(), m_defaultExt);
            if (extended != chosen.constFirst() && QFileInfo::exists(extended))
                selectFile(extended);
        }
        QFileDialog::accept();
    }

private:
    QString m_defaultExt;
};

}  // namespace

QStringList qtNameFilters(const QList<FileFilter>& filters)
{
    QStringList result;
    for (const FileFilter& f : filters)
    {
        // "*.*" means every file, as it always has in these filters, also one whose name has
        // no dot (README, Makefile); to Qt it would mean only names with a dot.
        QStringList patterns = f.patterns;
        for (QString& pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        result << f.description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

std::optional<OpenChoice> QtCommonDialogBackend::showOpen(const FileDialogRequest& request)
{
    OpenFileDialog dlg(dialogParent(), request.defaultExt);
    prepareFileDialog(dlg, request);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    auto* readOnly = new QCheckBox(QStringLiteral("Open as &read-only"), &dlg);
    readOnly->setAccessibleName(QStringLiteral("Open as read-only"));
    if (auto* grid = qobject_cast<QGridLayout*>(dlg.layout()))
        grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return OpenChoice{dlg.selectedFiles().constFirst(), readOnly->isChecked()};
}

std::optional<QString> QtCommonDialogBackend::showSave(const FileDialogRequest& request)
{
    QFileDialog dlg(dialogParent());
    prepareFileDialog(dlg, request);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.defaultExt.isEmpty())
        dlg.setDefaultSuffix(request.defaultExt);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return dlg.selectedFiles().constFirst();
}

std::optional<FontChoice> QtCommonDialogBackend::showFont(const QString& title, const FontChoice& initial,
                                                          int minSize, int maxSize)
{
    // The size range is offered, not enforced: Qt's dialog accepts any size typed.
    Q_UNUSED(minSize);
    Q_UNUSED(maxSize);
    // Qt's dialog lists installed families only, so a name that the font substitution
    // resolves (the text boxes' own font is one) would select whatever family comes first:
    // the dialog opens on the family actually shown. It offers whole points only, so 9.75
    // shows as 10. What the user leaves alone therefore comes back exactly as it was given.
    const QFont asked = fonts::withChoice(QFont(initial.name), initial);
    QFont shown = asked;
    shown.setFamily(QFontInfo(asked).family());
    QFontDialog dlg(shown, dialogParent());
    dlg.setOption(QFontDialog::DontUseNativeDialog);
    dlg.setWindowTitle(title);
    const QFont opened = dlg.currentFont();
    bool familyChanged = false;
    bool sizeChanged = false;
    QObject::connect(&dlg, &QFontDialog::currentFontChanged, &dlg, [&](const QFont& f) {
        familyChanged = familyChanged || f.family() != opened.family();
        sizeChanged = sizeChanged || f.pointSize() != opened.pointSize();
    });
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    FontChoice chosen = fonts::choiceOf(dlg.selectedFont());
    if (!familyChanged)
        chosen.name = initial.name;
    if (!sizeChanged)
        chosen.size = initial.size;
    return chosen;
}

std::optional<ColourValue> QtCommonDialogBackend::showColor(const QString& title, ColourValue initial)
{
    const QColor start(redOf(initial), greenOf(initial), blueOf(initial));
    const QColor chosen = QColorDialog::getColor(start, dialogParent(), title, QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return std::nullopt;
    return RGB(chosen.red(), chosen.green(), chosen.blue());
}

}  // namespace folio
