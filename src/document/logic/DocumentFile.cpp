#include "document/logic/DocumentFile.h"

#include "document/logic/DocumentFormat.h"
#include "platform/logic/CodePage.h"
#include "platform/logic/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace folio {

namespace {

// Closes a POSIX file descriptor when leaving the scope.
class FdGuard {
public:
    explicit FdGuard(int fd) : m_fd(fd) {}
    ~FdGuard() { if (m_fd >= 0) ::close(m_fd); }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
private:
    int m_fd;
};

[[noreturn]] void throwErrno(int e, const QString& path, int numberWithoutErrno)
{
    if (e == 0)
        throw RuntimeError::fromNumber(numberWithoutErrno);
    throw RuntimeError::fromErrno(e, path);
}

// The folder a path names its file in ("." for a bare name).
QByteArray parentFolder(const QByteArray& nativePath)
{
    const qsizetype slash = nativePath.lastIndexOf('/');
    if (slash < 0)
        return ".";
    if (slash == 0)
        return "/";
    return nativePath.left(slash);
}

// Checks what can be known before writing, so that each case gets its own number instead of
// whatever the temporary file's creation happens to report.
void checkWritableTarget(const QString& path, const QByteArray& native)
{
    struct stat st {};
    if (::stat(native.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            throw RuntimeError::fromNumber(err::PathFileAccess);
        if (::access(native.constData(), W_OK) != 0)
            throwErrno(errno, path, err::PermissionDenied);
        return;
    }
    const int statErrno = errno;
    if (statErrno == ENOTDIR)
        throw RuntimeError::fromNumber(err::PathNotFound);
    if (statErrno != ENOENT)
        throwErrno(statErrno, path, err::PathFileAccess);

    // The file is missing (or a symbolic link points nowhere): its folder must exist and
    // take a new file.
    const QByteArray folder = parentFolder(native);
    struct stat dirSt {};
    if (::stat(folder.constData(), &dirSt) != 0 || !S_ISDIR(dirSt.st_mode))
        throw RuntimeError::fromNumber(err::PathNotFound);
    if (::access(folder.constData(), W_OK | X_OK) != 0)
        throwErrno(errno, path, err::PermissionDenied);
}

}  // namespace

QByteArray readFileBytes(const QString& path)
{
    if (path.isEmpty())
        throw RuntimeError::fromNumber(err::FileNotFound);
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throwErrno(errno, path, err::PathFileAccess);
    FdGuard guard(fd);

    struct stat st {};
    if (::fstat(fd, &st) != 0)
        throwErrno(errno, path, err::DeviceIO);
    if (S_ISDIR(st.st_mode))
        throw RuntimeError::fromNumber(err::PathFileAccess);

    // Read the size the file reports in one go; keep reading until the end in case it is
    // larger than reported (a special file, or a file still growing).
    QByteArray bytes;
    qsizetype capacity = S_ISREG(st.st_mode) && st.st_size > 0 ? qsizetype(st.st_size) : 64 * 1024;
    bytes.resize(capacity);
    qsizetype filled = 0;
    for (;;) {
        if (filled == capacity) {
            capacity = capacity + capacity / 2 + 64 * 1024;
            bytes.resize(capacity);
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(capacity - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throwErrno(errno, path, err::DeviceIO);
        }
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    return bytes;
}

QString readDocument(const QString& path)
{
    return docformat::textFromFileBytes(readFileBytes(path));
}

namespace {

// Writes the pieces `next` hands out (an empty piece ends them) with the guarantees of
// writeFileBytes(). A piece stays valid until the next call. When `next` returns false the
// write is given up, nothing is left behind, and this returns false.
bool writeAtomically(const QString& path, WriteMode mode, const std::function<bool(QByteArrayView&)>& next)
{
    if (path.isEmpty())
        throw RuntimeError::fromNumber(err::PathFileAccess);
    const QByteArray native = QFile::encodeName(path);
    checkWritableTarget(path, native);

    QByteArray old;
    if (mode == WriteMode::Append && QFileInfo::exists(path))
        old = readFileBytes(path);

    // QSaveFile writes a temporary file in the target's folder and renames it over the target
    // on commit; it follows a symbolic link to the file it names and copies the old file's
    // permission bits. Unbuffered, so that every failing write() reports at once with errno
    // still set: a buffered QSaveFile only finds out while flushing in commit(), which in
    // Qt 6.4 then still renames the truncated file into place.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throwErrno(errno, path, err::PathFileAccess);

    const auto writeAll = [&](QByteArrayView bytes) {
        const char* data = bytes.data();
        qsizetype left = bytes.size();
        while (left > 0) {
            errno = 0;
            const qint64 written = file.write(data, left);
            if (written <= 0) {
                const int e = errno;
                file.cancelWriting();
                // A write that stops short without a reason is the device refusing more data.
                throwErrno(e, path, err::DiskFull);
            }
            data += written;
            left -= written;
        }
    };
    writeAll(old);
    for (;;) {
        QByteArrayView piece;
        if (!next(piece)) {
            file.cancelWriting();
            return false;
        }
        if (piece.isEmpty())
            break;
        writeAll(piece);
    }

    errno = 0;
    if (!file.commit())
        throwErrno(errno, path, err::DeviceIO);
    return true;
}

// Writes the text, then CR LF, encoding a piece at a time into one small buffer as it goes:
// a document of tens of megabytes never needs a second copy of itself in memory, and the
// buffer stays in the processor's cache. `onlyIfHeld`: give up at the first character the
// code page cannot hold (see writeDocumentIfRepresentable()).
bool writeText(const QString& path, QStringView text, WriteMode mode, bool onlyIfHeld)
{
    constexpr qsizetype kPiece = 256 * 1024;
    QByteArray buffer(kPiece + 2, Qt::Uninitialized);
    qsizetype at = 0;
    bool ended = false;
    return writeAtomically(path, mode, [&](QByteArrayView& piece) {
        if (ended)
            return true;
        qsizetype length = std::min(kPiece, text.size() - at);
        // A surrogate pair is encoded whole, as one '?'.
        if (at + length < text.size() && length > 1 && QChar::isHighSurrogate(text[at + length - 1].unicode()))
            --length;
        const QStringView part = text.sliced(at, length);
        qsizetype written = onlyIfHeld ? cp1252::encodeIntoIfHeld(part, buffer.data())
                                       : cp1252::encodeInto(part, buffer.data());
        if (written < 0)
            return false;
        at += length;
        if (at >= text.size()) {
            buffer[written++] = '\r';
            buffer[written++] = '\n';
            ended = true;
        }
        piece = QByteArrayView(buffer.constData(), written);
        return true;
    });
}

}  // namespace

void writeFileBytes(const QString& path, QByteArrayView bytes, WriteMode mode)
{
    bool given = false;
    writeAtomically(path, mode, [&](QByteArrayView& piece) {
        if (!given)
            piece = bytes;
        given = true;
        return true;
    });
}

void writeDocument(const QString& path, QStringView text, WriteMode mode)
{
    writeText(path, text, mode, false);
}

bool writeDocumentIfRepresentable(const QString& path, QStringView text, WriteMode mode)
{
    return writeText(path, text, mode, true);
}

}  // namespace folio
