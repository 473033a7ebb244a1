#include "platform/logic/CommonDialog.h"

#include "platform/logic/NativeFileName.h"
#include "platform/logic/RuntimeError.h"

namespace folio {

QList<FileFilter> parseFilterString(const QString& filter)
{
    QList<FileFilter> result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter f;
        f.description = parts.at(i);
        for (const QString& p : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (!pattern.isEmpty())
                f.patterns << pattern;
        }
        result << f;
    }
    return result;
}

QString CommonDialog::withDefaultExt(const QString& path, const QString& defaultExt)
{
    if (path.isEmpty() || defaultExt.isEmpty())
        return path;
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || name.contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + defaultExt;
}

FileDialogRequest CommonDialog::fileRequest() const
{
    return FileDialogRequest{DialogTitle, FileName, parseFilterString(Filter), DefaultExt};
}

CommonDialogBackend& CommonDialog::backendOrThrow() const
{
    if (!m_backend)
        throw RuntimeError::noObject();
    return *m_backend;
}

void CommonDialog::cancelled()
{
    if (CancelError)
        throw RuntimeError::cancelled();
}

void CommonDialog::ShowOpen()
{
    const auto choice = backendOrThrow().showOpen(fileRequest());
    if (!choice) {
        FileName.clear();
        cancelled();
        return;
    }
    QString path = choice->path;
    // An open dialog adds the default extension only when the name as typed does not exist.
    if (!fileExists(path)) {
        const QString extended = withDefaultExt(path, DefaultExt);
        if (fileExists(extended))
            path = extended;
    }
    FileName = path;
    Flags = choice->readOnlyTicked ? ReadOnlyFlag : 0;
}

void CommonDialog::ShowSave()
{
    const auto choice = backendOrThrow().showSave(fileRequest());
    if (!choice) {
        FileName.clear();
        cancelled();
        return;
    }
    FileName = withDefaultExt(*choice, DefaultExt);
}

void CommonDialog::ShowFont()
{
    const auto choice = backendOrThrow().showFont(DialogTitle, font(), Min, Max);
    if (!choice) {
        cancelled();
        return;
    }
    setFont(*choice);
}

void CommonDialog::ShowColor()
{
    const auto choice = backendOrThrow().showColor(DialogTitle, Color);
    if (!choice) {
        cancelled();
        return;
    }
    Color = *choice;
}

}  // namespace folio
