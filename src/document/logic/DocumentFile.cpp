#include "document/logic/DocumentFile.h"

#include "document/logic/DocumentFormat.h"
#include "platform/logic/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <array>
#include <cerrno>
#include <functional>
#include <future>
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

QString readDocument(const QString& path, docformat::Encoding* encoding)
{
    docformat::DecodedFile file = docformat::decodeFile(readFileBytes(path));
    if (encoding)
        *encoding = file.encoding;
    return std::move(file.text);
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

// A place in a text given as parts.
struct PartPosition {
    size_t part = 0;
    qsizetype at = 0;  // within parts[part]

    // Moves past parts that are used up; true when nothing is left.
    bool atEnd(std::span<const QStringView> parts)
    {
        while (part < parts.size() && at >= parts[part].size()) {
            ++part;
            at = 0;
        }
        return part >= parts.size();
    }
};

constexpr qsizetype kSlice = 1024 * 1024;  // characters encoded in one go

// Encodes up to kSlice characters from `from` on into `out` (room for kSlice characters'
// bytes) and moves `from` behind them. Returns the number of bytes, or -1 when `onlyIfHeld`
// and a character the encoding cannot hold came up.
qsizetype encodeSlice(std::span<const QStringView> parts, PartPosition& from, char* out, Encoding encoding,
                      bool onlyIfHeld)
{
    qsizetype taken = 0;
    qsizetype written = 0;
    while (taken < kSlice && !from.atEnd(parts)) {
        const QStringView text = parts[from.part];
        qsizetype length = std::min(kSlice - taken, text.size() - from.at);
        // A surrogate pair is encoded whole: it goes into the next slice.
        if (from.at + length < text.size() && QChar::isHighSurrogate(text[from.at + length - 1].unicode())) {
            if (--length == 0)
                break;
        }
        const QStringView slice = text.sliced(from.at, length);
        const qsizetype bytes = docformat::encodeInto(encoding, slice, out + written, onlyIfHeld);
        if (bytes < 0)
            return -1;
        written += bytes;
        taken += length;
        from.at += length;
    }
    return written;
}

// Writes the text, then CR LF. The text is encoded a slice at a time into two small buffers
// that take turns: while one is being written, the next slice is encoded into the other on a
// second thread, so a big document costs little more than writing its bytes, and never
// needs a second copy of itself in memory. `onlyIfHeld`: give up at the first character the
// encoding cannot hold (see writeDocumentIfRepresentable()).
bool writeText(const QString& path, std::span<const QStringView> parts, WriteMode mode, Encoding encoding,
               bool onlyIfHeld)
{
    // The byte-order mark opens the first slice, unless the text goes after existing contents.
    QByteArrayView lead = docformat::leadingBytes(encoding);
    if (!lead.isEmpty() && mode == WriteMode::Append && QFileInfo(path).size() > 0)
        lead = QByteArrayView();
    const qsizetype room = kSlice * docformat::maxBytesPerUnit(encoding) + lead.size() + 2;
    std::array<QByteArray, 2> buffers = {QByteArray(room, Qt::Uninitialized), QByteArray(room, Qt::Uninitialized)};
    PartPosition from;
    int current = -1;  // the buffer handed out last
    // The slice after buffers[current], being encoded into the other buffer. Declared after
    // the buffers: leaving early (a failed write throws) waits for it before they go.
    std::future<qsizetype> ahead;
    bool ended = false;
    return writeAtomically(path, mode, [&](QByteArrayView& piece) {
        if (ended)
            return true;
        qsizetype written;
        if (current < 0) {
            current = 0;
            if (!lead.isEmpty())
                std::memcpy(buffers[0].data(), lead.data(), size_t(lead.size()));
            written = encodeSlice(parts, from, buffers[0].data() + lead.size(), encoding, onlyIfHeld);
            if (written >= 0)
                written += lead.size();
        } else {
            current = 1 - current;
            written = ahead.get();
        }
        if (written < 0)
            return false;
        if (from.atEnd(parts)) {
            buffers[current][written++] = '\r';
            buffers[current][written++] = '\n';
            ended = true;
        } else {
            // Left to run on this thread only when no thread can be started.
            char* out = buffers[1 - current].data();
            ahead = std::async(std::launch::async | std::launch::deferred, [parts, &from, out, encoding, onlyIfHeld] {
                return encodeSlice(parts, from, out, encoding, onlyIfHeld);
            });
        }
        piece = QByteArrayView(buffers[current].constData(), written);
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

void writeDocument(const QString& path, std::span<const QStringView> parts, WriteMode mode, Encoding encoding)
{
    writeText(path, parts, mode, encoding, false);
}

bool writeDocumentIfRepresentable(const QString& path, std::span<const QStringView> parts, WriteMode mode,
                                  Encoding encoding)
{
    return writeText(path, parts, mode, encoding, true);
}

void writeDocument(const QString& path, QStringView text, WriteMode mode, Encoding encoding)
{
    writeDocument(path, std::span<const QStringView>(&text, 1), mode, encoding);
}

bool writeDocumentIfRepresentable(const QString& path, QStringView text, WriteMode mode, Encoding encoding)
{
    return writeDocumentIfRepresentable(path, std::span<const QStringView>(&text, 1), mode, encoding);
}

}  // namespace folio
