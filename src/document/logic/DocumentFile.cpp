#include "document/logic/DocumentFile.h"

#include "document/logic/DocumentFormat.h"
#include "platform/logic/NativeFileName.h"
#include "platform/logic/RuntimeError.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace folio {

namespace {

// Closes a POSIX file descriptor when leaving the scope.
class FdGuard {
public:
    explicit FdGuard(int fd) : m_fd(fd) {}
    ~FdGuard()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    // Closes now and reports a failure the close itself met (a late write error).
    bool close()
    {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0;
    }

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

QString sizeText(qint64 bytes)
{
    constexpr qint64 kMB = qint64(1) << 20;
    constexpr qint64 kGB = qint64(1) << 30;
    if (bytes >= kGB)
        return QString::number(double(bytes) / double(kGB), 'f', 1) + QStringLiteral(" GB");
    return QString::number((bytes + kMB - 1) / kMB) + QStringLiteral(" MB");
}

RuntimeError tooLarge(qint64 size)
{
    return RuntimeError(err::OutOfMemory,
                        QStringLiteral("File too large (%1): a document can hold at most %2")
                            .arg(sizeText(size), sizeText(documentSizeLimit())));
}

FileStamp stampOf(const struct stat& st)
{
    return FileStamp{qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

// Opens a file without ever waiting (a pipe with no writer, a device) and checks that it is a
// regular file before anything else happens to it.
int openRegularFile(const QString& path, const QByteArray& native, int flags, struct stat& st)
{
    const int fd = ::open(native.constData(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        throwErrno(errno, path, err::PathFileAccess);  // a socket gives ENXIO: 75
    if (::fstat(fd, &st) != 0) {
        const int e = errno;
        ::close(fd);
        throwErrno(e, path, err::DeviceIO);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw RuntimeError::fromNumber(err::PathFileAccess);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Reads from `fd`, at its current offset, up to its end; `expected` is the size it reports.
QByteArray readAll(int fd, qint64 expected, const QString& path)
{
    if (expected > documentSizeLimit())
        throw tooLarge(expected);
    try {
        // Read the reported size in one go; keep reading to the end in case the file grew.
        QByteArray bytes;
        qsizetype capacity = qsizetype(expected) + 1;
        bytes.resize(capacity);
        qsizetype filled = 0;
        for (;;) {
            if (filled == capacity) {
                if (capacity > documentSizeLimit())
                    throw tooLarge(capacity);
                capacity = capacity + capacity / 2 + qsizetype(64) * 1024;
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
    } catch (const std::bad_alloc&) {
        throw RuntimeError::outOfMemory();
    }
}

// Writes all of `bytes` at `offset`; false with errno set (0 when the device took no more).
bool writeAllAt(int fd, QByteArrayView bytes, qint64 offset)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        errno = 0;
        const ssize_t written = ::pwrite(fd, data, size_t(left), off_t(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
        offset += written;
    }
    return true;
}

// The file a write lands in: the end of any chain of symbolic links, which stay as they are.
struct Target {
    QByteArray native;
    bool exists = false;
    struct stat st {};
};

Target resolveTarget(const QString& path)
{
    Target t;
    t.native = nativeFileName(path);
    for (int hops = 0;; ++hops) {
        if (::lstat(t.native.constData(), &t.st) != 0) {
            const int e = errno;
            if (e == ENOTDIR)
                throw RuntimeError::fromNumber(err::PathNotFound);
            if (e != ENOENT)
                throwErrno(e, path, err::PathFileAccess);
            return t;  // missing: the write creates it
        }
        if (!S_ISLNK(t.st.st_mode)) {
            t.exists = true;
            return t;
        }
        if (hops == 40)
            throw RuntimeError::fromNumber(err::PathFileAccess);
        QByteArray link(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink(t.native.constData(), link.data(), size_t(link.size()));
        if (n < 0 || n >= link.size())
            throwErrno(n < 0 ? errno : 0, path, err::PathFileAccess);
        link.truncate(n);
        t.native = link.startsWith('/') ? link : parentFolder(t.native) + '/' + link;
    }
}

// Checks what can be known before writing, so that each case gets its own number and nothing
// is touched: the target must be a regular file this user may write, or a new name in a
// folder that takes new files.
void checkWritableTarget(const QString& path, const Target& t)
{
    if (t.exists) {
        if (!S_ISREG(t.st.st_mode))
            throw RuntimeError::fromNumber(err::PathFileAccess);
        if (::access(t.native.constData(), W_OK) != 0)
            throwErrno(errno, path, err::PermissionDenied);
        return;
    }
    const QByteArray folder = parentFolder(t.native);
    struct stat dirSt {};
    if (::stat(folder.constData(), &dirSt) != 0 || !S_ISDIR(dirSt.st_mode))
        throw RuntimeError::fromNumber(err::PathNotFound);
    if (::access(folder.constData(), W_OK | X_OK) != 0)
        throwErrno(errno, path, err::PermissionDenied);
}

// Hands out the pieces of the new contents, an empty piece at the end; false: given up.
using NextPiece = std::function<bool(QByteArrayView&)>;

enum class Replaced { Done, GivenUp, NotPossible };

// Whether QSaveFile can replace the file `native` names. It takes the name as a QString and
// encodes it with QFile::encodeName, which loses the bytes of a name that is not text in the
// system's encoding; and to replace an existing file it names its unnamed temporary file
// beside the target for a moment, by the target's name and seven characters more.
bool saveFileCanName(const QByteArray& native, bool exists)
{
    const qsizetype nameLength = native.size() - native.lastIndexOf('/') - 1;
    return QFile::encodeName(QFile::decodeName(native)) == native && (!exists || nameLength + 7 <= NAME_MAX);
}

// Writes the new contents through a QSaveFile, which keeps them in a temporary file that has
// no name while it is written (nothing is left behind when the program dies meanwhile) and
// puts it in place of the target only once complete. The pieces go straight to its
// descriptor, so that a failure comes back with the system's reason. NotPossible (before a
// single piece was taken) when the new file cannot have the target's owner, group and
// permission bits.
Replaced replaceAtomically(const QString& path, const Target& t, const NextPiece& next)
{
    // Discards the temporary file when left without commit(), also by an exception.
    QSaveFile file(QFile::decodeName(t.native));
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throwErrno(errno, path, err::PathFileAccess);
    const int fd = file.handle();
    if (t.exists) {
        // QSaveFile copies the read, write and execute bits only.
        struct stat tempSt {};
        const bool kept = ::fstat(fd, &tempSt) == 0
            && ((tempSt.st_uid == t.st.st_uid && tempSt.st_gid == t.st.st_gid)
                || ::fchown(fd, t.st.st_uid, t.st.st_gid) == 0)
            && ::fchmod(fd, t.st.st_mode & 07777) == 0;
        if (!kept)
            return Replaced::NotPossible;
    }
    qint64 offset = 0;
    for (;;) {
        QByteArrayView piece;
        if (!next(piece))
            return Replaced::GivenUp;
        if (piece.isEmpty())
            break;
        // A write that stops short without a reason is the device refusing more data.
        if (!writeAllAt(fd, piece, offset))
            throwErrno(errno, path, err::DiskFull);
        offset += piece.size();
    }
    // The contents must be on the disk before the new file takes the target's name. commit()
    // syncs too, but goes on to rename when the sync fails.
    errno = 0;
    if (::fdatasync(fd) != 0)
        throwErrno(errno, path, err::DeviceIO);
    errno = 0;
    if (!file.commit())
        throwErrno(errno, path, err::PathFileAccess);
    return Replaced::Done;
}

// The whole new contents in one buffer, so that nothing is written before they are complete.
bool collect(const NextPiece& next, QByteArray& all)
{
    try {
        for (;;) {
            QByteArrayView piece;
            if (!next(piece))
                return false;
            if (piece.isEmpty())
                return true;
            all.append(piece);
        }
    } catch (const std::bad_alloc&) {
        throw RuntimeError::outOfMemory();
    }
}

// Writes `bytes` over the file itself, which keeps its inode, names, owner and mode. The old
// bytes are kept aside first and written back when anything fails.
void overwriteInPlace(const QString& path, const Target& t, const QByteArray& bytes)
{
    struct stat st {};
    const int fd = openRegularFile(path, t.native, O_RDWR, st);
    FdGuard guard(fd);
    const QByteArray old = readAll(fd, st.st_size, path);
    const qint64 newSize = bytes.size();
    // Room for the longer contents first, where the file system can promise it: a full disk
    // is then met before the file is touched.
    if (newSize > old.size() && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(newSize)) != 0 && errno != EOPNOTSUPP
        && errno != ENOSYS)
        throwErrno(errno, path, err::DiskFull);
    errno = 0;
    if (writeAllAt(fd, bytes, 0) && (newSize >= old.size() || ::ftruncate(fd, off_t(newSize)) == 0) && ::fsync(fd) == 0)
        return;
    const int e = errno;
    // The old bytes fit in the space the file already had.
    writeAllAt(fd, old, 0);
    if (::ftruncate(fd, off_t(old.size())) == 0)
        ::fsync(fd);
    throwErrno(e, path, err::DiskFull);
}

// Adds `bytes` after the end of the file itself; on failure the file is cut back to its old
// length. Needs only the right to write the file, neither to read it nor to replace it. A
// missing file is made here, and taken away again when the write fails.
void appendInPlace(const QString& path, const Target& t, const QByteArray& bytes)
{
    struct stat st {};
    const int fd = openRegularFile(path, t.native, t.exists ? O_WRONLY : O_WRONLY | O_CREAT | O_EXCL, st);
    FdGuard guard(fd);
    errno = 0;
    if (writeAllAt(fd, bytes, st.st_size) && ::fsync(fd) == 0)
        return;
    const int e = errno;
    if (!t.exists)
        ::unlink(t.native.constData());
    else if (::ftruncate(fd, st.st_size) == 0)
        ::fsync(fd);
    throwErrno(e, path, err::DiskFull);
}

}  // namespace

qint64 documentSizeLimit()
{
    static const qint64 limit = [] {
        // The text box counts characters in an int, and a file of N bytes can load as up to
        // 2N characters (every lone CR becomes CR LF).
        qint64 most = qint64(512) << 20;
        const long pages = ::sysconf(_SC_PHYS_PAGES);
        const long pageSize = ::sysconf(_SC_PAGESIZE);
        if (pages > 0 && pageSize > 0)
            most = std::min(most, qint64(pages) * pageSize / 16);
        return most;
    }();
    return limit;
}

FileStamp fileStamp(const QString& path)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(nativeFileName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return FileStamp{};
    return stampOf(st);
}

QByteArray readFileBytes(const QString& path, FileStamp* stamp)
{
    if (path.isEmpty())
        throw RuntimeError::fromNumber(err::FileNotFound);
    struct stat st {};
    const int fd = openRegularFile(path, nativeFileName(path), O_RDONLY, st);
    FdGuard guard(fd);
    QByteArray bytes = readAll(fd, st.st_size, path);
    if (stamp)
        *stamp = stampOf(st);
    return bytes;
}

QString readDocument(const QString& path, docformat::Encoding* encoding, FileStamp* stamp)
{
    const QByteArray bytes = readFileBytes(path, stamp);
    try {
        docformat::DecodedFile file = docformat::decodeFile(bytes);
        if (encoding)
            *encoding = file.encoding;
        return std::move(file.text);
    } catch (const std::bad_alloc&) {
        throw RuntimeError::outOfMemory();
    }
}

DocumentTop readDocumentTop(const QString& path, qint64 wholeUpTo, qsizetype topBytes)
{
    if (path.isEmpty())
        throw RuntimeError::fromNumber(err::FileNotFound);
    struct stat st {};
    const int fd = openRegularFile(path, nativeFileName(path), O_RDONLY, st);
    FdGuard guard(fd);
    DocumentTop top;
    top.stamp = stampOf(st);
    try {
        if (st.st_size <= wholeUpTo || st.st_size <= topBytes) {
            const docformat::DecodedFile file = docformat::decodeFile(readAll(fd, st.st_size, path));
            top.text = file.text;
            top.encoding = file.encoding;
            top.whole = true;
            return top;
        }
        if (st.st_size > documentSizeLimit())
            throw tooLarge(st.st_size);
        QByteArray head(topBytes, Qt::Uninitialized);
        qsizetype filled = 0;
        while (filled < topBytes) {
            const ssize_t got = ::pread(fd, head.data() + filled, size_t(topBytes - filled), off_t(filled));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throwErrno(errno, path, err::DeviceIO);
            if (got == 0)
                break;
            filled += got;
        }
        head.truncate(filled);
        const qsizetype cr = head.lastIndexOf('\r');
        if (cr > 0) {
            head.truncate(cr + 1);
        } else {
            // No line end: drop a UTF-8 sequence the cut may have split.
            qsizetype n = head.size();
            while (n > 0 && (uchar(head[n - 1]) & 0xC0) == 0x80)
                --n;
            if (n > 0 && uchar(head[n - 1]) >= 0xC0)
                --n;
            head.truncate(n);
        }
        const docformat::DecodedFile file = docformat::decodeFile(head);
        top.text = file.text;
        top.encoding = file.encoding;
        return top;
    } catch (const std::bad_alloc&) {
        throw RuntimeError::outOfMemory();
    }
}

namespace {

// Writes the pieces `next` hands out (an empty piece ends them) by the route the target
// allows; see the header. A piece stays valid until the next call. When `next` returns false
// the write is given up, nothing is left behind or changed, and this returns false.
bool writeFile(const QString& path, WriteMode mode, const NextPiece& next)
{
    if (path.isEmpty())
        throw RuntimeError::fromNumber(err::PathFileAccess);
    const Target t = resolveTarget(path);
    checkWritableTarget(path, t);

    if (!t.exists || mode == WriteMode::Overwrite) {
        const QByteArray folder = parentFolder(t.native);
        const bool replaceable = saveFileCanName(t.native, t.exists)
            && (!t.exists
                || (t.st.st_nlink == 1 && (::geteuid() == 0 || t.st.st_uid == ::geteuid())
                    && ::access(folder.constData(), W_OK | X_OK) == 0));
        if (replaceable) {
            const Replaced r = replaceAtomically(path, t, next);
            if (r != Replaced::NotPossible)
                return r == Replaced::Done;
        }
    }
    QByteArray bytes;
    if (!collect(next, bytes))
        return false;
    if (mode == WriteMode::Append || !t.exists)
        appendInPlace(path, t, bytes);
    else
        overwriteInPlace(path, t, bytes);
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

constexpr qsizetype kSlice = qsizetype(256) * 1024;  // characters encoded in one go

// Takes the next slice of up to `limit` characters from `from` on, never parting a surrogate
// pair: calls `run` for its stretch in each part and moves `from` behind it.
template <typename Run>
void takeSlice(std::span<const QStringView> parts, PartPosition& from, qsizetype limit, Run&& run)
{
    qsizetype taken = 0;
    while (taken < limit && !from.atEnd(parts)) {
        const QStringView text = parts[from.part];
        qsizetype length = std::min(limit - taken, text.size() - from.at);
        // A surrogate pair is encoded whole: it goes into the next slice.
        if (from.at + length < text.size() && QChar::isHighSurrogate(text[from.at + length - 1].unicode())) {
            if (--length == 0)
                break;
        }
        run(text.sliced(from.at, length));
        taken += length;
        from.at += length;
    }
}

// Writes the text, then CR LF. The text is encoded a slice at a time into one small buffer,
// which is written before the next slice goes into it: a big document never needs a second
// copy of itself in memory. `onlyIfHeld`: give up at the first character the encoding cannot
// hold (see writeDocumentIfRepresentable()).
bool writeText(const QString& path, std::span<const QStringView> parts, WriteMode mode, Encoding encoding,
               bool onlyIfHeld)
{
    // The byte-order mark opens the first slice, unless the text goes after existing contents.
    QByteArrayView lead = docformat::leadingBytes(encoding);
    struct stat st {};
    if (!lead.isEmpty() && mode == WriteMode::Append && ::stat(nativeFileName(path).constData(), &st) == 0
        && st.st_size > 0)
        lead = QByteArrayView();
    QByteArray buffer(kSlice * docformat::maxBytesPerUnit(encoding) + lead.size() + 2, Qt::Uninitialized);
    PartPosition from;
    bool ended = false;
    return writeFile(path, mode, [&](QByteArrayView& piece) {
        if (ended)
            return true;
        qsizetype written = lead.size();
        if (written > 0)
            std::memcpy(buffer.data(), lead.data(), size_t(written));
        lead = QByteArrayView();
        bool held = true;
        takeSlice(parts, from, kSlice, [&](QStringView stretch) {
            const qsizetype bytes = held ? docformat::encodeInto(encoding, stretch, buffer.data() + written, onlyIfHeld)
                                         : -1;
            held = bytes >= 0;
            written += held ? bytes : 0;
        });
        if (!held)
            return false;
        if (from.atEnd(parts)) {
            buffer[written++] = '\r';
            buffer[written++] = '\n';
            ended = true;
        }
        piece = QByteArrayView(buffer.constData(), written);
        return true;
    });
}

}  // namespace

Encoding appendEncoding(const QString& path, Encoding fallback)
{
    struct stat st {};
    int fd = -1;
    try {
        fd = openRegularFile(path, nativeFileName(path), O_RDONLY, st);
    } catch (const RuntimeError&) {
        return fallback;  // the write itself tells what is wrong with the target, if anything
    }
    FdGuard guard(fd);
    docformat::EncodingEvidence evidence;
    QByteArray piece(qsizetype(256) * 1024, Qt::Uninitialized);
    while (!evidence.settled()) {
        const ssize_t got = ::read(fd, piece.data(), size_t(piece.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fallback;
        if (got == 0)
            break;
        evidence.add(QByteArrayView(piece.constData(), got));
    }
    return evidence.finish().value_or(fallback);
}

void writeFileBytes(const QString& path, QByteArrayView bytes, WriteMode mode)
{
    bool given = false;
    writeFile(path, mode, [&](QByteArrayView& piece) {
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
