#include "platform/logic/NativeFileName.h"

#include <QFile>
#include <QList>
#include <QStringList>
#include <QUrl>

#include <dirent.h>
#include <sys/stat.h>

namespace folio {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // U+DC80 to U+DCFF carry the bytes 0x80 to 0xFF
constexpr QChar kReplacement(0xFFFD);

bool isEscape(char16_t c)
{
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
}

bool isContinuation(uchar b, uchar low = 0x80, uchar high = 0xBF)
{
    return b >= low && b <= high;
}

// The length of the valid UTF-8 sequence at `at` (overlong forms, surrogates and code points
// beyond U+10FFFF are not valid), or 0.
qsizetype validSequence(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return at + i < bytes.size() ? uchar(bytes[at + i]) : uchar(0); };
    const uchar lead = byte(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return isContinuation(byte(1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const uchar low = lead == 0xE0 ? 0xA0 : 0x80;
        const uchar high = lead == 0xED ? 0x9F : 0xBF;
        return isContinuation(byte(1), low, high) && isContinuation(byte(2)) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const uchar low = lead == 0xF0 ? 0x90 : 0x80;
        const uchar high = lead == 0xF4 ? 0x8F : 0xBF;
        return isContinuation(byte(1), low, high) && isContinuation(byte(2)) && isContinuation(byte(3)) ? 4 : 0;
    }
    return 0;
}

// The names in `folder` that Qt shows as `shown`.
QList<QByteArray> namesShownAs(const QByteArray& folder, const QString& shown)
{
    QList<QByteArray> found;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return found;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != ".." && QFile::decodeName(name) == shown)
            found << name;
    }
    ::closedir(dir);
    return found;
}

}  // namespace

QByteArray nativeFileName(const QString& path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        if (isEscape(c)) {
            bytes += char(c - kEscapeBase);
            continue;
        }
        const qsizetype start = i;
        // A run of ordinary characters at once; a surrogate pair stays whole.
        while (i + 1 < path.size() && !isEscape(path[i + 1].unicode()))
            ++i;
        bytes += QStringView(path).sliced(start, i - start + 1).toUtf8();
    }
    return bytes;
}

QString fileNameFromNative(QByteArrayView bytes)
{
    QString path;
    path.reserve(bytes.size());
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype valid = 0;
        qsizetype length;
        while (at + valid < bytes.size() && (length = validSequence(bytes, at + valid)) > 0)
            valid += length;
        path += QString::fromUtf8(bytes.sliced(at, valid));
        at += valid;
        if (at < bytes.size())
            path += QChar(kEscapeBase + uchar(bytes[at++]));
    }
    return path;
}

QString displayFileName(const QString& path)
{
    QString shown;
    shown.reserve(path.size());
    for (const QChar c : path) {
        if (isEscape(c.unicode()))
            shown += QStringLiteral("\\x") + QString::number(c.unicode() - kEscapeBase, 16).toUpper();
        else
            shown += c;
    }
    return shown;
}

QString fileNameFromUrl(const QUrl& url)
{
    const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    const QString host = url.host();
    if (host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return fileNameFromNative(path);
    return QStringLiteral("//") + host + fileNameFromNative(path);
}

bool fileExists(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::stat(nativeFileName(path).constData(), &st) == 0;
}

ShownFileName fileNameFromShown(const QString& shown)
{
    if (!shown.contains(kReplacement))
        return {shown, 1};
    const QStringList parts = shown.split(QLatin1Char('/'));
    QByteArray native;
    int matches = 1;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const QByteArray folder = i == 0 ? QByteArray(".") : native.isEmpty() ? QByteArray("/") : native;
        if (i > 0)
            native += '/';
        if (matches == 0 || !part.contains(kReplacement)) {
            native += nativeFileName(part);
            continue;
        }
        const QList<QByteArray> found = namesShownAs(folder, part);
        if (found.size() > 1)
            return {QString(), 2};
        if (found.isEmpty())
            matches = 0;
        native += found.isEmpty() ? nativeFileName(part) : found.constFirst();
    }
    return {fileNameFromNative(native), matches};
}

}  // namespace folio
