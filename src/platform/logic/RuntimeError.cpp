#include "platform/logic/RuntimeError.h"

#include "platform/logic/NativeFileName.h"

#include <cerrno>
#include <sys/stat.h>

namespace folio {

namespace {

// The folder `path` names its file in is there.
bool folderExists(const QString& path)
{
    const QByteArray native = nativeFileName(path);
    const qsizetype slash = native.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : native.left(slash);
    struct stat st {};
    return ::stat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

RuntimeError::RuntimeError(int number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source))
{
    m_what = QStringLiteral("Error %1: %2 (%3)").arg(m_number).arg(m_description, m_source).toUtf8();
}

QString RuntimeError::programSource()
{
    return QStringLiteral("TagwrightFolio");
}

QString RuntimeError::standardDescription(int number)
{
    switch (number) {
    case err::OutOfMemory: return QStringLiteral("Out of memory");
    case err::BadFileNameOrNumber: return QStringLiteral("Bad file name or number");
    case err::FileNotFound: return QStringLiteral("File not found");
    case err::DeviceIO: return QStringLiteral("Device I/O error");
    case err::DiskFull: return QStringLiteral("Disk full");
    case err::PermissionDenied: return QStringLiteral("Permission denied");
    case err::PathFileAccess: return QStringLiteral("Path/File access error");
    case err::PathNotFound: return QStringLiteral("Path not found");
    case err::ObjectNotSet: return QStringLiteral("Object variable or With block variable not set");
    case err::NotSupported: return QStringLiteral("Object doesn't support this property or method");
    case err::CancelError: return QStringLiteral("Cancel was selected.");
    default: return QString();
    }
}

RuntimeError RuntimeError::fromNumber(int number)
{
    return RuntimeError(number, standardDescription(number));
}

RuntimeError RuntimeError::cancelled()
{
    return fromNumber(err::CancelError);
}
RuntimeError RuntimeError::noObject()
{
    return fromNumber(err::ObjectNotSet);
}
RuntimeError RuntimeError::notSupported()
{
    return fromNumber(err::NotSupported);
}
RuntimeError RuntimeError::outOfMemory()
{
    return fromNumber(err::OutOfMemory);
}

RuntimeError RuntimeError::fromErrno(int e, const QString& path)
{
    switch (e) {
    case ENOENT:
        if (!path.isEmpty() && !folderExists(path))
            return fromNumber(err::PathNotFound);
        return fromNumber(err::FileNotFound);
    case ENOTDIR: return fromNumber(err::PathNotFound);
    case EACCES:
    case EPERM: return fromNumber(err::PermissionDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return fromNumber(err::DiskFull);
    case EIO: return fromNumber(err::DeviceIO);
    default: return fromNumber(err::PathFileAccess);  // EISDIR, EROFS, ENAMETOOLONG, ...
    }
}

}  // namespace folio
