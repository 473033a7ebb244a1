#include "platform/logic/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace folio {

namespace {
QString& overrideFolder()
{
    static QString folder;
    return folder;
}
}  // namespace

QString programFolder()
{
    QString folder = overrideFolder().isEmpty() ? QCoreApplication::applicationDirPath() : overrideFolder();
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

void setProgramFolderForTesting(const QString& folder)
{
    overrideFolder() = folder;
}

QString helpFilePath()
{
    return programFolder() + QStringLiteral("/tutorial_01.chm");
}

QString helpBookPath()
{
    return programFolder() + QLatin1Char('/') + QLatin1String(kHelpBookName);
}

QString shadesFilePath()
{
    return programFolder() + QStringLiteral("/myshades.csv");
}

QString existingShadesFilePath()
{
    const QString lower = shadesFilePath();
    if (QFileInfo::exists(lower))
        return lower;
    const QString mixed = programFolder() + QStringLiteral("/MyShades.csv");
    if (QFileInfo::exists(mixed))
        return mixed;
    return lower;
}

}  // namespace folio
