#include "platform/ui/QtCommonDialogBackend.h"

#include "platform/logic/NativeFileName.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>

#include <utility>

#include <sys/stat.h>

namespace folio {

namespace {

const QString kSeveralFilesText = QStringLiteral(
    "More than one file in this folder is shown as \"%1\": their names hold bytes that are not "
    "UTF-8 text, and this dialog cannot tell them apart.\r\n\r\n"
    "Rename the file you mean in a file manager, or open it by dropping it onto the main window "
    "or by naming it on the command line.");
const QString kNoSuchFileText = QStringLiteral("The file \"%1\" is not found in this folder.");

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
        // The dialog knows names only as Qt shows them.
        const QString start = QFile::decodeName(nativeFileName(request.fileName));
        const qsizetype slash = start.lastIndexOf(QLatin1Char('/'));
        if (slash >= 0)
            dlg.setDirectory(slash == 0 ? QStringLiteral("/") : start.left(slash));
        dlg.selectFile(start.mid(slash + 1));
    }
}

// Qt shows every byte of a name that is not UTF-8 as U+FFFD, so that "caf\xE9.txt" and
// "caf\uFFFD.txt" look alike and Qt itself would use the second for both. A name chosen with
// U+FFFD in it is looked up among the names the folder really holds: one that fits is used
// with all its bytes; when several fit (or, opening, none), the user is told and chooses again.
class ExactNameDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    // The chosen file, every byte of its name kept.
    QString chosen() const { return m_exact.isEmpty() ? selectedFiles().value(0) : m_exact; }

    void accept() override
    {
        m_exact.clear();
        const QStringList chosen = selectedFiles();
        if (chosen.size() != 1 || !chosen.constFirst().contains(QChar(0xFFFD)))
            return acceptShown();
        const ShownFileName name = fileNameFromShown(chosen.constFirst());
        const bool saving = acceptMode() == AcceptSave;
        if (name.matches == 1 || (name.matches == 0 && saving)) {
            struct stat st {};
            if (::stat(nativeFileName(name.path).constData(), &st) == 0 && S_ISDIR(st.st_mode))
                return QFileDialog::accept();  // Qt goes into the folder as far as it can
            m_exact = name.path;
            // Past QFileDialog's own, which would look for the name as it shows it.
            return QDialog::accept();  // NOLINT(bugprone-parent-virtual-call)
        }
        const QString shown = chosen.constFirst().mid(chosen.constFirst().lastIndexOf(QLatin1Char('/')) + 1);
        MsgBox(name.matches == 0 ? kNoSuchFileText.arg(shown) : kSeveralFilesText.arg(shown));
    }

protected:
    // A name as Qt shows it, which is the name itself.
    virtual void acceptShown() { QFileDialog::accept(); }

private:
    QString m_exact;
};

// The open dialog adds the default extension to a typed name only when the name as typed
// names no file and the extended one does; Qt's own default suffix would turn "README" into
// "README.txt" before looking.
class OpenFileDialog : public ExactNameDialog {
public:
    OpenFileDialog(QWidget* parent, QString defaultExt) : ExactNameDialog(parent), m_defaultExt(std::move(defaultExt))
    {
    }

protected:
    void acceptShown() override
    {
        const QStringList chosen = selectedFiles();
        if (chosen.size() == 1 && !fileExists(chosen.constFirst())) {
            const QString extended = CommonDialog::withDefaultExt(chosen.constFirst(), m_defaultExt);
            if (extended != chosen.constFirst() && fileExists(extended))
                selectFile(extended);
        }
        // ExactNameDialog's accept() has run already: it is the one that called this.
        QFileDialog::accept();  // NOLINT(bugprone-parent-virtual-call)
    }

private:
    QString m_defaultExt;
};

}  // namespace

QStringList qtNameFilters(const QList<FileFilter>& filters)
{
    QStringList result;
    for (const FileFilter& f : filters) {
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
    return OpenChoice{dlg.chosen(), readOnly->isChecked()};
}

std::optional<QString> QtCommonDialogBackend::showSave(const FileDialogRequest& request)
{
    ExactNameDialog dlg(dialogParent());
    prepareFileDialog(dlg, request);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.defaultExt.isEmpty())
        dlg.setDefaultSuffix(request.defaultExt);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return dlg.chosen();
}

std::optional<FontChoice> QtCommonDialogBackend::showFont(const QString& title, const FontChoice& initial, int minSize,
                                                          int maxSize)
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
