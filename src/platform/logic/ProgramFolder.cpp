#include "platform/logic/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

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
    QString lower = shadesFilePath();
    if (QFileInfo::exists(lower))
        return lower;
    QString mixed = programFolder() + QStringLiteral("/MyShades.csv");
    if (QFileInfo::exists(mixed))
        return mixed;
    return lower;
}

QString userShadesFilePath()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return QString();
    return data + QStringLiteral("/tagwright-folio/MyShades.csv");
}

bool userMayWrite(const QString& path)
{
    // The effective user's rights, as a write will meet them.
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

ShadesFile shadesFile()
{
    const QString inProgram = existingShadesFilePath();
    // A file there is the user's when the user may write it (in place, if not the folder);
    // a missing one, when the user may create it.
    const bool programKeeps = QFileInfo::exists(inProgram) ? userMayWrite(inProgram) : userMayWrite(programFolder());
    const QString own = userShadesFilePath();
    if (programKeeps || own.isEmpty())
        return {inProgram, inProgram, false};
    return {own, QFileInfo::exists(own) ? own : inProgram, true};
}

bool makeUserFolder(const QString& path)
{
    const QString folder = QDir::cleanPath(path);
    if (QFileInfo(folder).isDir())
        return true;
    const QString parent = QFileInfo(folder).path();
    if (parent == folder || !makeUserFolder(parent))
        return false;
    return QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)
        || QFileInfo(folder).isDir();
}

}  // namespace folio
